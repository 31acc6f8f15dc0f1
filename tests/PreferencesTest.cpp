#include "TestSupport.h"

#include "core/DefaultsKeys.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"
#include "device/LumoCamerasController.h"
#include "device/virtual/VirtualCameraHub.h"
#include "device/virtual/VirtualControlSet.h"
#include "device/virtual/VirtualUvcModel.h"
#include "photos/PhotoNaming.h"
#include "photos/PhotoWriter.h"
#include "settings/CamSettingController.h"
#include "ui/preferences/CameraControlsForm.h"
#include "ui/preferences/GeneralPreferencesPane.h"
#include "ui/preferences/ImageAdjustmentPane.h"
#include "ui/preferences/LumoPreferencesWindowController.h"
#include "ui/preferences/RequestThrottle.h"
#include "ui/preferences/SystemPreferencesPane.h"
#include "ui/recording/RecordingPreferences.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

using namespace NotificationNames;
using namespace std::chrono_literals;
using Controller = LumoPreferencesWindowController;

// The preferences over the sandbox's defaults, a camera registry of virtual cameras (none
// unless a test plugs some before start()) and the setting cache of its current camera.
class Preferences : public testing::Test {
protected:
    void SetUp() override
    {
        LumoWindowController::setAnimationsEnabled(false);
        defaults = std::make_unique<UserDefaults>(sandbox.path("Arvo.conf"));
        defaults->setValue(DefaultsKeys::PhotoLibraryLocation, sandbox.path("Pictures/Arvo"));
        QDir().mkpath(sandbox.path("Pictures/Arvo"));
    }
    void TearDown() override
    {
        controller.reset();
        cache.reset();
        registry.reset();
        LumoWindowController::setAnimationsEnabled(true);
    }
    void start(int cameras = 0, const QUrl &updateUrl = {})
    {
        registry = std::make_unique<LumoCamerasController>(hub.createBackend());
        LumoCamerasController *r = registry.get();
        cache = std::make_unique<CamSettingController>(defaults.get(), [r] { return r->currentCamera(); });
        ASSERT_TRUE(waitUntil([&] { return registry->availableCameras().size() == cameras; }));
        controller = std::make_unique<Controller>(Controller::Services{defaults.get(), cache.get(), r, updateUrl});
    }
    GeneralPreferencesPane *general() const { return controller->generalPane(); }
    ImageAdjustmentPane *image() const { return controller->imagePane(); }
    int cameraValue(int id, const char *control) const { return hub.camera(id)->uvcModel().value(control).value_or(-1); }

    Sandbox sandbox;
    std::unique_ptr<UserDefaults> defaults;
    VirtualCameraHub hub;
    std::unique_ptr<LumoCamerasController> registry;
    std::unique_ptr<CamSettingController> cache;
    std::unique_ptr<Controller> controller;
};

TEST_F(Preferences, EachControlStoresItsKeyAndAnnouncesTheValueUnderIt)
{
    start();
    GeneralPreferencesPane *g = general();
    const QString folder = sandbox.path("Elsewhere");
    QDir().mkpath(folder);
    const struct {
        const char *what;
        std::function<void()> act;
        const char *notification;
        QVariantMap userInfo;
    } rows[] = {
        {"function pop-up",
         [&] { g->functionPopUp()->setCurrentIndex(2), emit g->functionPopUp()->activated(2); },
         ProgramKeyFunctionDidChange,
         {{DefaultsKeys::ProgramKeyFunction, 2}}},
        {"keep camera settings",
         [&] { g->keepCameraSetMatrix()->button(1)->click(); },
         KeepCameraSetDidChange,
         {{DefaultsKeys::KeepCameraSet, 1}}},
        {"name by prefix",
         [&] { g->prefixField()->setText("Lecture"), g->photoNameFormatMatrix()->button(1)->click(); },
         PhotoNameFormatSelDidChange,
         {{DefaultsKeys::PhotoNameFormatSel, 1}, {DefaultsKeys::PhotoNameFormatSelPrefix, "Lecture"}}},
        {"library folder",
         [&] { EXPECT_TRUE(g->setPhotoLibraryLocation(folder + "/")); },
         PhotoLibraryLocationDidChange,
         {{DefaultsKeys::PhotoLibraryLocation, folder}}},
        {"instant preview",
         [&] { g->instantPreviewMatrix()->button(2)->click(); },
         InstantPreviewDidChange,
         {{DefaultsKeys::InstantPreview, 2}}},
        {"snapshot sound",
         [&] { g->snapshotSoundSwitch()->click(); },
         SnapshotSoundEffectDidChange,
         {{DefaultsKeys::SnapshotSoundEffectSwitch, false}}},
        {"focus sound",
         [&] { g->focusSoundSwitch()->click(); },
         FocusSoundEffectDidChange,
         {{DefaultsKeys::FocusSoundEffectSwitch, false}}},
    };
    for (const auto &row : rows) {
        NotificationRecorder recorder({row.notification});
        row.act();
        ASSERT_EQ(recorder.notifications().size(), 1) << row.what;
        const Notification n = recorder.notifications()[0];
        EXPECT_EQ(n.object, nullptr) << row.what;
        EXPECT_EQ(n.userInfo, row.userInfo) << row.what;
        for (auto it = row.userInfo.begin(); it != row.userInfo.end(); ++it) {
            EXPECT_EQ(n.userInfo.value(it.key()).typeId(), it.value().typeId()) << row.what << " " << it.key().toStdString();
            EXPECT_EQ(defaults->value(it.key()).toString(), it.value().toString()) << row.what << " stored";
        }
    }
    EXPECT_EQ(g->pathField()->text(), QDir::toNativeSeparators(folder));

    // A fresh window reads every choice back.
    Controller again({defaults.get(), cache.get(), registry.get(), {}});
    GeneralPreferencesPane *h = again.generalPane();
    EXPECT_EQ(h->functionPopUp()->currentIndex(), 2);
    EXPECT_EQ(h->keepCameraSetMatrix()->checkedId(), 1);
    EXPECT_EQ(h->photoNameFormatMatrix()->checkedId(), 1);
    EXPECT_EQ(h->instantPreviewMatrix()->checkedId(), 2);
    EXPECT_FALSE(h->snapshotSoundSwitch()->isChecked());
    EXPECT_EQ(h->examplePhotoNameField()->text(), "Lecture_0001.jpg");
}

// The recorder reads these when a recording starts: they are stored, not announced. A stored
// value out of range reads as the default; a microphone not plugged in now stays the choice.
TEST_F(Preferences, RecordingChoicesAreStoredAndAMicrophoneNotPluggedInStaysChosen)
{
    defaults->setValue(DefaultsKeys::RecordingMicrophone, "usb-mic-7");
    defaults->setValue(DefaultsKeys::RecordingQuality, 7);
    start();
    controller->showWindow();
    RecordingPreferences *r = general()->recordingPreferences();
    EXPECT_TRUE(r->soundSwitch()->isChecked());
    EXPECT_TRUE(r->microphonePopUp()->isEnabled());
    EXPECT_EQ(r->microphonePopUp()->itemData(0).toString(), "") << "the default microphone first";
    EXPECT_EQ(r->microphonePopUp()->currentText(), "usb-mic-7 (not connected)");
    EXPECT_EQ(r->qualityMatrix()->checkedId(), 1);
    EXPECT_EQ(defaults->stringForKey(DefaultsKeys::RecordingMicrophone), "usb-mic-7") << "nothing stored by showing";

    NotificationRecorder announced({ProgramKeyFunctionDidChange, PhotoLibraryLocationDidChange});
    r->soundSwitch()->click();
    EXPECT_FALSE(r->microphonePopUp()->isEnabled()) << "no microphone without sound";
    r->qualityMatrix()->button(2)->click();
    emit r->microphonePopUp()->activated(0);
    EXPECT_FALSE(defaults->boolForKey(DefaultsKeys::RecordWithSound, true));
    EXPECT_EQ(defaults->integerForKey(DefaultsKeys::RecordingQuality), 2);
    EXPECT_EQ(defaults->stringForKey(DefaultsKeys::RecordingMicrophone), "");
    EXPECT_TRUE(announced.names().isEmpty());

    Controller again({defaults.get(), cache.get(), registry.get(), {}});
    RecordingPreferences *read = again.generalPane()->recordingPreferences();
    EXPECT_FALSE(read->soundSwitch()->isChecked());
    EXPECT_FALSE(read->microphonePopUp()->isEnabled());
    EXPECT_EQ(read->qualityMatrix()->checkedId(), 2);
    EXPECT_EQ(read->microphonePopUp()->currentIndex(), 0);
    EXPECT_EQ(read->microphonePopUp()->findText("usb-mic-7 (not connected)"), -1);
}

TEST_F(Preferences, PrefixShowsTheNamesItGivesAndIsKeptWhenTheWindowClosesUnconfirmed)
{
    // Photos 0001 to 0039 of "Lecture" are in the folder; the counter is stored for a day.
    const QDateTime now(QDate(2026, 12, 5), QTime(10, 0));
    const QString folder = sandbox.path("Pictures/Arvo");
    for (int number = 1; number <= 39; ++number)
        writeFile(PhotoNaming::photoPath(folder, "Lecture_", number), "x");
    const struct {
        bool custom;
        const char *prefix;
        int counter;      // stored, 0 for none
        QDate counterDay; // the day it is stored for
        const char *name;
    } rows[] = {{true, "Lecture", 0, {}, "Lecture_0040.jpg"},
                {true, "Lecture", 45, now.date(), "Lecture_0045.jpg"},
                {true, "Lecture", 12, now.date(), "Lecture_0040.jpg"},
                {true, "Notes", 45, now.date(), "Notes_0045.jpg"},
                {true, "Notes", 45, now.date().addDays(-1), "Notes_0001.jpg"},
                {true, " ../Notes ", 0, {}, "Notes_0001.jpg"},
                {true, "a/b", 0, {}, "a-b_0001.jpg"},
                {true, "...", 0, {}, "2026-12-05_0001.jpg"},
                {false, "Lecture", 0, {}, "2026-12-05_0001.jpg"}};
    for (const auto &row : rows) {
        defaults->setValue(DefaultsKeys::CapturedNumber, row.counter);
        defaults->setValue(DefaultsKeys::PreviousDate, row.counterDay.isValid() ? PhotoNaming::dayOfYear(row.counterDay) : 0);
        EXPECT_EQ(GeneralPreferencesPane::examplePhotoName({folder, row.custom, row.prefix}, defaults.get(), now), row.name)
            << row.prefix << " " << row.counter;
    }
    defaults->remove(DefaultsKeys::CapturedNumber);
    defaults->remove(DefaultsKeys::PreviousDate);

    defaults->setValue(DefaultsKeys::PhotoNameFormatSel, 1);
    start();
    controller->showWindow();
    NotificationRecorder recorder({PhotoNameFormatSelDidChange});
    general()->prefixField()->clear();
    writeFile(PhotoNaming::photoPath(folder, "PREFIX_", 1), "x");
    QTest::keyClicks(general()->prefixField(), "PREFIX");
    EXPECT_EQ(general()->examplePhotoNameField()->text(), "PREFIX_0002.jpg") << "the example follows the typing";
    writeFile(PhotoNaming::photoPath(folder, "PREFIX_", 2), "x");
    NotificationCenter::defaultCenter()->post(FileDidCreate);
    EXPECT_EQ(general()->examplePhotoNameField()->text(), "PREFIX_0003.jpg") << "and the photos taken";
    EXPECT_TRUE(recorder.names().isEmpty()) << "nothing is announced while typing";
    controller->preferencesWindow()->close();
    EXPECT_EQ(defaults->stringForKey(DefaultsKeys::PhotoNameFormatSelPrefix), "PREFIX");
    ASSERT_EQ(recorder.notifications().size(), 1);
    EXPECT_EQ(recorder.notifications()[0].userInfo.value(DefaultsKeys::PhotoNameFormatSel), 1) << "with the stored format";
    EXPECT_EQ(recorder.notifications()[0].userInfo.value(DefaultsKeys::PhotoNameFormatSelPrefix), "PREFIX");

    // Quitting with the window open keeps the typing too.
    controller->showWindow();
    QTest::keyClicks(general()->prefixField(), "_2");
    controller.reset();
    EXPECT_EQ(defaults->stringForKey(DefaultsKeys::PhotoNameFormatSelPrefix), "PREFIX_2");
}

TEST_F(Preferences, AFolderPhotosCannotBeWrittenToIsRefusedWithAMessageAndTheOldOneStays)
{
    start();
    controller->showWindow();
    writeFile(sandbox.path("a-file"), "x");
    const QString before = defaults->stringForKey(DefaultsKeys::PhotoLibraryLocation);
    const QString shown = general()->pathField()->text();
    // /proc takes no new files, not even from root.
    for (const QString &folder : {sandbox.path("a-file"), sandbox.path("missing"), QStringLiteral("/proc"), QString()}) {
        NotificationRecorder recorder({PhotoLibraryLocationDidChange});
        EXPECT_FALSE(general()->setPhotoLibraryLocation(folder)) << folder.toStdString();
        EXPECT_TRUE(recorder.names().isEmpty());
        EXPECT_EQ(defaults->stringForKey(DefaultsKeys::PhotoLibraryLocation), before);
        EXPECT_EQ(general()->pathField()->text(), shown);
        auto *message = controller->preferencesWindow()->findChild<QMessageBox *>("libraryFolderRefused");
        ASSERT_TRUE(message) << folder.toStdString();
        EXPECT_TRUE(message->isVisible());
        delete message;
    }
    EXPECT_TRUE(QDir(sandbox.path()).entryList(QDir::Hidden | QDir::Files).filter(".arvo-probe").isEmpty());
}

TEST_F(Preferences, OpensOnThePaneChosenLastAndSwapsPanesKeepingTheTopLeftCorner)
{
    start(0, QUrl("https://arvo-updates.net/"));
    controller->showWindow();
    QMainWindow *window = controller->preferencesWindow();
    EXPECT_EQ(controller->currentView(), general()) << "General the first time";
    EXPECT_FALSE(image()->videoDevices()->isEnabled()) << "no camera";
    EXPECT_EQ(image()->videoDevices()->count(), 0);

    window->move(300, 200);
    const QPoint topLeft = window->frameGeometry().topLeft();
    controller->toolbarItem(Controller::SystemItem)->trigger();
    EXPECT_EQ(controller->currentView(), controller->systemPane());
    EXPECT_TRUE(controller->systemPane()->isVisible());
    EXPECT_FALSE(general()->isVisible());
    EXPECT_EQ(window->frameGeometry().topLeft(), topLeft);
    EXPECT_EQ(window->centralWidget()->height(), controller->systemPane()->sizeHint().height()) << "sized to the pane";
    EXPECT_GE(window->centralWidget()->width(), window->findChild<QToolBar *>()->sizeHint().width()) << "the toolbar never folds";
    EXPECT_EQ(defaults->stringForKey(DefaultsKeys::PreferencesItemSaved), Controller::SystemItem);
    EXPECT_EQ(controller->systemPane()->firmwareVersion()->text(), "0.0");
    EXPECT_TRUE(controller->systemPane()->updateButton()) << "a real update address";

    // The item of the pane shown changes nothing.
    const QRect frame = window->frameGeometry();
    controller->toolbarItem(Controller::SystemItem)->trigger();
    EXPECT_EQ(window->frameGeometry(), frame);

    window->close();
    controller = std::make_unique<Controller>(
        Controller::Services{defaults.get(), cache.get(), registry.get(), QUrl("https://arvo.example.org/updates/")});
    controller->showWindow();
    EXPECT_EQ(controller->currentView(), controller->systemPane());
    EXPECT_TRUE(controller->toolbarItem(Controller::SystemItem)->isChecked());
    EXPECT_FALSE(controller->systemPane()->updateButton()) << "a placeholder address offers no update check";
}

TEST(RequestThrottleTest, AtMostOneRequestPerIntervalAndTheLastValueAlwaysArrives)
{
    // Values submitted at the given clock times, with an interval of 33 ms; what goes at once,
    // and what the held value ends on.
    const struct {
        std::vector<std::pair<int, int>> submits; // time, value
        std::vector<int> atOnce;
        std::vector<int> all;
    } rows[] = {
        {{{0, 1}}, {1}, {1}},
        {{{0, 1}, {10, 2}, {20, 3}, {30, 4}}, {1}, {1, 4}},
        {{{0, 1}, {40, 2}, {80, 3}}, {1, 2, 3}, {1, 2, 3}},
        {{{0, 1}, {32, 2}, {33, 3}}, {1}, {1, 3}}, // the held value is replaced, never sent early
        {{{100, 1}, {101, 1}}, {1}, {1, 1}},
    };
    for (const auto &row : rows) {
        std::chrono::milliseconds now{0};
        std::vector<int> sent;
        RequestThrottle throttle(33ms, [&](int v) { sent.push_back(v); });
        throttle.setClock([&] { return now; });
        for (const auto &[time, value] : row.submits) {
            now = std::chrono::milliseconds(time);
            throttle.submit(value);
        }
        EXPECT_EQ(sent, row.atOnce);
        EXPECT_TRUE(waitUntil([&] { return !throttle.hasPending(); }));
        EXPECT_EQ(sent, row.all);
    }
}

TEST_F(Preferences, ProgrammableButtonFunctionOnlyForACameraWithButtonsAndThePaneKeepsItsSize)
{
    hub.plug(VirtualCamera::Model::Arvo);
    start(1);
    controller->showWindow();
    const CameraPtr arvo = registry->currentCamera();
    const QSize size = general()->sizeHint();
    const struct {
        const char *name;
        CameraPtr camera;
        bool enabled;
        const char *description;
    } rows[] = {
        {"without buttons", AnsweringCamera::make({}), false, "This camera has no programmable button."},
        {"Arvo", arvo, true, "Brings the camera into focus once."},
        {"none", nullptr, true, "Brings the camera into focus once."},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        registry->setCurrentCamera(row.camera);
        EXPECT_EQ(general()->functionPopUp()->isEnabled(), row.enabled);
        EXPECT_EQ(general()->descriptField()->text(), row.description);
        EXPECT_EQ(general()->sizeHint(), size);
    }
}

TEST_F(Preferences, CameraPopUpSlidersAndVersionsFollowTheCurrentOfTwoCameras)
{
    hub.plug(VirtualCamera::Model::Arvo);
    hub.plug(VirtualCamera::Model::Tobble);
    start(2);
    defaults->setValue(DefaultsKeys::PreferencesItemSaved, Controller::ImageItem);
    controller->showWindow();
    QComboBox *popUp = image()->videoDevices();
    ASSERT_EQ(popUp->count(), 2);
    EXPECT_EQ(popUp->itemText(0), "Arvoscope");
    EXPECT_EQ(popUp->itemText(1), "Velmar Tobble");
    EXPECT_EQ(popUp->currentIndex(), 0);
    EXPECT_TRUE(popUp->isEnabled());
    QSlider *hue = image()->slider(ImageAdjustmentPane::Hue);
    EXPECT_EQ(std::make_pair(hue->minimum(), hue->maximum()), std::make_pair(-10, 10)) << "the camera's own limits";

    // A slider dragged faster than the camera takes requests: the first value goes, the next
    // ones are held, and the camera ends on the last.
    QSlider *bright = image()->slider(ImageAdjustmentPane::Brightness);
    image()->throttle(ImageAdjustmentPane::Brightness)->setClock([] { return 1000ms; });
    for (int v : {10, 20, 30, 40})
        bright->setValue(v);
    EXPECT_EQ(cameraValue(1, "brightness"), 10);
    EXPECT_TRUE(waitUntil([&] { return cameraValue(1, "brightness") == 40; }));
    hue->setValue(-10);
    EXPECT_EQ(cache->hue(), -10);
    EXPECT_EQ(cameraValue(1, "hue"), -10);

    image()->defaultsButton()->click();
    EXPECT_EQ(bright->value(), 128);
    EXPECT_EQ(cameraValue(1, "brightness"), 128);
    EXPECT_EQ(cameraValue(1, "hue"), 0);

    // The current camera again restarts the picture; the other one becomes current.
    NotificationRecorder recorder({CommandRestartCaptureView, CameraDidChange});
    emit popUp->activated(0);
    EXPECT_EQ(recorder.names(), QStringList{CommandRestartCaptureView});
    EXPECT_EQ(registry->currentCamera(), registry->availableCameras()[0]);
    popUp->setCurrentIndex(1);
    emit popUp->activated(1);
    EXPECT_EQ(registry->currentCamera(), registry->availableCameras()[1]);
    EXPECT_EQ(recorder.names().last(), CameraDidChange);
    EXPECT_EQ(std::make_pair(hue->minimum(), hue->maximum()), std::make_pair(-180, 180));
    EXPECT_EQ(popUp->currentIndex(), 1);

    controller->toolbarItem(Controller::SystemItem)->trigger();
    EXPECT_EQ(controller->systemPane()->firmwareVersion()->text(), "1.0");
}

TEST_F(Preferences, CameraOfAnotherMakerShowsItsOwnControlsAndTheArvoItsSixSliders)
{
    namespace Id = CameraControlId;
    hub.plug(VirtualCamera::Model::Uvc);
    hub.plug(VirtualCamera::Model::Arvo);
    start(2);
    defaults->setValue(DefaultsKeys::PreferencesItemSaved, Controller::ImageItem);
    controller->showWindow();
    VirtualControlSet &camera = *hub.camera(1)->controlSet();
    CameraControlsForm *form = image()->controlsForm();
    ASSERT_TRUE(form->isVisible());
    EXPECT_EQ(form->rowCount(), camera.controls().size());
    EXPECT_GE(form->height(), form->sizeHint().height()) << "the window is sized for the rows";
    EXPECT_FALSE(image()->slider(ImageAdjustmentPane::Brightness)->isVisible());
    EXPECT_FALSE(image()->frequencySwitch()->isVisible());
    EXPECT_FALSE(image()->focusSwitch()->button(0)->isVisible()) << "no vendor focus";

    auto *hue = qobject_cast<QSlider *>(form->editor(Id::Hue));
    ASSERT_TRUE(hue);
    EXPECT_EQ(std::make_pair(hue->minimum(), hue->maximum()), std::make_pair(-40, 40));
    auto *temperature = qobject_cast<QSlider *>(form->editor(Id::WhiteBalanceTemperature));
    ASSERT_TRUE(temperature);
    EXPECT_EQ(form->label(Id::WhiteBalanceTemperature)->text(), "White Balance Temperature:");
    EXPECT_FALSE(temperature->isEnabled()) << "inactive while the white balance is automatic";
    qobject_cast<QCheckBox *>(form->editor(Id::AutoWhiteBalance))->click();
    EXPECT_TRUE(temperature->isEnabled());
    temperature->setValue(5013);
    EXPECT_TRUE(waitUntil([&] { return camera.value(Id::WhiteBalanceTemperature) == 5010; })) << "on the control's steps";
    auto *frequency = qobject_cast<QComboBox *>(form->editor(Id::PowerLineFrequency));
    ASSERT_TRUE(frequency);
    EXPECT_EQ(frequency->itemText(2), "60 Hz");
    frequency->setCurrentIndex(2);
    emit frequency->activated(2);
    EXPECT_EQ(camera.value(Id::PowerLineFrequency), 2);

    image()->defaultsButton()->click();
    EXPECT_EQ(camera.value(Id::PowerLineFrequency), 1);
    EXPECT_EQ(camera.value(Id::AutoWhiteBalance), 1);
    EXPECT_FALSE(temperature->isEnabled());
    EXPECT_EQ(frequency->currentIndex(), 1);

    // Each camera keeps its own values; the Arvo shows the pane as it always has.
    hue->setValue(-20);
    EXPECT_TRUE(waitUntil([&] { return camera.value(Id::Hue) == -20; }));
    QComboBox *popUp = image()->videoDevices();
    emit popUp->activated(1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(image()->slider(ImageAdjustmentPane::Hue)->isVisible());
    EXPECT_TRUE(image()->frequencySwitch()->isVisible());
    EXPECT_TRUE(image()->focusSwitch()->button(0)->isVisible());
    EXPECT_EQ(image()->slider(ImageAdjustmentPane::Hue)->minimum(), -10);
    emit popUp->activated(0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(qobject_cast<QSlider *>(form->editor(Id::Hue))->value(), -20);
}

} // namespace
