#include "TestSupport.h"
#include "capture/FileItem.h"
#include "core/DefaultsKeys.h"
#include "core/UserDefaults.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// A sandboxed home whose photo library folder exists and is named in the user defaults.
class FileItemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        library_ = sandbox_.path("Pictures/Arvo");
        ASSERT_TRUE(QDir().mkpath(library_));
        UserDefaults::standard()->setValue(DefaultsKeys::PhotoLibraryLocation, library_);
    }

    QString inLibrary(const QString &name) const { return library_ + "/" + name; }

    void writeBytes(const QString &name, const QByteArray &bytes)
    {
        QFile f(inLibrary(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    void writePhoto(const QString &name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(image.save(inLibrary(name), "JPG"));
    }

    static QVariantMap recordFor(const QString &path)
    {
        return {{FileItem::FileURLKey, QUrl::fromLocalFile(path)}};
    }

    Sandbox sandbox_;
    QString library_;
};

TEST_F(FileItemTest, RecordOfNewPhotoGivesItsNameTypeAndPathInTheLibrary)
{
    writePhoto("2026-12-05_0007.jpg", {64, 48});
    FileItem item = FileItem::fromRecord(recordFor(inLibrary("2026-12-05_0007.jpg")));

    EXPECT_EQ(item.name(), "2026-12-05_0007.jpg");
    EXPECT_EQ(item.type(), FileItem::Photo);
    EXPECT_EQ(item.serial(), 0);
    EXPECT_EQ(item.path(), inLibrary("2026-12-05_0007.jpg"));
    EXPECT_TRUE(item.resolution().isEmpty()) << "filled only when the picture is loaded";
    EXPECT_FALSE(item.itemSize().isEmpty());
    ASSERT_TRUE(item.createDate().isValid());
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d{2}-\\d{2}$")
                    .match(item.createDateDescription())
                    .hasMatch())
        << qPrintable(item.createDateDescription());
    EXPECT_EQ(item.createDateDescription(), item.createDate().date().toString(Qt::ISODate));
    EXPECT_LE(qAbs(item.createDate().secsTo(QDateTime::currentDateTime())), 600)
        << "the file was made just now";
}

TEST_F(FileItemTest, PathFollowsTheLibraryFolderSetting)
{
    FileItem item = FileItem::fromFile("2026-12-05_0007.jpg");
    EXPECT_EQ(item.path(), inLibrary("2026-12-05_0007.jpg"));

    const QString elsewhere = sandbox_.path("Documents/Scans");
    UserDefaults::standard()->setValue(DefaultsKeys::PhotoLibraryLocation, elsewhere);
    EXPECT_EQ(item.path(), elsewhere + "/2026-12-05_0007.jpg");
}

TEST_F(FileItemTest, RecordNamesFollowTheFileSuffix)
{
    struct Case {
        const char *file;
        const char *name;
        int type;
    };
    const Case cases[] = {
        {"Desk notes 0001.jpg", "Desk notes 0001.jpg", FileItem::Photo}, // kept as on disk
        {"clip 0002.mov", "clip 0002.mov", FileItem::Movie},
        {"scan.png", "scan.jpg", FileItem::Photo},
        {"archive.tar.gz", "archive.tar.jpg", FileItem::Photo},
        {"no-extension", "no-extension.jpg", FileItem::Photo},
        // Case-sensitive file systems: the suffix keeps its spelling, or the name would miss.
        {"IMG_0003.JPG", "IMG_0003.JPG", FileItem::Photo},
        {"CLIP_0004.MOV", "CLIP_0004.MOV", FileItem::Movie},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const FileItem item = FileItem::fromRecord(recordFor(inLibrary(c.file)));
        EXPECT_EQ(item.name(), c.name);
        EXPECT_EQ(item.type(), c.type);
    }
}

TEST_F(FileItemTest, RecordWithoutUrlGivesAnEmptyItem)
{
    const FileItem item = FileItem::fromRecord({});
    EXPECT_TRUE(item.name().isEmpty());
    EXPECT_TRUE(item.itemSize().isEmpty());
    EXPECT_FALSE(item.createDate().isValid());
}

TEST_F(FileItemTest, FromFileTakesNameAndType)
{
    writeBytes("a.mov", "movie");
    EXPECT_EQ(FileItem::fromFile("a.mov", FileItem::Movie).type(), FileItem::Movie);
    EXPECT_EQ(FileItem::fromFile("a.mov").type(), FileItem::Photo);
    EXPECT_EQ(FileItem::fromFile("a.mov").name(), "a.mov");
}

class FileItemSizeTest : public FileItemTest,
                         public ::testing::WithParamInterface<std::pair<int, const char *>> {};

TEST_P(FileItemSizeTest, SizeIsWholeKilobytesRoundedDown)
{
    const auto [bytes, expected] = GetParam();
    writeBytes("sized.jpg", QByteArray(bytes, 'x'));
    EXPECT_EQ(FileItem::fromFile("sized.jpg").itemSize(), expected);
}

INSTANTIATE_TEST_SUITE_P(Bytes, FileItemSizeTest,
                         ::testing::Values(std::pair<int, const char *>{0, "0 KB"},
                                           std::pair<int, const char *>{900, "0 KB"},
                                           std::pair<int, const char *>{1023, "0 KB"},
                                           std::pair<int, const char *>{1024, "1 KB"},
                                           std::pair<int, const char *>{1500, "1 KB"},
                                           std::pair<int, const char *>{2047, "1 KB"},
                                           std::pair<int, const char *>{5 * 1024 * 1024,
                                                                        "5120 KB"}));

TEST_F(FileItemTest, SymbolicLinkReportsTheSizeOfItsTarget)
{
    writeBytes("target.jpg", QByteArray(3000, 'x'));
    ASSERT_TRUE(QFile::link(inLibrary("target.jpg"), inLibrary("link.jpg")));
    EXPECT_EQ(FileItem::fromFile("link.jpg").itemSize(), "2 KB");
}

TEST_F(FileItemTest, MissingFileLeavesAttributesUnsetAndHasNoPicture)
{
    FileItem photo = FileItem::fromFile("gone.jpg");
    EXPECT_TRUE(photo.itemSize().isEmpty());
    EXPECT_FALSE(photo.createDate().isValid());
    EXPECT_TRUE(photo.createDateDescription().isEmpty());
    EXPECT_TRUE(photo.imageRepresentation().isNull());
    EXPECT_TRUE(photo.resolution().isEmpty());

    FileItem movie = FileItem::fromFile("gone.mov", FileItem::Movie);
    EXPECT_TRUE(movie.imageRepresentation().isNull());
}

TEST_F(FileItemTest, PictureIsLoadedAfreshAndFillsResolution)
{
    writePhoto("photo.jpg", {64, 48});
    FileItem item = FileItem::fromFile("photo.jpg");
    QImage first = item.imageRepresentation();
    EXPECT_EQ(first.size(), QSize(64, 48));
    EXPECT_EQ(item.resolution(), "64x48");

    // The file changes (a rotation in review mode); the next load sees it.
    writePhoto("photo.jpg", {48, 64});
    QImage second = item.imageRepresentation();
    EXPECT_EQ(second.size(), QSize(48, 64));
    EXPECT_EQ(item.resolution(), "48x64");
    EXPECT_TRUE(item.description().startsWith("photo.jpg 48x64 "))
        << qPrintable(item.description());
}

TEST_F(FileItemTest, CorruptPhotoHasNoPictureAndNoResolution)
{
    writeBytes("broken.jpg", QByteArray("\xff\xd8\xff\xe0 not really", 16));
    FileItem item = FileItem::fromFile("broken.jpg");
    EXPECT_TRUE(item.imageRepresentation().isNull());
    EXPECT_TRUE(item.resolution().isEmpty());
}

TEST_F(FileItemTest, MovieShowsThePlaceholderFrame)
{
    writeBytes("clip.mov", QByteArray(2048, '\0'));
    FileItem item = FileItem::fromRecord(recordFor(inLibrary("clip.mov")));
    ASSERT_EQ(item.type(), FileItem::Movie);
    const QImage poster = item.imageRepresentation();
    ASSERT_FALSE(poster.isNull());
    EXPECT_EQ(poster.size(), FileItem::moviePlaceholder().size());
    // Not a blank picture: the frame and its play mark differ in colour.
    const QColor edge = poster.pixelColor(poster.width() / 2, 5);
    const QColor middle = poster.pixelColor(poster.width() / 2, poster.height() / 2);
    EXPECT_NE(edge, middle);
    EXPECT_TRUE(item.resolution().isEmpty()) << "a movie has no pixel size of its own here";
}

TEST_F(FileItemTest, BrowserIdentityChangesWithSerial)
{
    FileItem item = FileItem::fromFile("2026-12-05_0007.jpg");
    EXPECT_EQ(item.imageUID(), "2026-12-05_0007.jpg_0");
    item.setSerial(1);
    EXPECT_EQ(item.imageUID(), "2026-12-05_0007.jpg_1");
    EXPECT_EQ(item.imageTitle(), "2026-12-05_0007.jpg");

    item.setName("sub/inner.jpg");
    EXPECT_EQ(item.imageTitle(), "inner.jpg");
}

TEST_F(FileItemTest, CopiesAreIndependent)
{
    FileItem a = FileItem::fromFile("a.jpg");
    FileItem b = a;
    b.setSerial(4);
    b.setResolution("1x1");
    EXPECT_EQ(a.serial(), 0);
    EXPECT_TRUE(a.resolution().isEmpty());
}

} // namespace
