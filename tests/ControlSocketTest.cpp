#include "TestSupport.h"
#include "device/virtual/ControlClient.h"
#include "device/virtual/ControlServer.h"
#include "device/virtual/VirtualCameraCommands.h"
#include "device/virtual/VirtualCameraHub.h"

#include <QFuture>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtConcurrent>
#include <gtest/gtest.h>

namespace {

class ControlSocket : public testing::Test {
protected:
    void SetUp() override
    {
        addVirtualCameraCommands(server, hub, [this] { return current; });
        socketPath = sandbox.path("runtime/vcam-test");
        ASSERT_TRUE(server.listen(socketPath));
    }

    // The client blocks, so it runs on another thread while this one serves.
    ControlResult send(const QString &line)
    {
        QFuture<ControlResult> future = QtConcurrent::run([path = socketPath, line] { return sendControlCommand(path, line); });
        waitUntil([&] { return future.isFinished(); });
        return future.result();
    }

    Sandbox sandbox;
    VirtualCameraHub hub;
    ControlServer server{nullptr, 1000};
    QString socketPath;
    QString current;
};

TEST_F(ControlSocket, PlugListUnplugWithNeverReusedIds)
{
    ControlResult r = send("plug arvo");
    ASSERT_EQ(r.status, ControlResult::Ok);
    EXPECT_EQ(r.lines, QStringList({"1"}));
    EXPECT_EQ(send("plug tobble").lines, QStringList({"2"}));
    current = hub.camera(2)->deviceInfo().key;

    r = send("list");
    ASSERT_EQ(r.status, ControlResult::Ok);
    ASSERT_EQ(r.lines.size(), 2);
    EXPECT_TRUE(r.lines[0].endsWith(" plugged")) << qPrintable(r.lines[0]);
    EXPECT_TRUE(r.lines[1].endsWith(" plugged current")) << qPrintable(r.lines[1]);

    EXPECT_EQ(send("unplug 1").status, ControlResult::Ok);
    EXPECT_EQ(send("plug arvo").lines, QStringList({"3"}));
    r = send("list");
    EXPECT_TRUE(r.lines[0].endsWith(" unplugged")) << qPrintable(r.lines[0]);
    EXPECT_EQ(r.lines.size(), 3);
}

TEST_F(ControlSocket, BadRequestsFailWithAMessage)
{
    send("plug arvo");
    ControlResult r = send("unplug 9");
    EXPECT_EQ(r.status, ControlResult::CommandFailed);
    EXPECT_EQ(r.lines, QStringList({"no virtual camera with id \"9\""}));
    EXPECT_EQ(send("unplug one").status, ControlResult::CommandFailed);
    send("unplug 1");
    EXPECT_EQ(send("unplug 1").status, ControlResult::CommandFailed) << "already unplugged";
    r = send("plug webcam");
    EXPECT_EQ(r.status, ControlResult::CommandFailed);
    EXPECT_TRUE(r.lines.first().contains("unknown camera model")) << qPrintable(r.lines.first());
    r = send("plug arvo --no-such-fault");
    EXPECT_EQ(r.status, ControlResult::CommandFailed);
    EXPECT_TRUE(r.lines.first().startsWith("usage: plug")) << qPrintable(r.lines.first());
    send("plug arvo");
    for (const char *value : {"65536", "-1", "0x10000"}) {
        r = send(QString("event 2 %1").arg(value));
        EXPECT_EQ(r.status, ControlResult::CommandFailed);
        EXPECT_TRUE(r.lines.first().contains("out of the button element's range")) << qPrintable(r.lines.first());
    }
    EXPECT_TRUE(send("event 2 0xFFFF").lines.first().contains("not open yet")) << "in range";
    r = send("dance");
    EXPECT_EQ(r.status, ControlResult::CommandFailed);
    EXPECT_TRUE(r.lines.first().contains("unknown command")) << qPrintable(r.lines.first());
}

TEST_F(ControlSocket, CamerasWithFaultsSayWhatTheyLack)
{
    ASSERT_EQ(send("plug tobble --no-hid").lines, QStringList({"1"}));
    ASSERT_EQ(send("plug arvo --no-buttons --no-focus-done").lines, QStringList({"2"}));
    EXPECT_TRUE(send("state 2").lines.contains("faults no-buttons no-focus-done"));
    EXPECT_EQ(send("press 1 snapshot").lines, QStringList({"virtual camera 1 has no HID interface"}));
    EXPECT_EQ(send("press 2 focus").lines, QStringList({"virtual camera 2 has no button element"}));
    // A camera of another maker has a snapshot button but no HID interface for the others.
    ASSERT_EQ(send("plug uvc").lines, QStringList({"3"}));
    EXPECT_EQ(send("press 3 snapshot").lines, QStringList({"virtual camera 3 is not open yet"}));
    EXPECT_EQ(send("press 3 custom").lines, QStringList({"virtual camera 3 has no HID interface"}));
    EXPECT_FALSE(send("state 3").lines.contains("exposure-step 8"));
    send("unplug 3");
    EXPECT_EQ(send("press 3 snapshot").lines, QStringList({"virtual camera 3 is unplugged"}));
}

// A client that cannot tell how a command ended says which of three things happened; the server
// drops a connection that says nothing.
TEST_F(ControlSocket, NoInstanceFullQueueAndLateAnswerAreToldApart)
{
    EXPECT_EQ(sendControlCommand(sandbox.path("runtime/none"), "list", 100).status, ControlResult::NoInstance);

    // Nothing takes this server's connections: the first ones wait in its queue unanswered, then
    // the queue is full.
    QLocalServer stuck;
    stuck.setListenBacklogSize(1);
    ASSERT_TRUE(stuck.listen(sandbox.path("runtime/stuck")));
    QList<ControlResult::Status> statuses;
    while (statuses.size() < 8 && (statuses.isEmpty() || statuses.last() != ControlResult::Busy))
        statuses << sendControlCommand(stuck.fullServerName(), "press 1 snapshot", 100).status;
    EXPECT_EQ(statuses.first(), ControlResult::NoAnswer);
    EXPECT_EQ(statuses.last(), ControlResult::Busy);

    QLocalSocket idle;
    idle.connectToServer(socketPath);
    ASSERT_TRUE(idle.waitForConnected(1000));
    EXPECT_TRUE(waitUntil([&] { return idle.state() == QLocalSocket::UnconnectedState; }));
}

} // namespace
