// The photo browser makes a thumbnail of every photo in the library. Decoding at a reduced DCT
// scale must beat the obvious way, a full-size decode followed by a smooth scale, by a wide
// margin on a photo of the camera's usual size. Both work on the same file.

#include "library/Thumbnailer.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

const QSize Bound(160, 120);

// A 1600 × 1200 photo with detail everywhere (gradients and a fine pattern), so that the JPEG
// carries as much data as a picture of a printed page does. Written once per run.
const QString &photoPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("photo.jpg"));
        QImage image(1600, 1200, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int pattern = ((x / 3) ^ (y / 5)) & 0x3f;
                line[x] =
                    qRgb((x * 255 / 1600 + pattern) & 0xff, (y * 255 / 1200) & 0xff, (pattern * 4) & 0xff);
            }
        }
        if (!image.save(p, "JPG", 90))
            std::abort();
        return p;
    }();
    return path;
}

void BM_ThumbnailFullDecodeBaseline(benchmark::State &state)
{
    const QString path = photoPath();
    for (auto _ : state) {
        const QImage full(path);
        const QImage thumbnail = full.scaled(Bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(thumbnail.constBits());
    }
}
BENCHMARK(BM_ThumbnailFullDecodeBaseline)->Unit(benchmark::kMillisecond);

void BM_ThumbnailScaledDecode(benchmark::State &state)
{
    const QString path = photoPath();
    for (auto _ : state) {
        const QImage thumbnail = Thumbnailer::decodeThumbnail(path, Bound);
        if (thumbnail.size() != Bound) {
            state.SkipWithError("no thumbnail");
            break;
        }
        benchmark::DoNotOptimize(thumbnail.constBits());
    }
}
BENCHMARK(BM_ThumbnailScaledDecode)->Unit(benchmark::kMillisecond);

} // namespace
