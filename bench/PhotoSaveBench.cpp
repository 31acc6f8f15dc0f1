// Saving a photo must cost little more than encoding it: the thumbnail, the EXIF pass and the
// atomic write (with its flush to the disk) are measured together against the photo's JPEG
// encode alone, at every frame size, in wall time.

#include "BenchTable.h"
#include "core/UserDefaults.h"
#include "photos/PhotoEncoder.h"
#include "photos/PhotoWriter.h"

#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <string>

namespace {

// A page as the camera sees it: paper with a little shading, lines of dark text, a marker
// stroke and a coloured figure, laid out for a 1280 x 960 frame and scaled to `width`.
QImage documentFrame(int width)
{
    const QSize size(width, width * 3 / 4);
    QImage image(size, QImage::Format_RGB32);
    QLinearGradient paper(0, 0, size.width(), size.height());
    paper.setColorAt(0, QColor(246, 244, 238));
    paper.setColorAt(1, QColor(222, 220, 212));
    QPainter p(&image);
    p.fillRect(image.rect(), paper);
    p.scale(width / 1280.0, width / 1280.0);
    p.setPen(QColor(30, 30, 40));
    QFont font;
    font.setPixelSize(18);
    p.setFont(font);
    for (int line = 0; line < 34; ++line)
        p.drawText(
            90, 80 + line * 24,
            QStringLiteral("Line %1: the quick brown fox jumps over the lazy dog 0123456789").arg(line));
    p.fillRect(QRect(86, 246, 620, 22), QColor(255, 235, 40, 110));
    p.setBrush(QColor(40, 110, 200));
    p.drawEllipse(QRect(900, 600, 260, 200));
    return image;
}

void sizes(benchmark::internal::Benchmark *b)
{
    for (int width : {640, 1280, 1600, 2592})
        b->Arg(width);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

void BM_PhotoEncodeBaseline(benchmark::State &state)
{
    const QImage frame = documentFrame(int(state.range(0)));
    qint64 size = 0;
    for (auto _ : state) {
        QString error;
        const QByteArray jpeg = PhotoEncoder::encodeJpeg(frame, &error);
        if (jpeg.isEmpty()) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        size = jpeg.size();
    }
    state.counters["bytes"] = double(size);
}
BENCHMARK(BM_PhotoEncodeBaseline)->Apply(sizes);

void BM_PhotoSave(benchmark::State &state)
{
    const QImage frame = documentFrame(int(state.range(0)));
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(QStringLiteral("Arvo.conf")));
    PhotoWriter writer(&defaults);
    writer.setSettings({dir.path(), false, {}});
    // The photos stay until the end, as a user's do: removing each one in the loop would put
    // its freed blocks into the journal commit of the next photo's flush.
    QString last;
    for (auto _ : state) {
        const PhotoResult result = writer.save(frame, QStringLiteral("Arvoscope"));
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            break;
        }
        last = result.path;
    }
    state.counters["bytes"] = double(QFileInfo(last).size());
}
BENCHMARK(BM_PhotoSave)->Apply(sizes);

const bool rows = [] {
    for (const char *width : {"640", "1280", "1600", "2592"}) {
        const std::string arg = std::string("/") + width + "/real_time";
        BenchTable::addRow("BM_PhotoSave" + arg, "BM_PhotoEncodeBaseline" + arg,
                           std::string(width) == "640" ? "-" : "<= 1.30");
    }
    return true;
}();

} // namespace
