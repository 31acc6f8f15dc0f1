#include "TestSupport.h"
#include "core/UserDefaults.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(UserDefaults, NestedDictionariesAreReadableGroupsAndRoundTrip)
{
    Sandbox sandbox;
    const QString path = UserDefaults::standardPath();
    EXPECT_EQ(path, sandbox.path(".config/Arvo/Arvo.conf")) << "the standard file is in XDG_CONFIG_HOME";
    {
        UserDefaults defaults(path);
        defaults.setDictionary("LumoDevices",
                               {{"Arvo", QVariantMap{{"ZoomIndex", 3}, {"HFlip", true}}}, {"Tobble", QVariantMap{{"ZoomIndex", 1}}}});
        defaults.setValue("KeepCameraSetKey", 1);
    }
    const QString text = QString::fromUtf8(readFile(path));
    EXPECT_TRUE(text.contains("[LumoDevices]")) << qPrintable(text);
    EXPECT_TRUE(text.contains("Arvo\\ZoomIndex=3")) << qPrintable(text);
    EXPECT_FALSE(text.contains("@Variant")) << "no binary blobs in the file";

    UserDefaults again(path);
    const QVariantMap devices = again.dictionaryForKey("LumoDevices");
    EXPECT_EQ(devices.value("Arvo").toMap().value("ZoomIndex").toInt(), 3);
    EXPECT_TRUE(devices.value("Arvo").toMap().value("HFlip").toBool());
    EXPECT_EQ(devices.value("Tobble").toMap().value("ZoomIndex").toInt(), 1);
    EXPECT_TRUE(again.contains("LumoDevices"));
    EXPECT_EQ(again.integerForKey("KeepCameraSetKey"), 1);

    // Replacing a dictionary drops the entries it no longer has.
    again.setDictionary("LumoDevices", {{"Tobble", QVariantMap{{"ZoomIndex", 2}}}});
    EXPECT_FALSE(again.dictionaryForKey("LumoDevices").contains("Arvo"));
}

TEST(UserDefaults, JunkValuesAndMissingKeysGiveTheCallersDefault)
{
    Sandbox sandbox;
    const QString path = sandbox.path("Arvo.conf");
    ASSERT_TRUE(writeFile(path, "[General]\nProgramKeyFunctionKey=banana\nSnapshotSoundEffectSwitchKey=perhaps\n"
                                "FocusSoundEffectSwitchKey=false\nInstantPreviewKey=2\n"));
    UserDefaults defaults(path);
    EXPECT_EQ(defaults.integerForKey("ProgramKeyFunctionKey", 7), 7);
    EXPECT_TRUE(defaults.boolForKey("SnapshotSoundEffectSwitchKey", true));
    EXPECT_FALSE(defaults.boolForKey("FocusSoundEffectSwitchKey", true));
    EXPECT_EQ(defaults.integerForKey("InstantPreviewKey"), 2);
    EXPECT_EQ(defaults.integerForKey("Missing", -4), -4);
    EXPECT_EQ(defaults.stringForKey("Missing", "x"), "x");
    EXPECT_TRUE(defaults.dictionaryForKey("Missing").isEmpty());
}

QByteArray binaryGarbage()
{
    QByteArray garbage;
    for (int i = 0; i < 512; ++i)
        garbage.append(char((i * 37) & 0xff));
    return garbage;
}

// Files that cannot be read as Arvo's settings: kept aside, and the program starts from defaults.
class DamagedDefaultsFile : public testing::TestWithParam<QByteArray> {};

TEST_P(DamagedDefaultsFile, GivesDefaultsAndIsKeptAside)
{
    Sandbox sandbox;
    const QString path = sandbox.path("Arvo.conf");
    ASSERT_TRUE(writeFile(path, GetParam()));
    UserDefaults defaults(path);
    EXPECT_EQ(defaults.integerForKey("InstantPreviewKey", 1), 1);
    EXPECT_TRUE(defaults.dictionaryForKey("LumoDevices").value("Arvo").toMap().isEmpty());
    EXPECT_EQ(defaults.damagedCopy(), path + ".damaged");
    EXPECT_EQ(readFile(path + ".damaged"), GetParam());
    defaults.setValue("InstantPreviewKey", 2);
    EXPECT_TRUE(defaults.sync());
    EXPECT_EQ(UserDefaults(path).integerForKey("InstantPreviewKey"), 2);
    EXPECT_TRUE(UserDefaults(path).damagedCopy().isEmpty()) << "told at one start only";

    // Unnamed groups written by hand while the program runs are passed over when read.
    ASSERT_TRUE(writeFile(path, "[LumoDevices]\nArvo//Zoom=2\n/Zoom=2\n\\\\=3\nTobble\\ZoomIndex=4\n"));
    EXPECT_EQ(defaults.dictionaryForKey("LumoDevices").value("Tobble").toMap().value("ZoomIndex").toInt(), 4);
}

// Changes are gathered into one write that no read waits for; what changes nothing writes nothing.
TEST(UserDefaults, ChangesAreGatheredIntoOneWriteAndReadAtOnce)
{
    Sandbox sandbox;
    const QString path = sandbox.path("Arvo.conf");
    UserDefaults defaults(path, std::chrono::hours(1));
    for (int i = 1; i <= 18; ++i)
        defaults.setValue("LumoCapturedNumber", i);
    defaults.setDictionary("LumoDevices", {{"Arvo", QVariantMap{{"Zoom", 2}, {"HFlip", true}}}});
    defaults.setValue("LumoDevices/Arvo/Zoom", 3);
    defaults.remove("Missing");
    EXPECT_EQ(defaults.integerForKey("LumoCapturedNumber"), 18);
    EXPECT_EQ(defaults.dictionaryForKey("LumoDevices").value("Arvo").toMap().value("Zoom").toInt(), 3);
    EXPECT_EQ(defaults.writeCount(), 0);
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(defaults.flush());
    EXPECT_EQ(defaults.writeCount(), 1);
    EXPECT_TRUE(readFile(path).contains("LumoCapturedNumber=18"));
    EXPECT_TRUE(readFile(path).contains("Arvo\\Zoom=3"));

    // Read back from the file as text, the same values change nothing.
    UserDefaults again(path, std::chrono::hours(1));
    again.setValue("LumoCapturedNumber", 18);
    again.setDictionary("LumoDevices", {{"Arvo", QVariantMap{{"Zoom", 3}, {"HFlip", true}}}});
    again.remove("Missing");
    EXPECT_TRUE(again.flush());
    EXPECT_EQ(again.writeCount(), 0);

    // A line a person added meanwhile is read at once and kept by the next write.
    ASSERT_TRUE(writeFile(path, "ByHand=5\n" + readFile(path)));
    EXPECT_EQ(again.integerForKey("ByHand"), 5);
    again.setValue("KeepCameraSetKey", 1);
    EXPECT_EQ(again.integerForKey("ByHand"), 5);
    // A store opened on the file sees what another one still gathers.
    EXPECT_EQ(UserDefaults(path).integerForKey("KeepCameraSetKey"), 1);
    EXPECT_TRUE(readFile(path).contains("ByHand=5"));
}

TEST(UserDefaults, AChangeReachesTheFileAfterTheGatheringDelay)
{
    Sandbox sandbox;
    const QString path = sandbox.path("Arvo.conf");
    UserDefaults defaults(path, std::chrono::milliseconds(100));
    defaults.setValue("InstantPreviewKey", 2);
    defaults.setValue("InstantPreviewKey", 3);
    EXPECT_TRUE(waitUntil([&] { return defaults.writeCount() == 1; }));
    EXPECT_TRUE(readFile(path).contains("InstantPreviewKey=3"));
}

INSTANTIATE_TEST_SUITE_P(UserDefaults, DamagedDefaultsFile,
                         testing::Values(binaryGarbage(), "[LumoDevices]\nArvo//Zoom=2\nArvo\\ZoomIndex=3\n", "[LumoDevices]\n/Zoom=2\n",
                                         "[LumoDevices]\n\\\\=3\n"));

// Qt flushes a settings object on its own thread when its queued update request comes up; a
// write from a save thread must leave nothing for the main thread to do to the store.
TEST(UserDefaults, WritesFromOtherThreadsLeaveNoFlushForTheMainThread)
{
    struct UpdateSpy : QObject {
        int updates = 0;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            updates += event->type() == QEvent::UpdateRequest && qobject_cast<QSettings *>(watched);
            return false;
        }
    } spy;
    Sandbox sandbox;
    UserDefaults defaults(sandbox.path("Arvo.conf"));
    qApp->installEventFilter(&spy);
    std::thread([&] {
        for (int i = 1; i <= 20; ++i)
            defaults.setValue("LumoCapturedNumber", i);
    }).join();
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&spy);
    EXPECT_EQ(spy.updates, 0);
    EXPECT_EQ(defaults.integerForKey("LumoCapturedNumber"), 20);
}

} // namespace
