#include "TestSupport.h"
#include "ui/camera/LumoCaptureViewController.h"
#include "core/NotificationNames.h"
#include "device/DeviceBackend.h"
#include "device/LumoCamerasController.h"
#include "device/virtual/VirtualCameraHub.h"
#include "ui/camera/CaptureView.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

using namespace NotificationNames;

// A capture device whose frames the test pushes by hand.
class FakeDevice : public CaptureDevice {
public:
    bool open(Error *error) override
    {
        if (failOpen)
            error->description = "cannot open";
        return !failOpen;
    }
    void close() override {}
    void setFrameSize(const QSize &size) override
    {
        size_ = size;
        ++frameSizeCalls;
    }
    QSize frameSize() const override { return size_; }
    bool startRunning(Error *) override { return running = true; }
    void stopRunning() override { running = false; }
    bool isRunning() const override { return running; }

    void push(const QImage &frame)
    {
        FramePayload payload;
        payload.image = frame;
        payload.outputSize = size_;
        deliverFrame(payload);
    }

    bool failOpen = false;
    bool running = false;
    int frameSizeCalls = 0;
    QSize size_;
};

class FakeBackend : public CaptureBackend {
public:
    std::unique_ptr<CaptureDevice> deviceWithUniqueID(const QString &id) override
    {
        requested << id;
        auto device = std::make_unique<FakeDevice>();
        device->failOpen = failOpen;
        last = device.get();
        return device;
    }
    QStringList requested;
    FakeDevice *last = nullptr;
    bool failOpen = false;
};

class CaptureController : public testing::Test {
protected:
    void SetUp() override
    {
        hub.plug(VirtualCamera::Model::Arvo);
        registry = LumoCamerasController::createShared(hub.createBackend());
        controller = std::make_unique<LumoCaptureViewController>(&backend, [this] { return registry->currentCamera(); });
        controller->setClock([this] { return now; });
        QObject::connect(controller.get(), &LumoCaptureViewController::firstFrameShown, [this] { ++firstFrames; });
        controller->setCaptureViewContainer(&container);
        controller->setErrorPresenter([this](const CaptureDevice::Error &e) { errors << e.description; });
        ASSERT_TRUE(waitUntil([&] { return backend.last && backend.last->running; })) << "the camera change starts the pipeline";
    }
    void TearDown() override
    {
        controller.reset();
        registry.reset();
    }

    VirtualCameraHub hub;
    std::unique_ptr<LumoCamerasController> registry;
    FakeBackend backend;
    QWidget container;
    LiveFrame::TimePoint now = LiveFrame::steadyNow();
    int firstFrames = 0;
    std::unique_ptr<LumoCaptureViewController> controller;
    QStringList errors;
};

TEST_F(CaptureController, FollowsTheCurrentCameraAndPublishesEveryTransformedFrame)
{
    EXPECT_EQ(backend.requested, QStringList({registry->currentCamera()->captureDeviceLocationId()}));
    EXPECT_EQ(backend.last->frameSize(), QSize(1280, 960));
    ASSERT_TRUE(controller->captureView());
    EXPECT_EQ(controller->captureView()->parent(), &container);

    NotificationRecorder published({WillDisplayImage});
    controller->setHFlipped(true);
    QImage frame(1280, 960, QImage::Format_RGB32);
    frame.fill(Qt::black);
    frame.setPixel(0, 0, qRgb(255, 0, 0));
    backend.last->push(frame);
    ASSERT_EQ(published.names().size(), 1);
    const LiveFrame shown = published.notifications().first().userInfo.value("image").value<LiveFrame>();
    EXPECT_EQ(shown.render().pixel(1279, 0) & 0xffffff, 0xff0000u) << "published with its mirroring";
    EXPECT_EQ(published.notifications().first().object.data(), controller.get());
    EXPECT_EQ(controller->frameCount(), 1u);
    EXPECT_EQ(controller->captureView()->frame(), shown);
    EXPECT_EQ(firstFrames, 1);
    EXPECT_EQ(shown.shownAt(), now);
    EXPECT_FALSE(shown.hasRequestedSize()) << "the camera's settings have not set the resolution yet";
    controller->setResolution({1280, 960});
    backend.last->push(frame);
    EXPECT_TRUE(published.notifications().last().userInfo.value("image").value<LiveFrame>().hasRequestedSize());
    // A 16:9 size of another camera: zoomed, the photo keeps the frame's size and shape.
    controller->setResolution({1920, 1080});
    controller->setZoom(2.0f);
    QImage wide(1920, 1080, QImage::Format_RGB32);
    wide.fill(Qt::gray);
    backend.last->push(wide);
    const LiveFrame wideShown = published.notifications().last().userInfo.value("image").value<LiveFrame>();
    EXPECT_TRUE(wideShown.hasRequestedSize());
    EXPECT_EQ(wideShown.visibleRect(), QRect(480, 270, 960, 540));
    EXPECT_EQ(wideShown.render().size(), QSize(1920, 1080));
    // Moved to the corner, the pan stays inside the frame whatever the zoom; no zoom centres it.
    controller->setPan({-1.0, 0.0});
    backend.last->push(wide);
    EXPECT_EQ(published.notifications().last().userInfo.value("image").value<LiveFrame>().visibleRect(), QRect(0, 0, 960, 540));
    controller->setZoom(1.5f);
    EXPECT_NEAR(controller->pan().x(), 1.0 / 3, 1e-6);
    controller->setZoom(1.0f);
    EXPECT_EQ(controller->pan(), QPointF(0.5, 0.5));
    controller->setZoom(2.0f);
    controller->setPan({1.0, 1.0});

    // A camera change stops the stream and starts it on the new camera.
    hub.plug(VirtualCamera::Model::Tobble);
    ASSERT_TRUE(waitUntil([&] { return registry->availableCameras().size() == 2; }));
    registry->setCurrentCamera(registry->availableCameras()[1]);
    EXPECT_EQ(backend.requested.size(), 2) << "a device of its own (its address may be the freed one's)";
    EXPECT_TRUE(backend.last->running);
    EXPECT_EQ(backend.requested.last(), registry->availableCameras()[1]->captureDeviceLocationId());
    backend.last->push(frame);
    EXPECT_EQ(firstFrames, 2);
    EXPECT_EQ(controller->pan(), QPointF(0.5, 0.5)) << "another page starts in the middle";
    EXPECT_FALSE(published.notifications().last().userInfo.value("image").value<LiveFrame>().hasRequestedSize())
        << "a new camera's frames wait for its own settings";
}

TEST_F(CaptureController, StartStopPauseResumeOnlyActWhenTheyMeanSomethingAndAFailedOpenIsReported)
{
    FakeDevice *device = backend.last;
    controller->start();
    EXPECT_EQ(backend.last, device) << "start while running does nothing";
    NotificationRecorder published({WillDisplayImage});
    controller->pause();
    EXPECT_FALSE(device->running);
    controller->pause();
    // A snapshot in review mode has the paused picture run until it has its frame.
    controller->setFramesWanted(true);
    EXPECT_TRUE(device->running);
    controller->setFramesWanted(false);
    EXPECT_FALSE(device->running);
    controller->resume();
    EXPECT_TRUE(device->running);
    controller->setFramesWanted(false);
    EXPECT_TRUE(device->running);
    controller->stop();
    ASSERT_EQ(published.names().size(), 3) << "the paused and the stopped picture are withdrawn";
    for (const Notification &n : published.notifications())
        EXPECT_FALSE(n.userInfo.contains("image"));
    EXPECT_FALSE(controller->isRunning());
    EXPECT_FALSE(controller->captureView());
    EXPECT_FALSE(controller->watchdogArmed());
    controller->resume(); // nothing to resume after stop
    controller->start();
    EXPECT_TRUE(controller->isRunning());
    EXPECT_TRUE(controller->captureView()) << "start after stop builds a new view";

    // A device that cannot be opened is reported and nothing runs.
    controller->stop();
    backend.failOpen = true;
    controller->start();
    EXPECT_EQ(errors, QStringList({"cannot open"}));
    EXPECT_FALSE(controller->isRunning());
    EXPECT_FALSE(controller->watchdogArmed());
}

TEST_F(CaptureController, WatchdogKicksAStalledRunningStreamAtEveryTick)
{
    FakeDevice *device = backend.last;
    const int before = device->frameSizeCalls;
    device->push(QImage(1280, 960, QImage::Format_RGB32));
    controller->watchdogProc(); // a frame came: just remember the count
    EXPECT_EQ(device->frameSizeCalls, before);
    controller->watchdogProc(); // nothing since: the resolution is applied again
    controller->watchdogProc(); // and again while it stays stalled
    EXPECT_EQ(device->frameSizeCalls, before + 2);
    EXPECT_EQ(device->frameSize(), QSize(1280, 960));

    // More than a second without a frame: the picture says the camera stopped sending.
    now += std::chrono::milliseconds(900);
    EXPECT_FALSE(controller->checkStall());
    now += std::chrono::milliseconds(200);
    EXPECT_TRUE(controller->checkStall());
    EXPECT_TRUE(controller->captureView()->isStalled());
    device->push(QImage(1280, 960, QImage::Format_RGB32));
    EXPECT_FALSE(controller->captureView()->isStalled());

    controller->pause();
    controller->watchdogProc();
    EXPECT_EQ(device->frameSizeCalls, before + 2) << "a paused stream is left alone";
    now += std::chrono::milliseconds(5000);
    EXPECT_FALSE(controller->checkStall());
}

TEST_F(CaptureController, FrozenPictureHoldsItsFrameWhileTheStreamRunsOn)
{
    FakeDevice *device = backend.last;
    // A dark page with a red mark where a 2x zoom's part begins; the later pages are white.
    QImage held(1280, 960, QImage::Format_RGB32);
    held.fill(Qt::black);
    for (int y = 240; y < 244; ++y)
        for (int x = 320; x < 324; ++x)
            held.setPixel(x, y, qRgb(255, 0, 0));
    QImage later(1280, 960, QImage::Format_RGB32);
    later.fill(Qt::white);
    EXPECT_FALSE(controller->setFrozen(true)) << "nothing shown yet, nothing to hold";
    controller->setResolution({1280, 960});
    device->push(held);
    ASSERT_TRUE(controller->setFrozen(true));
    EXPECT_TRUE(controller->captureView()->isFrozen());

    // Later frames count, and what is shown and published (the snapshot's frame) is the held one.
    NotificationRecorder published({WillDisplayImage});
    const int kicks = device->frameSizeCalls;
    for (int tick = 0; tick < 3; ++tick) {
        now += std::chrono::milliseconds(600);
        device->push(later);
        controller->watchdogProc();
        EXPECT_FALSE(controller->checkStall());
    }
    EXPECT_EQ(device->frameSizeCalls, kicks) << "a frozen picture of a streaming camera is not kicked";
    EXPECT_EQ(controller->frameCount(), 4u);
    ASSERT_EQ(published.names().size(), 3);
    const LiveFrame last = published.notifications().last().userInfo.value("image").value<LiveFrame>();
    EXPECT_EQ(last.shownAt(), now);
    EXPECT_TRUE(last.hasRequestedSize());
    EXPECT_EQ(last.render(), held);
    EXPECT_EQ(controller->captureView()->frame(), last);

    // Zoom and mirroring act on the held frame.
    controller->setZoom(2.0f);
    controller->setHFlipped(true);
    device->push(later);
    const LiveFrame zoomed = controller->captureView()->frame();
    EXPECT_EQ(zoomed.visibleRect(), QRect(320, 240, 640, 480));
    const QImage render = zoomed.render();
    EXPECT_EQ(render.size(), QSize(1280, 960));
    EXPECT_GT(qRed(render.pixel(1277, 2)), 200) << "the mark, top right once mirrored";
    EXPECT_LT(qRed(render.pixel(2, 2)), 50);
    EXPECT_LT(qRed(render.pixel(640, 480)), 50);

    // The same action lets go; so do a camera change and an unplugged camera.
    controller->setFrozen(false);
    device->push(later);
    EXPECT_GT(qRed(controller->captureView()->frame().render().pixel(640, 480)), 200) << "live again";
    ASSERT_TRUE(controller->setFrozen(true));
    const int second = hub.plug(VirtualCamera::Model::Tobble)->id();
    ASSERT_TRUE(waitUntil([&] { return registry->availableCameras().size() == 2; }));
    registry->setCurrentCamera(registry->availableCameras()[1]);
    EXPECT_FALSE(controller->isFrozen());
    backend.last->push(held);
    ASSERT_TRUE(controller->setFrozen(true));
    hub.unplug(second);
    EXPECT_TRUE(waitUntil([&] { return !controller->isFrozen(); }));
}

TEST(CaptureView, FitsThePictureCentredWithItsAspect)
{
    EXPECT_EQ(CaptureView::fittedRect({1280, 960}, QRect(0, 0, 800, 800)), QRect(0, 100, 800, 600));
    EXPECT_EQ(CaptureView::fittedRect({1280, 960}, QRect(0, 0, 1000, 600)), QRect(100, 0, 800, 600));
    EXPECT_EQ(CaptureView::fittedRect({}, QRect(0, 0, 10, 10)), QRect());
}

} // namespace
