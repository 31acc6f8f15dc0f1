// Saving a photo must cost little more than encoding it: the EXIF pass and the atomic write
// are measured together against TurboJPEG encoding the same frame alone, at the same quality
// and chroma sampling.

#include "photos/PhotoEncoder.h"
#include "photos/PhotoWriter.h"
#include "core/UserDefaults.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

namespace {

// A page as the camera sees it: paper with a little shading, lines of dark text, a marker
// stroke and a coloured figure.
QImage documentFrame()
{
    QImage image(1280, 960, QImage::Format_RGB32);
    QLinearGradient paper(0, 0, 1280, 960);
    paper.setColorAt(0, QColor(246, 244, 238));
    paper.setColorAt(1, QColor(222, 220, 212));
    QPainter p(&image);
    p.fillRect(image.rect(), paper);
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

void BM_TurboJpegEncodeBaseline1280x960(benchmark::State &state)
{
    const QImage frame = documentFrame();
    tjhandle handle = tjInitCompress();
    unsigned long size = 0;
    for (auto _ : state) {
        unsigned char *buffer = nullptr;
        if (tjCompress2(handle, frame.constBits(), frame.width(), int(frame.bytesPerLine()), frame.height(),
                        TJPF_BGRX, &buffer, &size, TJSAMP_420, PhotoEncoder::Quality, 0)
            != 0)
            state.SkipWithError(tjGetErrorStr2(handle));
        tjFree(buffer);
    }
    tjDestroy(handle);
    state.counters["bytes"] = double(size);
}
BENCHMARK(BM_TurboJpegEncodeBaseline1280x960)->Unit(benchmark::kMillisecond);

void BM_PhotoSave1280x960(benchmark::State &state)
{
    const QImage frame = documentFrame();
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(QStringLiteral("Arvo.conf")));
    PhotoWriter writer(&defaults);
    writer.setSettings({dir.path(), false, {}});
    qint64 size = 0;
    for (auto _ : state) {
        const PhotoResult result = writer.save(frame, QStringLiteral("Arvoscope"));
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            break;
        }
        state.PauseTiming();
        size = QFileInfo(result.path).size();
        QFile::remove(result.path);
        state.ResumeTiming();
    }
    state.counters["bytes"] = double(size);
}
BENCHMARK(BM_PhotoSave1280x960)->Unit(benchmark::kMillisecond);

} // namespace
