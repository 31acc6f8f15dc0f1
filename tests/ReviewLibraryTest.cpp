#include "TestSupport.h"
#include "library/LumoPhotoList.h"
#include "library/PhotoClipboard.h"
#include "library/PhotoDecoding.h"
#include "library/PhotoRotation.h"
#include "library/PhotoTrash.h"
#include "library/Thumbnailer.h"
#include "photos/PhotoEncoder.h"
#include "settings/Conversions.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QUrl>
#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Four coloured quarters and a diagonal: any turn, flip or channel swap shows.
QImage quarters(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    const int w = size.width() / 2, h = size.height() / 2;
    QPainter p(&image);
    p.fillRect(0, 0, w, h, QColor(220, 30, 30));
    p.fillRect(w, 0, size.width() - w, h, QColor(30, 200, 30));
    p.fillRect(0, h, w, size.height() - h, QColor(30, 30, 220));
    p.fillRect(w, h, size.width() - w, size.height() - h, QColor(240, 240, 240));
    p.setPen(QPen(Qt::black, 5));
    p.drawLine(0, 0, size.width(), size.height());
    return image;
}

// `jpeg` with its EXIF data changed by `change`.
QByteArray withExif(const QByteArray &jpeg, const std::function<void(Exiv2::ExifData &)> &change)
{
    auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(jpeg.constData()), long(jpeg.size()));
    image->readMetadata();
    change(image->exifData());
    image->writeMetadata();
    Exiv2::BasicIo &io = image->io();
    io.open();
    QByteArray out(qsizetype(io.size()), Qt::Uninitialized);
    io.read(reinterpret_cast<Exiv2::byte *>(out.data()), long(out.size()));
    return out;
}

// A photo as the application writes it, with the tags and the EXIF thumbnail a camera adds.
QByteArray appPhoto(QSize size)
{
    const QImage frame = quarters(size);
    const PhotoEncoder::Metadata metadata{QDateTime(QDate(2026, 12, 5), QTime(10, 0)), QStringLiteral("Arvoscope"), {}};
    QByteArray thumbnail;
    QBuffer buffer(&thumbnail);
    frame.scaled(160, 120).save(&buffer, "JPG");
    return withExif(PhotoEncoder::addMetadata(PhotoEncoder::encodeJpeg(frame), metadata), [&](Exiv2::ExifData &exif) {
        exif["Exif.Photo.PixelXDimension"] = uint32_t(size.width());
        exif["Exif.Photo.PixelYDimension"] = uint32_t(size.height());
        Exiv2::ExifThumb(exif).setJpegThumbnail(reinterpret_cast<const Exiv2::byte *>(thumbnail.constData()), long(thumbnail.size()));
    });
}

// The largest difference of any colour channel; -1 when the sizes differ.
int maxDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int most = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return most;
}

std::string exifValue(const QString &path, const char *key)
{
    auto image = Exiv2::ImageFactory::open(path.toStdString());
    image->readMetadata();
    const auto it = image->exifData().findKey(Exiv2::ExifKey(key));
    return it == image->exifData().end() ? std::string() : it->toString();
}

QStringList names(const LumoPhotoList &list)
{
    QStringList out;
    for (int row = 0; row < list.rowCount(); ++row)
        out << list.data(list.index(row)).toString();
    return out;
}

class ReviewLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(sandbox_.path("library")); }
    QString file(const QString &name) const { return sandbox_.path("library/" + name); }
    Sandbox sandbox_;
};

TEST_F(ReviewLibraryTest, ListingSortsWithoutCaseAndKeepsOnlyExactJpgMovAndMp4)
{
    for (const char *name :
         {"b.jpg", "A.jpg", "c.JPG", "d.mov", "notes.txt", "e.jpg.a8Zk3Q", ".hidden.jpg", "f.mp4", "g.MP4", "h.mp4.part"})
        ASSERT_TRUE(writeFile(file(name), "x"));
    QDir().mkpath(file("folder.jpg"));

    LumoPhotoList list;
    list.setFolder(sandbox_.path("library/../library"));
    EXPECT_EQ(names(list), QStringList({"A.jpg", "b.jpg", "d.mov", "f.mp4"}));
    EXPECT_FALSE(list.data(list.index(0), LumoPhotoList::IsMovieRole).toBool());
    EXPECT_TRUE(list.data(list.index(2), LumoPhotoList::IsMovieRole).toBool());
    EXPECT_TRUE(list.data(list.index(3), LumoPhotoList::IsMovieRole).toBool());
    EXPECT_EQ(list.data(list.index(1), LumoPhotoList::PathRole).toString(), file("b.jpg"));
    EXPECT_EQ(list.rowOfPath(file("d.mov")), 2);
    EXPECT_EQ(list.rowOfPath(file("c.JPG")), -1);

    // A saved photo is appended once, whoever sees it first; names the listing skips are not.
    ASSERT_TRUE(writeFile(file("0-new.jpg"), "x"));
    EXPECT_EQ(list.addFile(file("0-new.jpg")), 4);
    EXPECT_EQ(list.addFile(file("0-new.jpg")), 4);
    EXPECT_EQ(list.addFile(file("c.JPG")), -1);
    EXPECT_EQ(list.addFile(sandbox_.path("elsewhere.jpg")), -1);

    // Thumbnails are cached by path and serial: a serial never comes back for another version of
    // the file (rewritten, listed again, or removed and saved again under the same name).
    QSet<int> serials;
    const auto freshSerial = [&](const char *name) {
        const int serial = list.data(list.index(list.rowOfPath(file(name))), LumoPhotoList::SerialRole).toInt();
        const bool fresh = !serials.contains(serial);
        serials.insert(serial);
        return fresh;
    };
    EXPECT_TRUE(freshSerial("b.jpg"));
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    list.fileDidChange(file("b.jpg"));
    EXPECT_TRUE(freshSerial("b.jpg"));
    EXPECT_EQ(changed.count(), 1);
    list.setFolder(sandbox_.path("library"));
    EXPECT_TRUE(freshSerial("b.jpg"));
    list.removeRowOfPath(file("0-new.jpg"));
    EXPECT_EQ(list.addFile(file("0-new.jpg")), 4);
    EXPECT_TRUE(freshSerial("0-new.jpg"));
    list.removeRowOfPath(file("0-new.jpg"));
    EXPECT_EQ(list.addFile(file("0-new.jpg")), 4);
    EXPECT_TRUE(freshSerial("0-new.jpg"));
    list.removeRowOfPath(file("A.jpg"));
    EXPECT_EQ(names(list), QStringList({"b.jpg", "d.mov", "f.mp4", "0-new.jpg"}));

    list.setFolder(sandbox_.path("missing"));
    EXPECT_EQ(list.rowCount(), 0);
}

TEST(PhotoListSelection, AfterRemoval)
{
    const struct {
        QList<int> removed;
        int countBefore, expected;
    } cases[] = {
        {{3, 4}, 5, 2},     // the last two: the new last row
        {{1, 2}, 5, 1},     // the row of the first removed
        {{0}, 1, -1},       // the only photo: nothing left to select
        {{0, 4}, 5, 0},     // not adjacent
        {{4}, 5, 3},        // the last
        {{}, 5, -1},        // nothing removed
        {{2, 2, 9}, 5, 2},  // repeated and out-of-range rows ignored
        {{0, 1, 2}, 3, -1}, // all of them
    };
    for (const auto &c : cases)
        EXPECT_EQ(LumoPhotoList::selectionAfterRemoval(c.removed, c.countBefore), c.expected)
            << c.removed.size() << " removed of " << c.countBefore;
}

TEST_F(ReviewLibraryTest, OutsideChangesArriveAsRowChangesThatKeepTheSelection)
{
    for (const char *name : {"a.jpg", "c.jpg", "e.jpg"})
        ASSERT_TRUE(writeFile(file(name), "x"));
    LumoPhotoList list;
    list.setFolder(sandbox_.path("library"));
    const QPersistentModelIndex selected = list.index(1); // c.jpg
    QSignalSpy resets(&list, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    const auto serial = [&] { return selected.data(LumoPhotoList::SerialRole).toInt(); };

    // Another program rewrites the photo on screen in place, which changes nothing of the folder:
    // its serial goes up, so views reload it.
    const int first = serial();
    list.followFile(file("c.jpg"));
    QFile inPlace(file("c.jpg"));
    ASSERT_TRUE(inPlace.open(QIODevice::WriteOnly | QIODevice::Truncate));
    inPlace.write("rewritten by another program");
    inPlace.close();
    EXPECT_TRUE(waitUntil([&] { return serial() > first; }));

    // Another program copies two photos in and deletes one.
    ASSERT_TRUE(QFile::copy(file("a.jpg"), file("b.jpg")));
    ASSERT_TRUE(writeFile(file("f.jpg"), "x"));
    ASSERT_TRUE(QFile::remove(file("a.jpg")));
    ASSERT_TRUE(waitUntil([&] {
        return names(list) == QStringList({"b.jpg", "c.jpg", "e.jpg", "f.jpg"});
    })) << names(list).join(' ').toStdString();
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(selected.row(), 1);
    EXPECT_EQ(selected.data().toString(), "c.jpg");

    // Another program replaces the selected photo: its serial goes up again.
    const int rewritten = serial();
    ASSERT_TRUE(writeFile(file("c.jpg.tmp"), "longer contents"));
    ASSERT_TRUE(QFile::remove(file("c.jpg")) && QFile::rename(file("c.jpg.tmp"), file("c.jpg")));
    ASSERT_TRUE(waitUntil([&] { return serial() > rewritten; }));

    // The folder itself is moved away, then comes back, then goes: the list never shows photos
    // that are not there.
    ASSERT_TRUE(QDir().rename(sandbox_.path("library"), sandbox_.path("moved")));
    EXPECT_TRUE(waitUntil([&] { return list.rowCount() == 0; }));
    ASSERT_TRUE(QDir().rename(sandbox_.path("moved"), sandbox_.path("library")));
    EXPECT_TRUE(waitUntil([&] { return list.rowCount() == 4; }));
    ASSERT_TRUE(QDir(sandbox_.path("library")).removeRecursively());
    ASSERT_TRUE(waitUntil([&] { return list.rowCount() == 0; }));
    EXPECT_EQ(resets.count(), 0);
}

TEST_F(ReviewLibraryTest, TrashKeepsTheOriginalPathAndAnEarlierPhotoOfTheSameName)
{
    ASSERT_TRUE(writeFile(file("p.jpg"), "first"));
    const TrashResult first = movePhotoToTrash(file("p.jpg"));
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    ASSERT_TRUE(writeFile(file("p.jpg"), "second"));
    const TrashResult second = movePhotoToTrash(file("p.jpg"));
    ASSERT_TRUE(second.ok) << second.error.toStdString();

    EXPECT_FALSE(QFile::exists(file("p.jpg")));
    EXPECT_NE(first.trashedPath, second.trashedPath);
    EXPECT_EQ(readFile(first.trashedPath), "first");
    EXPECT_EQ(readFile(second.trashedPath), "second");
    const QString trash = sandbox_.path(".local/share/Trash");
    EXPECT_TRUE(first.trashedPath.startsWith(trash + "/files/")) << first.trashedPath.toStdString();
    const QString info = trash + "/info/" + QFileInfo(second.trashedPath).fileName() + ".trashinfo";
    EXPECT_TRUE(readFile(info).contains("\nPath=" + QUrl::toPercentEncoding(file("p.jpg"), "/") + "\n")) << readFile(info).toStdString();

    // No trash can be made (its parent is a plain file): the photo stays, and the failure is reported.
    ASSERT_TRUE(writeFile(file("p.jpg"), "third"));
    ASSERT_TRUE(writeFile(sandbox_.path("plain"), "x"));
    qputenv("XDG_DATA_HOME", sandbox_.path("plain/share").toUtf8());
    const TrashResult refused = movePhotoToTrash(file("p.jpg"));
    qputenv("XDG_DATA_HOME", sandbox_.path(".local/share").toUtf8());
    EXPECT_TRUE(!refused.ok && !refused.error.isEmpty());
    EXPECT_EQ(readFile(file("p.jpg")), "third");
    ASSERT_TRUE(QFile::remove(file("p.jpg")));

    // The desktop's own tools see both, restorable to the same path.
    QProcess list;
    list.start("trash-list", {});
    if (!list.waitForFinished(20000) || list.exitCode() != 0)
        GTEST_SKIP() << "trash-list is not available";
    EXPECT_EQ(QString::fromUtf8(list.readAllStandardOutput()).count(" " + file("p.jpg") + "\n"), 2);

    EXPECT_FALSE(movePhotoToTrash(file("p.jpg")).ok);
}

// A tmpfs mounted for the test: another file system than the home folder's. Needs root.
class MountedVolume {
public:
    explicit MountedVolume(const QString &path) : path_(path)
    {
        QDir().mkpath(path);
        mounted_ = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=4m", "tmpfs", path}) == 0;
    }
    ~MountedVolume()
    {
        if (mounted_)
            QProcess::execute("umount", {path_});
    }
    bool mounted() const { return mounted_; }

private:
    QString path_;
    bool mounted_ = false;
};

TEST_F(ReviewLibraryTest, PhotoOnAnotherVolumeGoesToThatVolumesTrash)
{
    const MountedVolume volume(sandbox_.path("volume"));
    if (!volume.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    ASSERT_TRUE(writeFile(sandbox_.path("volume/photos/p.jpg"), "photo"));

    const TrashResult result = movePhotoToTrash(sandbox_.path("volume/photos/p.jpg"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QString trash = sandbox_.path("volume/.Trash-" + QString::number(getuid()));
    EXPECT_EQ(result.trashedPath, trash + "/files/p.jpg");
    EXPECT_EQ(readFile(result.trashedPath), "photo");
    // The path is relative to the volume, which may be mounted elsewhere next time.
    EXPECT_TRUE(readFile(trash + "/info/p.jpg.trashinfo").contains("\nPath=photos/p.jpg\n"));
    EXPECT_FALSE(QFile::exists(sandbox_.path("volume/photos/p.jpg")));
}

TEST_F(ReviewLibraryTest, EveryPhotoSizeTurnsLosslessly)
{
    for (int index = 0; index < 6; ++index) {
        const QSize size = toPhotoOutputSize(index).toSize();
        SCOPED_TRACE(testing::PrintToString(size));
        ASSERT_TRUE(writeFile(file("p.jpg"), appPhoto(size)));
        for (int degrees : {90, 180, -90}) {
            const RotationResult result = rotatePhotoFile(file("p.jpg"), degrees);
            EXPECT_TRUE(result.ok && result.lossless) << degrees << " " << result.error.toStdString();
        }
    }
}

TEST_F(ReviewLibraryTest, QuarterTurnsMatchTheDecodedTurnKeepTheMetadataAndComeBackExactly)
{
    ASSERT_TRUE(writeFile(file("p.jpg"), appPhoto({800, 600})));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(file("p.jpg"), permissions));
    ASSERT_TRUE(QFile::copy(file("p.jpg"), file("original.jpg")));
    const QImage original = decodePhotoForView(file("p.jpg"), {});
    ASSERT_FALSE(original.isNull());

    const RotationResult right = rotatePhotoFile(file("p.jpg"), -90);
    ASSERT_TRUE(right.ok && right.lossless) << right.error.toStdString();
    const QImage turned = decodePhotoForView(file("p.jpg"), {});
    ASSERT_EQ(turned.size(), QSize(600, 800));
    // Blocks are moved, not encoded again: at 1/8 scale (DC terms) the turn is exact; at full size
    // the integer IDCT may put a transposed block a level or two apart.
    EXPECT_EQ(maxDifference(decodePhotoForView(file("p.jpg"), {75, 100}),
                            decodePhotoForView(file("original.jpg"), {100, 75}).transformed(QTransform().rotate(90))),
              0);
    EXPECT_LE(maxDifference(turned, original.transformed(QTransform().rotate(90))), 2);
    EXPECT_EQ(exifValue(file("p.jpg"), "Exif.Photo.PixelXDimension"), "600");
    EXPECT_EQ(exifValue(file("p.jpg"), "Exif.Photo.PixelYDimension"), "800");
    EXPECT_EQ(exifValue(file("p.jpg"), "Exif.Image.Model"), "Arvoscope");
    EXPECT_EQ(exifValue(file("p.jpg"), "Exif.Photo.DateTimeOriginal"), "2026:12:05 10:00:00");
    EXPECT_EQ(exifValue(file("p.jpg"), "Exif.Image.Orientation"), "1");
    EXPECT_EQ(QFile::permissions(file("p.jpg")), permissions);
    // The EXIF thumbnail, which the browser shows, is turned with the photo.
    auto image = Exiv2::ImageFactory::open(file("p.jpg").toStdString());
    image->readMetadata();
    const Exiv2::DataBuf thumb = Exiv2::ExifThumbC(image->exifData()).copy();
    const QImage thumbnail = QImage::fromData(thumb.pData_, int(thumb.size_));
    EXPECT_EQ(thumbnail.size(), QSize(120, 160));
    EXPECT_GT(qRed(thumbnail.pixel(110, 10)), 180); // red, once top left, now top right

    for (int degrees : {90, 90, 180, -90, 180})
        ASSERT_TRUE(rotatePhotoFile(file("p.jpg"), degrees).lossless) << degrees;
    EXPECT_EQ(maxDifference(decodePhotoForView(file("p.jpg"), {}), original), 0);
}

TEST_F(ReviewLibraryTest, PictureOfPartialBlocksIsEncodedAgainOnceThenTurnsLosslessly)
{
    const QImage frame = quarters({808, 600}); // 4:2:0 blocks do not fit in either direction
    ASSERT_TRUE(frame.save(file("p.jpg"), "JPG", 95));
    const RotationResult first = rotatePhotoFile(file("p.jpg"), 90);
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    EXPECT_FALSE(first.lossless);
    const QImage turned = decodePhotoForView(file("p.jpg"), {});
    ASSERT_EQ(turned.size(), QSize(600, 808));
    EXPECT_LT(qBlue(turned.pixel(10, 10)), 60); // top left was green
    EXPECT_GT(qGreen(turned.pixel(10, 10)), 150);
    EXPECT_TRUE(rotatePhotoFile(file("p.jpg"), 90).lossless);
}

TEST_F(ReviewLibraryTest, BadFilesDecodeAsNothingAndAreNotTurned)
{
    const QByteArray good = appPhoto({640, 480});
    // A header that claims 65000 x 65000 pixels over the data of a small photo.
    ASSERT_TRUE(quarters({64, 48}).save(file("small.jpg"), "JPG"));
    QByteArray enormous = readFile(file("small.jpg"));
    const int sof = enormous.indexOf("\xff\xc0");
    ASSERT_GT(sof, 0);
    enormous.replace(sof + 5, 4, QByteArray("\xfd\xe8\xfd\xe8", 4));
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"truncated", good.left(good.size() / 2)},
        {"not a JPEG", "GIF89a not really"},
        {"enormous", enormous},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeFile(file("bad.jpg"), c.bytes));
        EXPECT_TRUE(decodePhotoForView(file("bad.jpg"), {800, 600}).isNull());
        const RotationResult result = rotatePhotoFile(file("bad.jpg"), 90);
        EXPECT_TRUE(!result.ok && !result.error.isEmpty());
        EXPECT_EQ(readFile(file("bad.jpg")), c.bytes);
    }
    EXPECT_TRUE(decodePhotoForView(file("missing.jpg"), {}).isNull());
    EXPECT_FALSE(rotatePhotoFile(file("missing.jpg"), 90).ok);

    // Entries that are no regular file are refused at once: a FIFO would block open() for good,
    // a device reports size 0 and never ends.
    ASSERT_EQ(mkfifo(QFile::encodeName(file("fifo.jpg")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", file("zero.jpg")));
    for (const char *name : {"fifo.jpg", "zero.jpg"}) {
        SCOPED_TRACE(name);
        const QString path = file(name);
        auto readers = std::async(std::launch::async, [path] {
            EXPECT_TRUE(decodePhotoForView(path, {}).isNull());
            EXPECT_TRUE(Thumbnailer::decodeThumbnail(path, {160, 120}).isNull());
            EXPECT_FALSE(Thumbnailer::uprightSize(path).isValid());
            EXPECT_FALSE(rotatePhotoFile(path, 90).ok);
            EXPECT_TRUE(PhotoMimeData::encodePicture(path, "image/png").isEmpty());
        });
        if (readers.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "a reader is stuck";
            // A writer lets each blocked open() go, so that the test can end.
            while (readers.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
                ::close(::open(QFile::encodeName(file("fifo.jpg")).constData(), O_WRONLY | O_NONBLOCK));
        }
    }
}

// The EXIF orientation: stored pixels and how the picture stands, as the letters of its quarters
// (Red, Green, Blue, White) left to right, top to bottom.
QString quarterColours(const QImage &image)
{
    QString letters;
    // Points well away from both diagonals, which every turn and mirror maps onto each other.
    for (const QPointF at : {QPointF(0.25, 0.1), QPointF(0.75, 0.1), QPointF(0.25, 0.9), QPointF(0.75, 0.9)}) {
        const QColor c = image.pixelColor(int(at.x() * image.width()), int(at.y() * image.height()));
        letters += c.red() > 200 && c.green() > 200 ? 'W' : c.red() > 150 ? 'R' : c.green() > 150 ? 'G' : 'B';
    }
    return letters;
}

TEST_F(ReviewLibraryTest, PhotosStandAsTheirOrientationSaysAndATurnMakesTheTagUpright)
{
    const struct {
        int orientation;
        const char *upright, *turnedRight;
    } cases[] = {
        {1, "RGBW", "BRWG"}, {2, "GRWB", "WGBR"}, {3, "WBGR", "GWRB"}, {4, "BWRG", "RBGW"},
        {5, "RBGW", "GRWB"}, {6, "BRWG", "WBGR"}, {7, "WGBR", "BWRG"}, {8, "GWRB", "RGBW"},
    };
    const QByteArray stored = appPhoto({800, 600}); // RGBW as stored
    for (const auto &c : cases) {
        SCOPED_TRACE(c.orientation);
        ASSERT_TRUE(writeFile(file("p.jpg"),
                              withExif(stored, [&](Exiv2::ExifData &exif) { exif["Exif.Image.Orientation"] = uint16_t(c.orientation); })));

        const QSize upright = c.orientation >= 5 ? QSize(600, 800) : QSize(800, 600);
        EXPECT_EQ(Thumbnailer::uprightSize(file("p.jpg")), upright);
        const QImage shown = decodePhotoForView(file("p.jpg"), {400, 400});
        EXPECT_EQ(shown.size(), upright / 2);
        EXPECT_EQ(quarterColours(shown), c.upright);
        const QImage thumbnail = Thumbnailer::decodeThumbnail(file("p.jpg"), {160, 120});
        EXPECT_EQ(thumbnail.size(), c.orientation >= 5 ? QSize(90, 120) : QSize(160, 120));
        EXPECT_EQ(quarterColours(thumbnail), c.upright);

        ASSERT_TRUE(rotatePhotoFile(file("p.jpg"), -90).ok);
        EXPECT_EQ(exifValue(file("p.jpg"), "Exif.Image.Orientation"), "1");
        EXPECT_EQ(quarterColours(decodePhotoForView(file("p.jpg"), {})), c.turnedRight);
        EXPECT_EQ(quarterColours(Thumbnailer::decodeThumbnail(file("p.jpg"), {160, 160})), c.turnedRight);
    }
}

TEST(ViewDecodeSize, SmallestScaledDecodeCoveringTheFittedPhoto)
{
    const struct {
        QSize picture, target, decode;
    } cases[] = {
        {{1600, 1200}, {800, 600}, {800, 600}},     // 1/2
        {{1600, 1200}, {801, 601}, {1000, 750}},    // a pixel more: 5/8
        {{1600, 1200}, {1920, 1080}, {1600, 1200}}, // never enlarged
        {{1600, 1200}, {}, {1600, 1200}},           // no target: full size
        {{1600, 1200}, {100, 75}, {200, 150}},      // 1/8 is the smallest
    };
    for (const auto &c : cases)
        EXPECT_EQ(viewDecodeSize(c.picture, c.target), c.decode) << testing::PrintToString(c.target);
}

TEST_F(ReviewLibraryTest, ClipboardOffersPngTiffAndTheFile)
{
    ASSERT_TRUE(writeFile(file("my photo.jpg"), appPhoto({640, 480})));
    std::unique_ptr<QMimeData> data(photoMimeData(file("my photo.jpg")));
    for (const char *type : {"image/png", "image/tiff", "text/uri-list"})
        EXPECT_TRUE(data->hasFormat(type)) << type;
    EXPECT_FALSE(data->hasFormat("text/rtf"));
    EXPECT_EQ(data->urls(), QList<QUrl>{QUrl::fromLocalFile(file("my photo.jpg"))});

    const QByteArray png = data->data("image/png");
    const QByteArray tiff = data->data("image/tiff");
    EXPECT_TRUE(png.startsWith("\x89PNG"));
    EXPECT_TRUE(tiff.startsWith("II*") || tiff.startsWith("MM"));
    EXPECT_EQ(QImage::fromData(png).size(), QSize(640, 480));
    EXPECT_EQ(QImage::fromData(tiff, "TIFF").size(), QSize(640, 480));
}

} // namespace
