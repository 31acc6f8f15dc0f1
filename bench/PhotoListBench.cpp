// The review mode's library work, each figure next to a baseline from the same run:
//
//   BM_PhotoListSetFolder/<n>    the photo list built from a folder of 1,000 and 10,000 photos
//                                (names sorted, each file's size and dates read); baseline
//                                BM_QDirListing/<n>, a plain sorted QDir listing of the same folder.
//   BM_EncodeChroma/800/<s>      a 800x600 page encoded at the photo quality with chroma
//                                subsampling s (420, 422, 444): what whole-block sizes cost.
//   BM_RotatePhoto/<lossless>    a quarter turn of a 1600x1200 photo in memory, block transform
//                                (1) against decode, turn and encode again (0).

#include "BenchTable.h"
#include "library/LumoPhotoList.h"
#include "library/PhotoRotation.h"
#include "photos/PhotoEncoder.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <unistd.h>

namespace {

QImage page(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), QColor(242, 240, 232));
    p.setPen(QColor(30, 30, 40));
    QFont font;
    font.setPixelSize(size.height() / 40);
    p.setFont(font);
    for (int line = 0; line < 34; ++line)
        p.drawText(
            size.width() / 14, (line + 2) * size.height() / 38,
            QStringLiteral("Line %1: the quick brown fox jumps over the lazy dog 0123456789").arg(line));
    p.setBrush(QColor(40, 110, 200));
    p.drawEllipse(QRect(size.width() * 2 / 3, size.height() * 2 / 3, size.width() / 5, size.height() / 5));
    return image;
}

// A library folder of `count` photos: one JPEG linked under every name (the listing reads no
// pictures), and a few files the listing skips.
class Library {
public:
    explicit Library(int count)
    {
        const QString photo = dir_.filePath(QStringLiteral("photo.data"));
        QFile file(photo);
        file.open(QIODevice::WriteOnly);
        file.write(PhotoEncoder::encodeJpeg(page({640, 480})));
        file.close();
        QDir().mkpath(folder());
        for (int i = 1; i <= count; ++i) {
            const QString name = folder() + QString::asprintf("/2026-12-05_%04d.jpg", i);
            if (::link(QFile::encodeName(photo).constData(), QFile::encodeName(name).constData()) != 0)
                QFile::copy(photo, name);
        }
        for (const char *other : {"notes.txt", "IMG.JPG", "2026-12-05_0001.jpg.a8Zk3Q"})
            QFile::copy(photo, folder() + QLatin1Char('/') + QLatin1String(other));
    }
    QString folder() const { return dir_.filePath(QStringLiteral("library")); }

private:
    QTemporaryDir dir_;
};

void BM_QDirListing(benchmark::State &state)
{
    const Library library(int(state.range(0)));
    qsizetype count = 0;
    for (auto _ : state) {
        const QStringList names =
            QDir(library.folder()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
        count = names.size();
        benchmark::DoNotOptimize(names);
    }
    state.counters["files"] = double(count);
}
BENCHMARK(BM_QDirListing)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_PhotoListSetFolder(benchmark::State &state)
{
    const Library library(int(state.range(0)));
    LumoPhotoList list;
    for (auto _ : state)
        list.setFolder(library.folder());
    state.counters["rows"] = double(list.rowCount());
}
BENCHMARK(BM_PhotoListSetFolder)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_EncodeChroma(benchmark::State &state)
{
    const QImage frame = page({int(state.range(0)), int(state.range(0)) * 3 / 4});
    const int subsampling = state.range(1) == 420   ? TJSAMP_420
                            : state.range(1) == 422 ? TJSAMP_422
                                                    : TJSAMP_444;
    tjhandle handle = tjInitCompress();
    unsigned long size = 0;
    for (auto _ : state) {
        unsigned char *buffer = nullptr;
        if (tjCompress2(handle, frame.constBits(), frame.width(), int(frame.bytesPerLine()), frame.height(),
                        TJPF_BGRX, &buffer, &size, subsampling, PhotoEncoder::Quality, 0)
            != 0)
            state.SkipWithError(tjGetErrorStr2(handle));
        tjFree(buffer);
    }
    tjDestroy(handle);
    state.counters["bytes"] = double(size);
}
BENCHMARK(BM_EncodeChroma)
    ->Args({800, 420})
    ->Args({800, 422})
    ->Args({800, 444})
    ->Args({1600, 420})
    ->Unit(benchmark::kMillisecond);

void BM_RotatePhoto(benchmark::State &state)
{
    // 1600x1200 turns losslessly; 1604x1200 is not a whole number of blocks and is encoded again.
    const bool lossless = state.range(0) != 0;
    const QByteArray jpeg = PhotoEncoder::encodeJpeg(page({lossless ? 1600 : 1604, 1200}));
    for (auto _ : state) {
        RotationResult result;
        const QByteArray turned = rotateJpegData(jpeg, 90, &result);
        if (!result.ok || result.lossless != lossless)
            state.SkipWithError("unexpected kind of turn");
        benchmark::DoNotOptimize(turned);
    }
}
BENCHMARK(BM_RotatePhoto)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The listing reads each file's status (size, dates), which a plain listing does not.
const bool rows = BenchTable::addRow("BM_PhotoListSetFolder/1000", "BM_QDirListing/1000", "<= 10")
                  && BenchTable::addRow("BM_PhotoListSetFolder/10000", "BM_QDirListing/10000", "<= 3")
                  && BenchTable::addRow("BM_EncodeChroma/800/444", "BM_EncodeChroma/800/420", "<= 1.8")
                  && BenchTable::addRow("BM_RotatePhoto/1", "BM_RotatePhoto/0", "<= 0.5");

} // namespace
