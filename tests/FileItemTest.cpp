#include "TestSupport.h"
#include "library/FileItem.h"
#include "library/LumoPhotoList.h"
#include "library/LibraryFolder.h"
#include "core/DefaultsKeys.h"
#include "core/UserDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QUrl>
#include <gtest/gtest.h>

#include <ctime>

namespace {

// Sets the TZ variable for a scope, so local time is that zone's.
class TimeZoneForTest {
public:
    explicit TimeZoneForTest(const char *zone) : saved_(qgetenv("TZ")), wasSet_(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~TimeZoneForTest()
    {
        if (wasSet_)
            qputenv("TZ", saved_);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    const QByteArray saved_;
    const bool wasSet_;
};

// A sandboxed home whose photo library folder exists and is named in the user defaults.
class FileItemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(library_));
        UserDefaults::standard()->setValue(DefaultsKeys::PhotoLibraryLocation, library_);
    }

    QString inLibrary(const QString &name) const { return library_ + "/" + name; }

    void writeBytes(const QString &name, const QByteArray &bytes) { ASSERT_TRUE(writeFile(inLibrary(name), bytes)); }

    void writePhoto(const QString &name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(image.save(inLibrary(name), "JPG"));
    }

    static FileItem fromRecord(const QString &path) { return FileItem::fromRecord({{FileItem::FileURLKey, QUrl::fromLocalFile(path)}}); }

    Sandbox sandbox_;
    const QString library_ = sandbox_.path("Pictures/Arvo");
};

TEST_F(FileItemTest, RecordOfNewPhotoGivesItsNameTypeAndPathInTheLibraryFolder)
{
    writePhoto("2026-12-05_0007.jpg", {64, 48});
    const FileItem item = fromRecord(inLibrary("2026-12-05_0007.jpg"));

    EXPECT_EQ(item.name(), "2026-12-05_0007.jpg");
    EXPECT_EQ(item.type(), FileItem::Photo);
    EXPECT_EQ(item.path(), inLibrary("2026-12-05_0007.jpg"));
    ASSERT_TRUE(item.createDate().isValid());
    EXPECT_EQ(item.createDateDescription(), item.createDate().date().toString(Qt::ISODate));
    EXPECT_LE(qAbs(item.createDate().secsTo(QDateTime::currentDateTime())), 600) << "the file was made just now";
    {
        // Shown in local time, in a zone whose date is not the UTC date now; and the same moment
        // as Qt's own reading of the file's birth (or change) time.
        const TimeZoneForTest zone(QDateTime::currentDateTimeUtc().time().hour() < 12 ? "Etc/GMT+12" : "Etc/GMT-14");
        const QFileInfo info(inLibrary("2026-12-05_0007.jpg"));
        const QDateTime expected = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
        ASSERT_NE(expected.date(), expected.toUTC().date());
        for (const FileItem &listed : {item, FileItem::fromFile("2026-12-05_0007.jpg")}) {
            EXPECT_EQ(listed.createDate(), expected);
            EXPECT_EQ(listed.createDate().timeSpec(), Qt::LocalTime);
            EXPECT_EQ(listed.createDateDescription(), expected.toString("yyyy-MM-dd"));
        }
        LumoPhotoList list;
        list.setFolder(library_);
        ASSERT_EQ(list.rowCount(), 1);
        EXPECT_EQ(list.item(0).createDate(), expected);
        EXPECT_EQ(list.item(0).createDateDescription(), expected.toString("yyyy-MM-dd"));
    }

    const FileItem empty = FileItem::fromRecord({});
    EXPECT_TRUE(empty.name().isEmpty());
    EXPECT_FALSE(empty.createDate().isValid());

    // The path follows the library folder setting, "~/..." being the folder under home.
    const QString elsewhere = sandbox_.path("Documents/Scans");
    UserDefaults::standard()->setValue(DefaultsKeys::PhotoLibraryLocation, elsewhere);
    EXPECT_EQ(item.path(), elsewhere + "/2026-12-05_0007.jpg");
    UserDefaults::standard()->setValue(DefaultsKeys::PhotoLibraryLocation, "~/Pictures/Arvo/");
    EXPECT_EQ(item.path(), inLibrary("2026-12-05_0007.jpg"));
    EXPECT_FALSE(fromRecord(inLibrary("2026-12-05_0007.jpg")).itemSize().isEmpty());
}

TEST_F(FileItemTest, LibraryLocationResolvesFromHomeNeverFromTheWorkingFolder)
{
    const QString home = sandbox_.path();
    for (const auto &[stored, folder] : {std::pair<QString, QString>{"~/Pictures/Arvo", home + "/Pictures/Arvo"},
                                         {"~", home},
                                         {"Pictures/./Arvo/", home + "/Pictures/Arvo"},
                                         {"/media/stick/Arvo/", "/media/stick/Arvo"},
                                         {"", ""}})
        EXPECT_EQ(LibraryFolder::resolve(stored), folder) << qPrintable(stored);
}

// A save killed half way on a file system without unnamed files leaves "<photo>.XXXXXX" behind;
// start-up removes exactly those.
TEST_F(FileItemTest, StartRemovesLeftoversOfInterruptedSavesAndNothingElse)
{
    const QStringList leftovers = {"2026-12-05_0001.jpg.a8Zk3Q", "Lecture 3_12345.jpg.ZZ0099"};
    const QStringList kept = {"2026-12-05_0001.jpg",         "notes.jpg.a8Zk3Q",           "2026-12-05_0001.jpg.a8Zk3",
                              "2026-12-05_0001.jpg.a8Zk3Q7", "2026-12-05_0001.jpg.a8Z-3Q", ".x_0001.jpg.a8Zk3Q",
                              "2026-12-05_0001.png.a8Zk3Q",  "2026-12-05_001.jpg.a8Zk3Q",  "link_0001.jpg.a8Zk3Q"};
    for (const QString &name : leftovers + kept.mid(0, kept.size() - 1))
        writeBytes(name, "x");
    ASSERT_TRUE(QFile::link(inLibrary("notes.jpg.a8Zk3Q"), inLibrary("link_0001.jpg.a8Zk3Q")));
    ASSERT_TRUE(QDir().mkpath(inLibrary("dir_0001.jpg.a8Zk3Q")));

    EXPECT_TRUE(LibraryFolder::prepare(UserDefaults::standard()).isEmpty());
    QStringList remaining = QDir(library_).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    EXPECT_EQ(QSet<QString>(remaining.begin(), remaining.end()),
              QSet<QString>(kept.begin(), kept.end()) + QSet<QString>{"dir_0001.jpg.a8Zk3Q"});
}

TEST_F(FileItemTest, RecordNamesFollowTheFileSuffix)
{
    const struct {
        const char *file;
        const char *name;
        int type;
    } cases[] = {
        {"Desk notes 0001.jpg", "Desk notes 0001.jpg", FileItem::Photo},
        {"clip 0002.mov", "clip 0002.mov", FileItem::Movie},
        {"2026-12-08_0007.mp4", "2026-12-08_0007.mp4", FileItem::Movie},
        {"scan.png", "scan.jpg", FileItem::Photo},
        {"archive.tar.gz", "archive.tar.jpg", FileItem::Photo},
        {"no-extension", "no-extension.jpg", FileItem::Photo},
        // Case-sensitive file systems: the suffix keeps its spelling, or the name would miss.
        {"IMG_0003.JPG", "IMG_0003.JPG", FileItem::Photo},
        {"CLIP_0004.MOV", "CLIP_0004.MOV", FileItem::Movie},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const FileItem item = fromRecord(inLibrary(c.file));
        EXPECT_EQ(item.name(), c.name);
        EXPECT_EQ(item.type(), c.type);
    }
}

TEST_F(FileItemTest, SizeIsWholeKilobytesRoundedDownOfTheLinkTarget)
{
    for (const auto &[bytes, expected] : {std::pair{0, "0 KB"}, std::pair{1023, "0 KB"}, std::pair{1024, "1 KB"}, std::pair{2047, "1 KB"},
                                          std::pair{5 * 1024 * 1024, "5120 KB"}}) {
        writeBytes("sized.jpg", QByteArray(bytes, 'x'));
        EXPECT_EQ(FileItem::fromFile("sized.jpg").itemSize(), expected) << bytes;
    }
    writeBytes("target.jpg", QByteArray(3000, 'x'));
    ASSERT_TRUE(QFile::link(inLibrary("target.jpg"), inLibrary("link.jpg")));
    EXPECT_EQ(FileItem::fromFile("link.jpg").itemSize(), "2 KB");
}

TEST_F(FileItemTest, PictureIsLoadedAfreshAMissingFileLeavesAllUnsetAndAMovieShowsThePlaceholder)
{
    writePhoto("photo.jpg", {64, 48});
    FileItem item = FileItem::fromFile("photo.jpg");
    EXPECT_EQ(item.imageRepresentation().size(), QSize(64, 48));
    EXPECT_EQ(item.resolution(), "64x48");

    // The file changes (a rotation in review mode); the next load sees it.
    writePhoto("photo.jpg", {48, 64});
    EXPECT_EQ(item.imageRepresentation().size(), QSize(48, 64));
    EXPECT_EQ(item.resolution(), "48x64");
    EXPECT_TRUE(item.description().startsWith("photo.jpg 48x64 ")) << qPrintable(item.description());

    writeBytes("broken.jpg", QByteArray("\xff\xd8\xff\xe0 not really", 16));
    FileItem broken = FileItem::fromFile("broken.jpg");
    EXPECT_TRUE(broken.imageRepresentation().isNull());
    EXPECT_TRUE(broken.resolution().isEmpty());

    FileItem gone = FileItem::fromFile("gone.jpg");
    EXPECT_TRUE(gone.itemSize().isEmpty());
    EXPECT_FALSE(gone.createDate().isValid());
    EXPECT_TRUE(gone.createDateDescription().isEmpty());
    EXPECT_TRUE(gone.imageRepresentation().isNull());
    EXPECT_TRUE(gone.resolution().isEmpty());
    EXPECT_TRUE(FileItem::fromFile("gone.mov", FileItem::Movie).imageRepresentation().isNull());

    // A movie that is there shows the placeholder frame.
    writeBytes("clip.mov", QByteArray(2048, '\0'));
    FileItem movie = fromRecord(inLibrary("clip.mov"));
    ASSERT_EQ(movie.type(), FileItem::Movie);
    const QImage poster = movie.imageRepresentation();
    ASSERT_EQ(poster.size(), FileItem::moviePlaceholder().size());
    // Not a blank picture: the frame and its play mark differ in colour.
    EXPECT_NE(poster.pixelColor(poster.width() / 2, 5), poster.pixelColor(poster.width() / 2, poster.height() / 2));
}

} // namespace
