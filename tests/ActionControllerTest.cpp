#include "TestSupport.h"
#include "photos/CameraSounds.h"
#include "photos/LumoActionController.h"
#include "photos/series/PhotoSeries.h"
#include "core/DefaultsKeys.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using namespace NotificationNames;

const QStringList TimerNames = {CaptureDidTriggleTimer, CaptureWillUpdateTimer, AppWillSnapshot, FileDidCreate, PhotoSaveDidFail};

class ActionController : public testing::Test {
protected:
    void SetUp() override
    {
        defaults = std::make_unique<UserDefaults>(sandbox.path("Arvo.conf"));
        defaults->setValue(DefaultsKeys::PhotoLibraryLocation, sandbox.path("Library"));
        QDir().mkpath(sandbox.path("Library"));
        controller = std::make_unique<LumoActionController>(
            defaults.get(), [this] { return camera; }, [] { return QDateTime(QDate(2026, 12, 5), QTime(9, 30, 0)); });
        controller->sounds()->setPlayer([this](const QString &name) { sounds << name; });
        controller->setFrameClock([this] { return now; });
        QObject::connect(controller.get(), &LumoActionController::framesWanted, [this](bool on) { framesWanted << on; });
    }

    void press() { controller->velmarDidSnapshot({Snapshot, nullptr, {}}); }
    void setTimer(int seconds)
    {
        NotificationCenter::defaultCenter()->post(DeviceCacheWillUpdateTimer, nullptr, {{"DevTimerValue", seconds}});
    }
    QList<int> timerValues(const NotificationRecorder &r) const
    {
        QList<int> values;
        for (const Notification &n : r.notifications())
            if (n.name == CaptureWillUpdateTimer)
                values << n.userInfo.value("DevTimerValue").toInt();
        return values;
    }
    QImage frame() const
    {
        QImage image(1280, 960, QImage::Format_RGB32);
        image.fill(qRgb(200, 180, 40));
        return image;
    }
    // A frame as the pipeline publishes it: shown `age` ago, with the size the settings ask for.
    LiveFrame shown(std::chrono::milliseconds age, const QSize &requested = {1280, 960}) const
    {
        return LiveFrame(frame(), {}).stamped(now - age, requested);
    }

    Sandbox sandbox;
    std::unique_ptr<UserDefaults> defaults;
    CameraPtr camera;
    LiveFrame::TimePoint now = LiveFrame::steadyNow();
    std::unique_ptr<LumoActionController> controller;
    QStringList sounds;
    QList<bool> framesWanted;
};

TEST_F(ActionController, CountdownTicksThenTakesThePhotoAndRunsOnItsOwnTimer)
{
    controller->setCurrentImage(frame());
    setTimer(3);
    NotificationRecorder recorder(TimerNames);
    press();
    EXPECT_TRUE(controller->countdownRunning());
    EXPECT_EQ(recorder.names(), QStringList({CaptureDidTriggleTimer, CaptureWillUpdateTimer}));
    EXPECT_EQ(sounds, QStringList({"TimerTick"}));

    press(); // a press during the countdown only ticks
    for (int i = 0; i < 3; ++i)
        controller->timerToSnapshot();
    EXPECT_EQ(timerValues(recorder), QList<int>({3, 2, 1, 0}));
    EXPECT_EQ(sounds, QStringList({"TimerTick", "TimerTick", "TimerTick", "TimerTick", "CameraShutter"}))
        << "ticks on the press, the second press, 2 and 1; none at 0";
    EXPECT_FALSE(controller->countdownRunning());
    ASSERT_TRUE(recorder.waitForCount(7));
    EXPECT_EQ(recorder.names().mid(5), QStringList({AppWillSnapshot, FileDidCreate}));

    // Left alone, the countdown runs on its own timer.
    setTimer(10);
    recorder.clear();
    press();
    ASSERT_TRUE(recorder.waitForCount(14, 5000)); // triggle + 11 values + snapshot + file
    EXPECT_EQ(timerValues(recorder), QList<int>({10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(recorder.names().last(), FileDidCreate);
}

// No timer set (0), and timer values the timer does not offer.
TEST_F(ActionController, WithoutACountdownThePhotoIsTakenAtOnceIntoTheLibrary)
{
    controller->setCurrentImage(frame());
    int number = 0;
    for (int seconds : {0, -1, 5}) {
        SCOPED_TRACE(seconds);
        if (seconds != 0)
            setTimer(seconds);
        NotificationRecorder recorder(TimerNames);
        press();
        EXPECT_EQ(recorder.names(), QStringList({AppWillSnapshot}));
        EXPECT_FALSE(controller->countdownRunning());
        ASSERT_TRUE(recorder.waitForCount(2));
        EXPECT_EQ(recorder.names().last(), FileDidCreate);
        EXPECT_TRUE(recorder.allOnMainThread());
        const QString file = recorder.notifications().last().userInfo.value("FileURLKey").toUrl().toLocalFile();
        EXPECT_EQ(file, sandbox.path(QString("Library/2026-12-05_%1.jpg").arg(++number, 4, 10, QChar('0'))));
        EXPECT_TRUE(QFileInfo(file).size() > 1000);
    }
}

TEST_F(ActionController, QuittingWaitsForPhotosStillBeingSaved)
{
    controller->setCurrentImage(frame());
    for (int i = 0; i < 3; ++i)
        press();
    controller.reset(); // no event loop turn in between: the saves may still be running
    const QStringList files = QDir(sandbox.path("Library")).entryList(QDir::Files);
    EXPECT_EQ(files, QStringList({"2026-12-05_0001.jpg", "2026-12-05_0002.jpg", "2026-12-05_0003.jpg"}));
    for (const QString &name : files)
        EXPECT_EQ(QImage(sandbox.path("Library/" + name)).size(), QSize(1280, 960)) << qPrintable(name);
}

// A series on the test time scale: its photos are snapshots, named in turn, an interval apart; a
// camera unplugged or quitting ends it and says so, and no photo follows.
TEST_F(ActionController, SeriesTakesPhotosAtItsIntervalUntilDoneUnpluggedOrQuit)
{
    controller->setCurrentImage(frame());
    camera = AnsweringCamera::make({});
    QElapsedTimer clock;
    clock.start();
    QList<qint64> shots;
    PhotoSeries series(
        [&] {
            shots << clock.elapsed();
            controller->snapshot();
        },
        [this] { return camera; });
    QList<QPair<PhotoSeries::End, QString>> ends;
    QObject::connect(&series, &PhotoSeries::ended, [&](PhotoSeries::End why, const QString &message) { ends << qMakePair(why, message); });

    EXPECT_TRUE(series.start({1, 3})); // one second is below the shortest interval, two
    EXPECT_EQ(series.plan().intervalSeconds, 2);
    EXPECT_EQ(shots.size(), 1); // the first photo at once
    EXPECT_EQ(series.progressText(), "Series: 1 of 3, next in 2 s");
    ASSERT_TRUE(waitUntil([&] { return !series.isRunning(); }));
    ASSERT_EQ(shots.size(), 3);
    // The timer keeps to its beat: a late photo does not push the later ones back.
    for (int i = 1; i < shots.size(); ++i)
        EXPECT_GE(shots[i] - shots[0], i * Delays::scaled(std::chrono::seconds(2)) - 1) << i;
    ASSERT_EQ(ends.size(), 1);
    EXPECT_EQ(ends[0], qMakePair(PhotoSeries::End::Completed, QString("Series complete: 3 photos taken.")));
    controller->waitForSaves();
    EXPECT_EQ(QDir(sandbox.path("Library")).entryList(QDir::Files),
              QStringList({"2026-12-05_0001.jpg", "2026-12-05_0002.jpg", "2026-12-05_0003.jpg"}));

    // Until stopped: the camera goes after two photos.
    ASSERT_TRUE(series.start({2, 0}));
    ASSERT_TRUE(waitUntil([&] { return shots.size() == 5; }));
    camera.reset();
    NotificationCenter::defaultCenter()->post(CameraWillChange);
    EXPECT_FALSE(series.isRunning());
    EXPECT_EQ(ends.last(),
              qMakePair(PhotoSeries::End::CameraUnplugged, QString("The camera was unplugged, so the series ended after 2 photos.")));
    EXPECT_FALSE(series.start({2, 0})) << "no camera, no series";
    waitUntil([] { return false; }, Delays::scaled(std::chrono::seconds(5)));
    EXPECT_EQ(shots.size(), 5);

    camera = AnsweringCamera::make({});
    controller->setCurrentImage(frame()); // the new camera's picture
    ASSERT_TRUE(series.start({600, 0}));
    // Delays run scaled down here, so a loaded machine may already be a scaled second or two in.
    const QString progress = series.progressText();
    EXPECT_TRUE(progress == "Series: 1 taken, next in 10:00" || progress.startsWith("Series: 1 taken, next in 9:5"))
        << qPrintable(progress);
    series.stop(PhotoSeries::End::Quit);
    EXPECT_EQ(ends.last().second, "Arvo is quitting, so the series ended after 1 photo.");
    controller->waitForSaves();
    EXPECT_EQ(QDir(sandbox.path("Library")).entryList(QDir::Files).size(), 6);
}

// No frame yet; the camera changed or went; the picture stopped or was paused; the stream stalled;
// a new camera's frames before its settings set the resolution.
TEST_F(ActionController, SnapshotWithoutASuitableFrameWaitsThenMakesNoFileSaysWhyAndEndsTheCountdown)
{
    const struct {
        std::function<void()> prepare;
        const char *message;
    } cases[] = {
        {[] {}, "not shown a frame"},
        {[&] {
             controller->setCurrentImage(frame());
             NotificationCenter::defaultCenter()->post(CameraDidChange);
         },
         "not shown a frame"},
        {[&] {
             controller->setCurrentImage(frame());
             controller->captureViewWillDisplayImage({WillDisplayImage, nullptr, {}});
         },
         "not shown a frame"},
        {[&] { controller->setCurrentFrame(shown(std::chrono::milliseconds(1100))); }, "stopped sending"},
        {[&] { controller->setCurrentFrame(shown(std::chrono::milliseconds(0), {})); }, "chosen resolution"},
    };
    setTimer(3);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        c.prepare();
        NotificationRecorder recorder({AppWillSnapshot, PhotoSaveDidFail, CaptureDidInvalidateTimer});
        press();
        for (int i = 0; i < 3; ++i)
            controller->timerToSnapshot();
        EXPECT_TRUE(recorder.names().isEmpty()) << "it waits for a frame to take";
        ASSERT_TRUE(recorder.waitForCount(2));
        EXPECT_EQ(recorder.names(), QStringList({PhotoSaveDidFail, CaptureDidInvalidateTimer}));
        EXPECT_TRUE(recorder.notifications().first().userInfo.value("message").toString().contains(c.message))
            << qPrintable(recorder.notifications().first().userInfo.value("message").toString());
        EXPECT_EQ(framesWanted.mid(framesWanted.size() - 2), QList<bool>({true, false}));
    }
    EXPECT_TRUE(QDir(sandbox.path("Library")).entryList(QDir::Files).isEmpty());
}

// As in review mode, where the picture paused, or for a new camera whose settings are not
// applied yet: the photo is of the first fresh frame of the chosen size.
TEST_F(ActionController, SnapshotWaitsForAFreshFrameOfTheChosenSize)
{
    NotificationRecorder recorder({AppWillSnapshot, FileDidCreate, PhotoSaveDidFail});
    press();
    press();
    controller->setCurrentFrame(shown(std::chrono::milliseconds(1500)));
    controller->setCurrentFrame(shown(std::chrono::milliseconds(0), {}));
    QImage wanted(640, 480, QImage::Format_RGB32);
    wanted.fill(Qt::darkGreen);
    controller->setCurrentFrame(LiveFrame(wanted, {}).stamped(now, {640, 480}));
    ASSERT_TRUE(recorder.waitForCount(4));
    EXPECT_EQ(recorder.names(), QStringList({AppWillSnapshot, AppWillSnapshot, FileDidCreate, FileDidCreate}));
    EXPECT_EQ(recorder.notifications().first().userInfo.value("image").value<QImage>(), wanted);
    EXPECT_EQ(framesWanted, QList<bool>({true, false}));
}

// A camera change or unplug, Escape and a click on the countdown end it: no photo, and the
// controls unlock.
TEST_F(ActionController, CountdownEndsWithoutAPhotoWhenCancelledOrTheCameraChanges)
{
    const std::function<void()> endings[] = {
        [&] { controller->cancelCountdown(); },
        [&] { NotificationCenter::defaultCenter()->post(CameraWillChange); },
    };
    setTimer(3);
    for (const auto &end : endings) {
        controller->setCurrentImage(frame());
        NotificationRecorder recorder({AppWillSnapshot, CaptureDidInvalidateTimer});
        press();
        controller->timerToSnapshot();
        end();
        EXPECT_FALSE(controller->countdownRunning());
        EXPECT_EQ(recorder.names(), QStringList({CaptureDidInvalidateTimer}));
    }
    EXPECT_TRUE(QDir(sandbox.path("Library")).entryList(QDir::Files).isEmpty());
}

// A zoomed frame whose camera JPEG does not decode whole fails as damaged, not as missing.
TEST_F(ActionController, DamagedFrameIsReportedAsDamagedNotAsMissing)
{
    QImage part(640, 480, QImage::Format_RGB32);
    part.fill(Qt::gray);
    controller->setCurrentFrame(
        LiveFrame(part, QRect(320, 240, 640, 480), 1, QSize(1280, 960), QByteArray("\xff\xd8 cut short"), {2.0f, false, false, {1280, 960}})
            .stamped(now, {1280, 960}));
    NotificationRecorder recorder({AppWillSnapshot, PhotoSaveDidFail});
    controller->snapshot();
    ASSERT_EQ(recorder.names(), QStringList({PhotoSaveDidFail}));
    EXPECT_TRUE(recorder.notifications().first().userInfo.value("message").toString().contains("damaged"));
    EXPECT_TRUE(QDir(sandbox.path("Library")).entryList(QDir::Files).isEmpty());
}

TEST_F(ActionController, PhotoThatCannotBeWrittenIsNeverAnnouncedAsCreated)
{
    // A plain file where the library folder should be: not even root can write into it.
    ASSERT_TRUE(writeFile(sandbox.path("Blocked"), {}));
    controller->photoLibraryLocationDidChange(
        {PhotoLibraryLocationDidChange, nullptr, {{"LumoPhotoLibraryLocationKey", sandbox.path("Blocked")}}});
    controller->setCurrentImage(frame());
    NotificationRecorder recorder(TimerNames + QStringList{CaptureDidInvalidateTimer});
    press();
    ASSERT_TRUE(recorder.waitForCount(3));
    EXPECT_EQ(recorder.names(), QStringList({AppWillSnapshot, PhotoSaveDidFail, CaptureDidInvalidateTimer}));
    EXPECT_FALSE(recorder.notifications()[1].userInfo.value("message").toString().isEmpty());
}

TEST_F(ActionController, ProgrammableButtonAsksTheControlsForItsStep)
{
    NotificationRecorder recorder({CaptureWillDigitalZoom, CaptureViewWillUpdateExposure, CaptureWillMirror});
    int freezes = 0;
    int recordings = 0;
    QObject::connect(controller.get(), &LumoActionController::freezeToggleRequested, [&] { ++freezes; });
    QObject::connect(controller.get(), &LumoActionController::recordingToggleRequested, [&] { ++recordings; });
    for (int function : {1, 2, 3, 4, 5}) {
        controller->programKeyFunctionDidChange({ProgramKeyFunctionDidChange, nullptr, {{"ProgramKeyFunctionKey", function}}});
        controller->velmarDidPressCustomButton({CameraCustomButton, nullptr, {}});
    }
    EXPECT_EQ(recorder.names(), QStringList({CaptureWillDigitalZoom, CaptureViewWillUpdateExposure, CaptureWillMirror}));
    EXPECT_EQ(freezes, 1);
    EXPECT_EQ(recordings, 1);
}

TEST_F(ActionController, FocusSoundsSkipTheApplicationsOwnAutofocus)
{
    NotificationRecorder recorder({CaptureFocusWillBegin, CaptureFocusWillEnd});
    controller->velmarDidBeginFocus({});
    controller->velmarDidEndFocus({});
    EXPECT_EQ(sounds, QStringList({"CameraServoAutoFocus", "CameraFocusBeep"}));
    EXPECT_EQ(recorder.names(), QStringList({CaptureFocusWillBegin, CaptureFocusWillEnd}));

    sounds.clear();
    controller->velmarWillBeginAutoFocus({});
    controller->velmarDidBeginFocus({});
    controller->velmarDidEndFocus({});
    EXPECT_TRUE(sounds.isEmpty());
    EXPECT_FALSE(controller->isAutoFocus());

    // With focus sounds off, an automatic focus stays marked until a focus ends with them on.
    controller->focusSoundEffectDidChange({FocusSoundEffectDidChange, nullptr, {{"FocusSoundEffectSwitchKey", false}}});
    controller->velmarWillBeginAutoFocus({});
    controller->velmarDidEndFocus({});
    EXPECT_TRUE(controller->isAutoFocus());
}

} // namespace
