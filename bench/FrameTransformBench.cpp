// The live picture, frame by frame, as the application runs it: the camera's MJPEG frame decoded,
// zoomed and mirrored, and painted into an 800 x 600 view, with the frame on screen and the one
// a snapshot would take still held. Set against the decode of the whole frame alone, measured
// in the same iterations (interleaved, so a busy machine weighs on both alike), in CPU time of
// the whole process, so work that Qt hands to its own threads counts too.
//
// Figures: BM_LivePath/<size>/zoom<z> is the application's path. The others take one lever at
// a time, to show what each is worth:
//   BM_LiveEager       every frame decoded whole, zoomed and mirrored into a new picture, which
//                      the view scales down smoothly (the straightforward path);
//   BM_LiveLazy        transforms left to the view, which scales and mirrors the visible part
//                      once, to its own size; still decoded whole;
//   BM_LiveLazyCrop    and only the visible part decoded (no DCT scaling);
//   BM_LiveLazyPainter as BM_LivePath, but the view lets QPainter scale and mirror.
// Counters: cpu_ms (the path), decode_ms (the baseline), ratio (cpu_ms / decode_ms).

#include "BenchPages.h"
#include "BenchTable.h"
#include "capture/FrameDecoding.h"
#include "capture/FrameTransform.h"
#include "capture/LiveFrameDecoder.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <benchmark/benchmark.h>

#include <array>
#include <ctime>

namespace {

const QSize ViewSize(800, 600);
const std::array<QSize, 4> FrameSizes = {QSize(640, 480), QSize(1280, 960), QSize(1600, 1200),
                                         QSize(2592, 1944)};

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double wallSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

QRect fitted(const QSize &picture, const QRect &area)
{
    const QSize size = picture.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

// The window's backing store and what the view keeps between paints.
struct View {
    QImage backingStore{ViewSize, QImage::Format_ARGB32_Premultiplied};
    QImage presented;
    QImage scratch;

    void fillBars(QPainter &painter, const QRect &target)
    {
        for (const QRect &bar : QRegion(backingStore.rect()).subtracted(target))
            painter.fillRect(bar, Qt::black);
    }

    // The application's paint: the visible part scaled and mirrored once, to the view's size.
    void paint(const LiveFrame &frame)
    {
        QPainter painter(&backingStore);
        const QRect target = fitted(frame.shownSize(), backingStore.rect());
        fillBars(painter, target);
        if (presented.size() != target.size() || !presented.isDetached())
            presented = QImage(target.size(), QImage::Format_RGB32);
        const LiveFrame::Transform t = frame.transform();
        FrameTransform::scaleAndMirror(frame.picture(), frame.visiblePictureRect(), t.hFlipped, t.vFlipped,
                                       presented, scratch);
        painter.drawImage(target.topLeft(), presented);
    }

    // The same, with QPainter scaling the visible part through a mirroring transform.
    void paintWithPainter(const LiveFrame &frame)
    {
        QPainter painter(&backingStore);
        const QRect target = fitted(frame.shownSize(), backingStore.rect());
        fillBars(painter, target);
        const LiveFrame::Transform t = frame.transform();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(target.center() + QPointF(0.5, 0.5));
        painter.scale(t.hFlipped ? -1 : 1, t.vFlipped ? -1 : 1);
        painter.translate(-target.width() / 2.0, -target.height() / 2.0);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(target.size())), frame.picture(),
                          frame.visiblePictureRect());
    }

    // An eagerly transformed picture, scaled smoothly to the view.
    void paintWhole(const QImage &picture)
    {
        QPainter painter(&backingStore);
        const QRect target = fitted(picture.size(), backingStore.rect());
        fillBars(painter, target);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, picture);
    }
};

enum class Variant { Eager, Lazy, LazyCrop, Path, PathPainter };

void BM_Live(benchmark::State &state, QSize size, float zoom, Variant variant, const std::string &name)
{
    const QByteArray &jpeg = BenchPages::cameraJpeg(size);
    const auto *data = reinterpret_cast<const uint8_t *>(jpeg.constData());
    const size_t length = size_t(jpeg.size());
    FramePayload payload;
    payload.format = FramePayload::Format::Mjpeg;
    payload.data = data;
    payload.length = length;
    payload.outputSize = size;
    const LiveFrame::Transform transform{zoom, true, false, size};

    const auto baselineDecoder = FrameDecoding::makeMjpegDecoder();
    QImage baseline;
    const auto decoder = FrameDecoding::makeMjpegDecoder();
    FrameTransform eager;
    QImage decoded;
    LiveFrameDecoder liveDecoder;
    View view;
    // Held as in the application: the frame on screen and the one a snapshot would take.
    LiveFrame shown;
    LiveFrame kept;
    QImage shownPicture;
    QImage keptPicture;

    double pathCpu = 0;
    double baselineCpu = 0;
    for (auto _ : state) {
        const double wall0 = wallSeconds();
        const double cpu0 = processCpuSeconds();
        switch (variant) {
        case Variant::Eager:
            FrameDecoding::decodeMjpegFrame(decoder.get(), data, length, decoded);
            {
                QImage frame = decoded;
                eager.apply(frame, transform);
                keptPicture = frame;
                shownPicture = frame;
                view.paintWhole(shownPicture);
            }
            break;
        case Variant::Lazy:
            FrameDecoding::decodeMjpegFrame(decoder.get(), data, length, decoded);
            kept = shown = LiveFrame(decoded, transform);
            view.paint(shown);
            break;
        case Variant::LazyCrop:
            kept = shown = liveDecoder.decode(payload, transform, QSize());
            view.paint(shown);
            break;
        case Variant::Path:
        case Variant::PathPainter:
            kept = shown = liveDecoder.decode(payload, transform, ViewSize);
            if (variant == Variant::Path)
                view.paint(shown);
            else
                view.paintWithPainter(shown);
            break;
        }
        const double cpu1 = processCpuSeconds();
        const double wall1 = wallSeconds();
        FrameDecoding::decodeMjpegFrame(baselineDecoder.get(), data, length, baseline);
        benchmark::DoNotOptimize(baseline.constBits());
        benchmark::DoNotOptimize(view.backingStore.constBits());
        const double cpu2 = processCpuSeconds();
        pathCpu += cpu1 - cpu0;
        baselineCpu += cpu2 - cpu1;
        state.SetIterationTime(wall1 - wall0);
    }
    const double n = double(state.iterations());
    state.counters["cpu_ms"] = pathCpu / n * 1e3;
    state.counters["decode_ms"] = baselineCpu / n * 1e3;
    state.counters["ratio"] = baselineCpu > 0 ? pathCpu / baselineCpu : 0;
    // For the closing table: the path and the decode, both in process CPU time per frame.
    BenchTable::record(name + " cpu", {pathCpu / n, pathCpu / n});
    BenchTable::record(name + " decode cpu", {baselineCpu / n, baselineCpu / n});
}

// The baseline alone: the whole frame decoded, nothing else.
void BM_LiveDecodeBaseline(benchmark::State &state, QSize size)
{
    const QByteArray &jpeg = BenchPages::cameraJpeg(size);
    const auto decoder = FrameDecoding::makeMjpegDecoder();
    QImage frame;
    for (auto _ : state) {
        FrameDecoding::decodeMjpegFrame(decoder.get(), reinterpret_cast<const uint8_t *>(jpeg.constData()),
                                        size_t(jpeg.size()), frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

const bool registered = [] {
    const std::pair<const char *, Variant> variants[] = {{"BM_LivePath", Variant::Path},
                                                         {"BM_LiveEager", Variant::Eager},
                                                         {"BM_LiveLazy", Variant::Lazy},
                                                         {"BM_LiveLazyCrop", Variant::LazyCrop},
                                                         {"BM_LiveLazyPainter", Variant::PathPainter}};
    for (const QSize &size : FrameSizes) {
        const std::string sizeName = std::to_string(size.width()) + "x" + std::to_string(size.height());
        benchmark::RegisterBenchmark(("BM_LiveDecodeBaseline/" + sizeName).c_str(), BM_LiveDecodeBaseline,
                                     size)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
        for (const auto &[name, variant] : variants) {
            for (float zoom : {1.0f, 2.0f}) {
                const std::string full =
                    std::string(name) + "/" + sizeName + "/zoom" + std::to_string(int(zoom));
                if (variant == Variant::Path)
                    BenchTable::addRow(full + " cpu", full + " decode cpu", zoom > 1 ? "<= 1.0" : "<= 1.2");
                benchmark::RegisterBenchmark(full.c_str(), BM_Live, size, zoom, variant, full)
                    ->Unit(benchmark::kMillisecond)
                    ->UseManualTime();
            }
        }
    }
    return true;
}();

} // namespace
