#include "TestSupport.h"
#include "core/MainThread.h"
#include "core/NotificationCenter.h"

#include <QThread>
#include <gtest/gtest.h>

namespace {

TEST(NotificationCenter, DeliversSynchronouslyInRegistrationOrderWithObjectFilterAndHonoursRemoval)
{
    NotificationCenter center;
    QObject sender, other;
    QStringList calls;
    int a, b, c;
    center.addObserver(&a, "N", [&](const Notification &n) { calls << "a:" + n.userInfo["k"].toString(); });
    center.addObserver(
        &b, "N", [&](const Notification &) { calls << "b"; }, &sender);
    center.addObserver(&c, "Other", [&](const Notification &) { calls << "c"; });

    center.post("N", &sender, {{"k", "v"}});
    EXPECT_EQ(calls, QStringList({"a:v", "b"}));
    calls.clear();
    center.post("N", &other);
    EXPECT_EQ(calls, QStringList({"a:"})) << "an object filter lets only that sender through";
    calls.clear();
    center.postOnMainThread("Other");
    EXPECT_EQ(calls, QStringList({"c"})) << "posted for the main thread from the main thread: delivered at once";

    // An observer removed during a delivery is not called afterwards.
    int first, second;
    center.removeObserver(&a);
    center.removeObserver(&b);
    calls.clear();
    center.addObserver(&first, "N", [&](const Notification &) {
        calls << "first";
        center.removeObserver(&second);
    });
    center.addObserver(&second, "N", [&](const Notification &) { calls << "second"; });
    center.post("N");
    EXPECT_EQ(calls, QStringList({"first"}));
    EXPECT_EQ(center.observerCount("N"), 1);

    center.removeObserver(&first, "N");
    center.post("N");
    EXPECT_EQ(calls, QStringList({"first"}));
}

TEST(NotificationCenter, PostOnMainThreadFromAnotherThreadQueuesInOrderWithoutWaitingAndADestroyedSenderArrivesNull)
{
    NotificationCenter center;
    QList<Notification> received;
    bool allMain = true;
    int observer;
    for (const char *name : {"A", "B", "C"})
        center.addObserver(&observer, name, [&](const Notification &n) {
            received << n;
            allMain = allMain && isMainThread();
        });

    auto *object = new QObject;
    QThread *thread = QThread::create([&] {
        center.postOnMainThread("A");
        center.postOnMainThread("B");
        center.postOnMainThread("C", object);
    });
    thread->start();
    thread->wait(); // returns although the main thread has not run the deliveries yet
    EXPECT_TRUE(received.isEmpty());
    delete object; // before its notification is delivered
    ASSERT_TRUE(waitUntil([&] { return received.size() == 3; }));
    QStringList names;
    for (const Notification &n : received)
        names << n.name;
    EXPECT_EQ(names, QStringList({"A", "B", "C"}));
    EXPECT_TRUE(received.last().object.isNull()) << "a destroyed sender arrives as a null object";
    EXPECT_TRUE(allMain);
    delete thread;
}

} // namespace
