#include "TestSupport.h"
#include "photos/PhotoEncoder.h"
#include "photos/PhotoNaming.h"
#include "photos/PhotoWriter.h"
#include "core/DefaultsKeys.h"
#include "core/MainThread.h"
#include "core/UserDefaults.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <future>
#include <thread>

namespace {

using namespace DefaultsKeys;

// 5 December 2026 is day 338 of the year counted from 0.
const QDateTime DecemberFifth(QDate(2026, 12, 5), QTime(9, 7, 3));
constexpr int DecemberFifthDay = 338;

// A clock the test moves by hand; read from the save threads.
struct ManualClock {
    std::atomic<qint64> msecs{DecemberFifth.toMSecsSinceEpoch()};
    void set(const QDateTime &now) { msecs = now.toMSecsSinceEpoch(); }
    PhotoWriter::Clock function()
    {
        return [this] { return QDateTime::fromMSecsSinceEpoch(msecs); };
    }
};

// A frame with detail in every channel, so that a wrong pixel order or a cut-off encode shows.
QImage testFrame(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y) & 0xff, (y * 5) & 0xff, ((x ^ y) * 3) & 0xff));
    return image;
}

struct Decoded {
    bool complete = false; // neither an error nor a warning (a truncated file gives a warning)
    int width = 0, height = 0;
    QImage image;
};

Decoded decodeJpeg(const QByteArray &bytes)
{
    Decoded d;
    tjhandle handle = tjInitDecompress();
    int subsampling = 0, colorspace = 0;
    auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    if (tjDecompressHeader3(handle, data, bytes.size(), &d.width, &d.height, &subsampling, &colorspace) == 0) {
        d.image = QImage(d.width, d.height, QImage::Format_RGB888);
        d.complete =
            tjDecompress2(handle, data, bytes.size(), d.image.bits(), d.width, int(d.image.bytesPerLine()), d.height, TJPF_RGB, 0) == 0;
    }
    tjDestroy(handle);
    return d;
}

Decoded decodeFile(const QString &path) { return decodeJpeg(readFile(path)); }

class PhotoWriterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(library)); }

    std::unique_ptr<PhotoWriter> makeWriter(bool useCustomPrefix = false, const QString &prefix = {})
    {
        auto writer = std::make_unique<PhotoWriter>(&defaults, clock.function());
        writer->setSettings({library, useCustomPrefix, prefix});
        return writer;
    }
    QStringList libraryFiles() const { return QDir(library).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name); }
    static QString fileName(const PhotoResult &r) { return QFileInfo(r.path).fileName(); }

    // Everything written in the home folder, hidden files included, apart from the defaults store.
    QStringList writtenFiles() const
    {
        QStringList out;
        QDirIterator it(sandbox.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
            if (const QString file = QDir(sandbox.path()).relativeFilePath(it.next()); !file.startsWith("Arvo.conf"))
                out << file;
        out.sort();
        return out;
    }

    // A save that failed: no photo, and a message that mentions `mention`.
    static void expectFailure(const PhotoResult &r, const QString &mention)
    {
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.path.isEmpty());
        EXPECT_TRUE(!r.error.isEmpty() && r.error.contains(mention, Qt::CaseInsensitive)) << qPrintable(r.error);
    }

    Sandbox sandbox;
    const QString library = sandbox.path("Pictures/Arvo");
    UserDefaults defaults{sandbox.path("Arvo.conf")};
    ManualClock clock;
    const QImage frame = testFrame(64, 48);
};

TEST_F(PhotoWriterTest, FirstPhotosOfTheDayAreNamedByDateFromOneInTheLibraryUnderHome)
{
    auto writer = makeWriter();
    writer->setSettings({"~/Pictures/Arvo/", false, {}}); // a leading tilde is the home folder
    const PhotoResult first = writer->save(frame, "Arvoscope");
    const PhotoResult second = writer->save(frame, "Arvoscope");
    EXPECT_EQ(first.path, library + "/2026-12-05_0001.jpg") << qPrintable(first.error);
    EXPECT_EQ(second.path, library + "/2026-12-05_0002.jpg") << qPrintable(second.error);
    EXPECT_EQ(libraryFiles(), QStringList({"2026-12-05_0001.jpg", "2026-12-05_0002.jpg"}));
    // The counter reaches the store once the saves have settled, without a flush by hand.
    EXPECT_TRUE(waitUntil([&] { return defaults.integerForKey(CapturedNumber) == 3; })) << "the next number to try";
    EXPECT_EQ(defaults.integerForKey(PreviousDate), DecemberFifthDay);
}

TEST_F(PhotoWriterTest, NamesAlreadyTakenOnDiskAreSkippedAndLeftAlone)
{
    ASSERT_TRUE(writeFile(library + "/2026-12-05_0001.jpg", "an earlier photo"));
    // A dangling link is taken too: committing over it would replace it.
    ASSERT_TRUE(QFile::link(sandbox.path("nowhere.jpg"), library + "/2026-12-05_0002.jpg"));
    EXPECT_EQ(fileName(makeWriter()->save(frame, {})), "2026-12-05_0003.jpg"); // the writer's end writes the counter
    EXPECT_EQ(readFile(library + "/2026-12-05_0001.jpg"), "an earlier photo");
    EXPECT_TRUE(QFileInfo(library + "/2026-12-05_0002.jpg").isSymLink());
    EXPECT_EQ(defaults.integerForKey(CapturedNumber), 4);
}

TEST_F(PhotoWriterTest, CustomPrefixAndTheCounterRestartingWhenTheDayChangesWhileRunning)
{
    auto writer = makeWriter(true, "Lecture");
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(fileName(writer->save(frame, {})), QString("Lecture_%1.jpg").arg(i, 4, 10, QChar('0')));
    // Switching back to date naming takes effect with the next photo.
    writer->setSettings({library, false, "Lecture"});
    EXPECT_EQ(fileName(writer->save(frame, {})), "2026-12-05_0004.jpg");

    // The day's photos are moved away; the next day numbering starts again at 0001 instead of going on.
    QDir().rename(library, sandbox.path("archive"));
    QDir().mkpath(library);
    writer->setSettings({library, true, "Lecture"});
    clock.set(DecemberFifth.addDays(1));
    EXPECT_EQ(fileName(writer->save(frame, {})), "Lecture_0001.jpg");
    writer->flushCounter();
    EXPECT_EQ(defaults.integerForKey(PreviousDate), DecemberFifthDay + 1);

    // With the date prefix the new day's first photo is 0001 of its own date.
    writer->setSettings({library, false, {}});
    clock.set(DecemberFifth.addDays(2));
    EXPECT_EQ(fileName(writer->save(frame, {})), "2026-12-07_0001.jpg");

    // The day ends at local midnight, not earlier or later.
    clock.set(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59)));
    EXPECT_EQ(fileName(writer->save(frame, {})), "2026-12-07_0002.jpg");
    clock.set(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 0)));
    EXPECT_EQ(fileName(writer->save(frame, {})), "2026-12-08_0001.jpg");
}

// The counter stored by an earlier run goes on only on the same day, from at least 1.
TEST_F(PhotoWriterTest, StoredCounterGoesOnOnlyOnTheSameDayFromAtLeastOne)
{
    const struct {
        int storedDay, storedNumber;
        QStringList names;
    } cases[] = {{DecemberFifthDay - 1, 57, {"2026-12-05_0001.jpg", "2026-12-05_0002.jpg"}},
                 {DecemberFifthDay, 57, {"2026-12-05_0057.jpg", "2026-12-05_0058.jpg"}},
                 {DecemberFifthDay, 0, {"2026-12-05_0001.jpg", "2026-12-05_0002.jpg"}},
                 {DecemberFifthDay, -5, {"2026-12-05_0001.jpg", "2026-12-05_0002.jpg"}},
                 {DecemberFifthDay, 9999, {"2026-12-05_9999.jpg", "2026-12-05_10000.jpg"}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "day " << c.storedDay << ", number " << c.storedNumber);
        QDir(library).removeRecursively();
        QDir().mkpath(library);
        defaults.setValue(PreviousDate, c.storedDay);
        defaults.setValue(CapturedNumber, c.storedNumber);
        auto writer = makeWriter();
        EXPECT_EQ(fileName(writer->save(frame, {})), c.names[0]);
        EXPECT_EQ(fileName(writer->save(frame, {})), c.names[1]);
        writer->flushCounter();
        EXPECT_EQ(defaults.integerForKey(PreviousDate), DecemberFifthDay);
    }
}

TEST(PhotoNaming, PrefixCleaningLeavesAPlainFileNamePart)
{
    const std::pair<QString, QString> cases[] = {// typed, kept (empty: the date names the photo)
                                                 {"Lecture", "Lecture"},
                                                 {"../../etc/x", "etc-x"},
                                                 {"\\C:\\x", "C--x"},
                                                 {"..", ""},
                                                 {"  \t ", ""},
                                                 {QString::fromUtf8("x\0y", 3), "x-y"},
                                                 {"tab\tline\nend\x7f", "tab-line-end-"},
                                                 {"a...b..c", "a.b.c"},
                                                 {QString::fromUtf8("\u202Egpj.exe"), "gpj.exe"},
                                                 {QString::fromUtf8("a\u200B.\u2066.b\uFEFF\u00AD"), "a.b"},
                                                 {"  Lecture 3  ", "Lecture 3"},
                                                 {"%1%2", "%1%2"},
                                                 {"a*b?<c>|\"", "a-b--c---"},
                                                 {QString::fromUtf8("Vorlesung Ü"), QString::fromUtf8("Vorlesung Ü")},
                                                 {QString("a").repeated(300), QString("a").repeated(100)},
                                                 {QString::fromUtf8("é").repeated(150), QString::fromUtf8("é").repeated(100)},
                                                 {QString::fromUtf8("漢").repeated(100), QString::fromUtf8("漢").repeated(66)},
                                                 {QString::fromUtf8("😀").repeated(60), QString::fromUtf8("😀").repeated(50)}};
    for (const auto &[typed, kept] : cases)
        EXPECT_EQ(PhotoNaming::sanitizedCustomPrefix(typed), kept) << testing::PrintToString(typed);
}

TEST_F(PhotoWriterTest, PrefixesThatArePathsStillNameAPhotoInsideTheLibrary)
{
    QStringList expected;
    for (const auto &[typed, name] : {std::pair<QString, QString>{"/etc/passwd", "etc-passwd_0001.jpg"}, {"..", "2026-12-05_0002.jpg"}}) {
        const PhotoResult r = makeWriter(true, typed)->save(frame, {});
        ASSERT_TRUE(r.ok) << qPrintable(r.error);
        EXPECT_EQ(r.path, library + "/" + name);
        expected << "Pictures/Arvo/" + name;
    }
    expected.sort();
    EXPECT_EQ(writtenFiles(), expected) << "nothing written anywhere else";
}

TEST_F(PhotoWriterTest, TwoHundredSnapshotsFromEightThreadsGiveTwoHundredCompleteFiles)
{
    auto writer = makeWriter();
    const QImage big = testFrame(320, 240);
    constexpr int Threads = 8, PerThread = 25;
    std::vector<PhotoResult> results(Threads * PerThread);
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&, t] {
            ++ready;
            while (ready.load() < Threads)
                std::this_thread::yield(); // start together, so that the saves overlap
            for (int i = 0; i < PerThread; ++i)
                results[t * PerThread + i] = writer->save(big, "Velmar Tobble");
        });
    }
    for (auto &thread : threads)
        thread.join();

    QSet<QString> paths;
    for (const PhotoResult &r : results)
        paths.insert(r.path);
    EXPECT_EQ(paths.size(), Threads * PerThread) << "every save succeeded under its own name";
    QStringList expected;
    for (int n = 1; n <= Threads * PerThread; ++n)
        expected << QString("2026-12-05_%1.jpg").arg(n, 4, 10, QChar('0'));
    EXPECT_EQ(libraryFiles(), expected) << "no temporary files, no gaps";
    for (const QString &path : paths) {
        const Decoded d = decodeFile(path);
        EXPECT_TRUE(d.complete && d.width == 320 && d.height == 240) << qPrintable(path);
    }
    writer->flushCounter();
    EXPECT_EQ(defaults.integerForKey(CapturedNumber), Threads * PerThread + 1);
}

TEST_F(PhotoWriterTest, AsyncSavesAreOnDiskAfterWaitAndAnnouncedOnTheMainThread)
{
    auto writer = makeWriter();
    std::vector<PhotoResult> announced;
    bool allOnMain = true;
    for (int i = 0; i < 10; ++i) {
        writer->saveAsync(frame, "Arvoscope", [&](const PhotoResult &r) {
            announced.push_back(r);
            allOnMain = allOnMain && isMainThread();
        });
    }
    writer->saveAsync(QImage(), "Arvoscope", {}); // no completion: must not crash
    writer->waitForSaves();

    // On disk as soon as the wait returns, before the main thread has run the announcements.
    EXPECT_EQ(libraryFiles().size(), 10);
    EXPECT_TRUE(announced.empty());
    ASSERT_TRUE(waitUntil([&] { return announced.size() == 10; }));
    EXPECT_TRUE(allOnMain);
    for (const PhotoResult &r : announced)
        EXPECT_TRUE(r.ok && QFileInfo::exists(r.path)) << qPrintable(r.error);
}

// A writer whose encoding can be held at a gate, or made to fail.
class GatedWriter : public PhotoWriter {
public:
    using PhotoWriter::PhotoWriter;
    ~GatedWriter() override { waitForSaves(); }

    std::promise<void> entered; // set when a frame of gateWidth starts encoding
    std::promise<void> open;    // the test sets it to let that frame go on
    int gateWidth = -1;
    bool fail = false;
    std::shared_future<void> saveThreadsGate; // when set, encoding off the main thread waits for it

protected:
    PhotoEncoder::EncodedFrame encodeFrame(const QImage &frame, QString *error) override
    {
        if (fail) {
            *error = "simulated encoder failure";
            return {};
        }
        if (frame.width() == gateWidth) {
            entered.set_value();
            open.get_future().wait();
        }
        if (saveThreadsGate.valid() && !isMainThread())
            saveThreadsGate.wait();
        return PhotoWriter::encodeFrame(frame, error);
    }
};

// A name handed out but not yet written is not handed out again when the day changes meanwhile
// and the counter restarts under a custom prefix both days share.
TEST_F(PhotoWriterTest, NameOfAPhotoStillBeingWrittenIsNotHandedOutAgain)
{
    GatedWriter writer(&defaults, clock.function());
    writer.setSettings({library, true, "Lecture"});
    writer.gateWidth = 65;
    auto entered = writer.entered.get_future();
    PhotoResult held;
    std::thread lateSave([&] { held = writer.save(testFrame(65, 48), {}); });
    entered.wait();
    clock.set(DecemberFifth.addDays(1));
    const PhotoResult meanwhile = writer.save(frame, {});
    writer.open.set_value();
    lateSave.join();

    EXPECT_EQ(fileName(held), "Lecture_0001.jpg") << qPrintable(held.error);
    EXPECT_EQ(fileName(meanwhile), "Lecture_0002.jpg") << qPrintable(meanwhile.error);
    EXPECT_EQ(decodeFile(held.path).width, 65) << "the held photo was not overwritten";
    EXPECT_EQ(decodeFile(meanwhile.path).width, 64);
}

// The counter is written lazily, so a crash can leave the store behind the folder (before the first
// photo, or at an earlier burst's end): the next run goes on after the last photo on disk.
TEST_F(PhotoWriterTest, RestartAfterABurstWhoseCounterWasNeverWrittenOverwritesNothing)
{
    const struct {
        int storedDay, storedNumber; // what the store said when the burst began; 0, 0: nothing
    } cases[] = {{0, 0}, {DecemberFifthDay, 3}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "stored number " << c.storedNumber);
        QDir(library).removeRecursively();
        QDir().mkpath(library);
        defaults.remove(CapturedNumber);
        defaults.remove(PreviousDate);
        if (c.storedNumber) {
            defaults.setValue(PreviousDate, c.storedDay);
            defaults.setValue(CapturedNumber, c.storedNumber);
        }
        const QByteArray staleStore = readFile(defaults.fileName());
        QHash<QString, QByteArray> burst;
        {
            auto writer = makeWriter();
            for (int i = 0; i < 6; ++i)
                writer->saveAsync(testFrame(64 + i, 48), {}, {});
            writer->waitForSaves();
            for (const QString &name : libraryFiles())
                burst.insert(name, readFile(library + "/" + name));
        }
        ASSERT_EQ(burst.size(), 6);
        ASSERT_TRUE(writeFile(defaults.fileName(), staleStore)); // the crash: the counter never got out

        UserDefaults restarted(defaults.fileName());
        PhotoWriter writer(&restarted, clock.function());
        writer.setSettings({library, false, {}});
        const PhotoResult next = writer.save(frame, {});
        const int first = qMax(1, c.storedNumber);
        EXPECT_EQ(fileName(next), QString("2026-12-05_%1.jpg").arg(first + 6, 4, 10, QChar('0')));
        for (auto it = burst.cbegin(); it != burst.cend(); ++it)
            EXPECT_EQ(readFile(library + "/" + it.key()), it.value()) << qPrintable(it.key());
    }
}

// Presses faster than the save threads: few frames wait decoded, and every photo shows its frame.
TEST_F(PhotoWriterTest, BurstKeepsFewFramesDecodedAndEveryPhotoRight)
{
    GatedWriter writer(&defaults, clock.function());
    writer.setSettings({library, false, {}});
    std::promise<void> gate;
    writer.saveThreadsGate = gate.get_future().share();
    constexpr int Distinct = 12, Repeats = 4;
    for (int i = 0; i < Distinct; ++i) {
        const QImage pressed = testFrame(100 + i, 48);
        for (int r = 0; r < Repeats; ++r) {
            writer.saveAsync(pressed, {}, {});
            EXPECT_LE(writer.decodedFramesWaiting(), PhotoWriter::MaxDecodedFrames) << "press " << i << "." << r;
        }
    }
    EXPECT_EQ(writer.decodedFramesWaiting(), PhotoWriter::MaxDecodedFrames);
    gate.set_value();
    writer.waitForSaves();
    EXPECT_EQ(writer.decodedFramesWaiting(), 0);

    const QStringList files = libraryFiles();
    ASSERT_EQ(files.size(), Distinct * Repeats);
    QHash<int, int> photosPerWidth;
    for (const QString &name : files) {
        const Decoded d = decodeFile(library + "/" + name);
        ASSERT_TRUE(d.complete) << qPrintable(name);
        ++photosPerWidth[d.width];
        const QRgb expected = testFrame(d.width, 48).pixel(d.width / 2, 24), got = d.image.pixel(d.width / 2, 24);
        EXPECT_NEAR(qGreen(got), qGreen(expected), 12) << qPrintable(name);
    }
    for (int i = 0; i < Distinct; ++i)
        EXPECT_EQ(photosPerWidth.value(100 + i), Repeats) << "width " << 100 + i;
}

TEST(PhotoEncoder, ColoursSurviveEveryFrameFormat)
{
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888,
                                  QImage::Format_RGBA8888, QImage::Format_Grayscale8}) {
        for (const QColor &colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
            QImage image(32, 32, QImage::Format_RGB32);
            image.fill(colour);
            image = image.convertToFormat(format);
            const Decoded d = decodeJpeg(PhotoEncoder::encodeJpeg(image));
            ASSERT_TRUE(d.complete);
            const QRgb expected = image.pixel(16, 16), got = d.image.pixel(16, 16);
            EXPECT_LE(channelDistance(got, expected), 6) << format << " " << qPrintable(colour.name());
        }
    }
}

// The EXIF thumbnail shows the whole frame fitted into 160x120: four quadrants land in its four.
TEST(PhotoEncoder, ExifThumbnailShowsTheWholeFrame)
{
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    for (const auto &[frameSize, thumbSize] :
         {std::pair{QSize(640, 480), QSize(160, 120)}, {QSize(1280, 720), QSize(160, 90)}, {QSize(120, 90), QSize(120, 90)}}) {
        QImage image(frameSize, QImage::Format_RGB32);
        const int w = frameSize.width() / 2, h = frameSize.height() / 2;
        for (int q = 0; q < 4; ++q)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    image.setPixel(x + (q % 2) * w, y + (q / 2) * h, colours[q].rgb());
        const QByteArray photo = PhotoEncoder::encodePhoto(image, {DecemberFifth, {}, {}});
        auto read = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(photo.constData()), long(photo.size()));
        read->readMetadata();
        const Exiv2::DataBuf thumbnail = Exiv2::ExifThumbC(read->exifData()).copy();
        const Decoded small = decodeJpeg(QByteArray(reinterpret_cast<const char *>(thumbnail.pData_), thumbnail.size_));
        ASSERT_TRUE(small.complete) << frameSize.width();
        ASSERT_EQ(QSize(small.width, small.height), thumbSize);
        for (int q = 0; q < 4; ++q) {
            const QRgb got = small.image.pixel(thumbSize.width() / 4 * (1 + 2 * (q % 2)), thumbSize.height() / 4 * (1 + 2 * (q / 2)));
            EXPECT_LE(channelDistance(got, colours[q].rgb()), 12) << frameSize.width() << " quadrant " << q;
        }
    }
}

TEST_F(PhotoWriterTest, ExifAndTiffTagsReadBack)
{
    const PhotoResult r = makeWriter()->save(testFrame(200, 150), "Arvoscope");
    ASSERT_TRUE(r.ok) << qPrintable(r.error);
    auto image = Exiv2::ImageFactory::open(r.path.toStdString());
    image->readMetadata();
    const Exiv2::ExifData &exif = image->exifData();
    for (const auto &[key, value] : std::map<std::string, std::string>{{"Exif.Image.Orientation", "1"},
                                                                       {"Exif.Image.XResolution", "72/1"},
                                                                       {"Exif.Image.YResolution", "72/1"},
                                                                       {"Exif.Image.ResolutionUnit", "2"},
                                                                       {"Exif.Image.Make", "Velmar corp"},
                                                                       {"Exif.Image.Model", "Arvoscope"},
                                                                       {"Exif.Image.Software", "Arvo"},
                                                                       {"Exif.Image.DateTime", "2026:12:05 09:07:03"},
                                                                       {"Exif.Photo.DateTimeOriginal", "2026:12:05 09:07:03"},
                                                                       {"Exif.Photo.DateTimeDigitized", "2026:12:05 09:07:03"}}) {
        const auto it = exif.findKey(Exiv2::ExifKey(key));
        EXPECT_EQ(it == exif.end() ? std::string("<missing>") : it->toString(), value) << key;
    }
    const auto version = exif.findKey(Exiv2::ExifKey("Exif.Photo.ExifVersion"));
    ASSERT_NE(version, exif.end());
    EXPECT_EQ(version->typeId(), Exiv2::undefined);
    EXPECT_EQ(version->toString(), "48 50 50 48") << "the four bytes \"0220\"";

    // The JFIF header, still first after the EXIF block was added, says 72 dots per inch.
    const QByteArray file = readFile(r.path);
    ASSERT_GE(file.size(), 18);
    EXPECT_EQ(file.mid(0, 4), QByteArray("\xff\xd8\xff\xe0"));
    EXPECT_EQ(file.mid(6, 5), QByteArray("JFIF\0", 5));
    EXPECT_EQ(file.mid(13, 5), QByteArray("\x01\x00\x48\x00\x48", 5));
    EXPECT_GT(Exiv2::ExifThumbC(exif).copy().size_, 0) << "an EXIF thumbnail";

    // Without a camera model the model tag is left out.
    auto other = Exiv2::ImageFactory::open(makeWriter()->save(frame, {}).path.toStdString());
    other->readMetadata();
    EXPECT_EQ(other->exifData().findKey(Exiv2::ExifKey("Exif.Image.Model")), other->exifData().end());
    EXPECT_NE(other->exifData().findKey(Exiv2::ExifKey("Exif.Image.Make")), other->exifData().end());
}

// No frame yet, or an encoder that fails: no file, and no number used up.
TEST_F(PhotoWriterTest, NoFrameOrAnEncodingFailureLeavesNoFileAndUsesNoNumber)
{
    GatedWriter writer(&defaults, clock.function());
    writer.setSettings({library, false, {}});
    for (const QImage &empty : {QImage(), QImage(0, 10, QImage::Format_RGB32)})
        expectFailure(writer.save(empty, "Arvoscope"), "no picture to save");
    EXPECT_FALSE(defaults.contains(CapturedNumber));
    writer.fail = true;
    expectFailure(writer.save(frame, {}), "simulated encoder failure");
    EXPECT_TRUE(libraryFiles().isEmpty());
    writer.fail = false;
    EXPECT_EQ(fileName(writer.save(frame, {})), "2026-12-05_0001.jpg");
}

TEST_F(PhotoWriterTest, MissingOrUnusableLibraryFolderFailsAndIsLeftAlone)
{
    ASSERT_TRUE(QDir(library).removeRecursively());
    auto writer = makeWriter();
    expectFailure(writer->save(frame, "Arvoscope"), library);
    EXPECT_FALSE(QFileInfo::exists(library)) << "not created";
    EXPECT_TRUE(writtenFiles().isEmpty()) << qPrintable(writtenFiles().join(", "));

    ASSERT_TRUE(writeFile(library, "not a folder"));
    expectFailure(writer->save(frame, "Arvoscope"), library);
    EXPECT_EQ(readFile(library), "not a folder");
    EXPECT_EQ(writtenFiles(), QStringList{"Pictures/Arvo"});

    writer->setSettings({QString(), false, {}});
    expectFailure(writer->save(frame, {}), {});
    EXPECT_EQ(writtenFiles(), QStringList{"Pictures/Arvo"});
}

TEST_F(PhotoWriterTest, ReadOnlyLibraryFolderFailsWithoutLeavingAnything)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root, where folder permissions do not stop writing";
    QFile::setPermissions(library, QFile::ReadOwner | QFile::ExeOwner);
    const PhotoResult r = makeWriter()->save(frame, {});
    QFile::setPermissions(library, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    expectFailure(r, library);
    EXPECT_TRUE(libraryFiles().isEmpty());
}

// Photos staged in unnamed files, and in named temporary files as on file systems without them.
class Staging : public PhotoWriterTest, public ::testing::WithParamInterface<bool> {};

// The name is taken while the photo is encoded, by another program and by a writer that sees the
// folder through a symbolic link with a counter of its own: the photo takes the next free number.
TEST_P(Staging, NameTakenBeforeTheCommitIsNeverOverwritten)
{
    const QString linked = sandbox.path("Linked");
    ASSERT_TRUE(QFile::link(library, linked));
    GatedWriter writer(&defaults, clock.function());
    writer.setUnnamedFiles(GetParam());
    writer.setSettings({linked, false, {}});
    writer.gateWidth = 65;
    auto entered = writer.entered.get_future();
    PhotoResult held;
    std::thread save([&] { held = writer.save(testFrame(65, 48), {}); });
    entered.wait();
    UserDefaults otherStore(sandbox.path("Arvo.conf.other"));
    PhotoWriter other(&otherStore, clock.function());
    other.setSettings({library, false, {}});
    const PhotoResult first = other.save(frame, {});
    ASSERT_TRUE(writeFile(library + "/2026-12-05_0002.jpg", "another program's file"));
    writer.open.set_value();
    save.join();

    ASSERT_TRUE(held.ok) << qPrintable(held.error);
    EXPECT_EQ(held.path, linked + "/2026-12-05_0003.jpg");
    EXPECT_EQ(decodeFile(held.path).width, 65);
    EXPECT_EQ(decodeFile(first.path).width, 64);
    EXPECT_EQ(readFile(library + "/2026-12-05_0002.jpg"), "another program's file");
    EXPECT_EQ(libraryFiles(), QStringList({"2026-12-05_0001.jpg", "2026-12-05_0002.jpg", "2026-12-05_0003.jpg"}));
    writer.flushCounter();
    EXPECT_EQ(defaults.integerForKey(CapturedNumber), 4);
}

// A file-size limit (which binds root too) stands in for a full disk: a short write, then a failing
// one whose reason is reported.
TEST_P(Staging, WriteFailingPartWayLeavesNoFileAndGivesTheNumberBack)
{
    auto writer = makeWriter();
    writer->setUnnamedFiles(GetParam());
    const QImage big = testFrame(320, 240);
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const PhotoResult failed = writer->save(big, {});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    expectFailure(failed, library);
    EXPECT_TRUE(failed.error.contains(qt_error_string(EFBIG))) << qPrintable(failed.error);
    EXPECT_TRUE(libraryFiles().isEmpty()) << qPrintable(libraryFiles().join(", "));

    const PhotoResult next = writer->save(big, {});
    ASSERT_TRUE(next.ok) << qPrintable(next.error);
    EXPECT_EQ(fileName(next), "2026-12-05_0001.jpg") << "the failed save's number is used again";
    EXPECT_TRUE(decodeFile(next.path).complete);
}

INSTANTIATE_TEST_SUITE_P(PhotoWriter, Staging, ::testing::Bool(),
                         [](const auto &info) { return std::string(info.param ? "UnnamedFile" : "NamedTemporaryFile"); });

} // namespace
