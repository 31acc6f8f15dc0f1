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
// BM_LivePath also runs, in the same iterations, the same crop, scale to the view's size and
// mirroring in a GStreamer pipeline (GstLivePipeline.h), when the benchmark is built with GStreamer.
// Counters: cpu_ms (the path), decode_ms (the baseline), ratio (cpu_ms / decode_ms), gstreamer_ms.
//
// The frames of other cameras (1920 x 1080 and 3840 x 2160 in MJPEG, YUYV up to 1920 x 1080,
// named <size>-yuyv) run only the application's path and GStreamer's; a YUYV frame's baseline is
// its whole conversion.

#include "BenchPages.h"
#include "BenchTable.h"
#include "capture/FrameDecoding.h"
#include "capture/FrameTransform.h"
#include "capture/LiveFrameDecoder.h"
#include "ui/camera/CaptureView.h"
#ifdef ARVO_BENCH_GSTREAMER
#include "GstLivePipeline.h"
#endif

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <benchmark/benchmark.h>

#include <array>
#include <ctime>
#include <iterator>
#include <memory>

namespace {

const QSize ViewSize(800, 600);
const std::array<QSize, 4> FrameSizes = {QSize(640, 480), QSize(1280, 960), QSize(1600, 1200),
                                         QSize(2592, 1944)};

struct Stream {
    QSize size;
    FramePayload::Format format = FramePayload::Format::Mjpeg;

    std::string name() const
    {
        return std::to_string(size.width()) + "x" + std::to_string(size.height())
               + (format == FramePayload::Format::Yuyv ? "-yuyv" : "");
    }
};

// What cameras other than the two models send: 16:9 and 4K MJPEG, and uncompressed frames up to
// full HD.
const std::array<Stream, 6> OtherStreams = {Stream{QSize(1920, 1080)},
                                            Stream{QSize(3840, 2160)},
                                            Stream{QSize(640, 480), FramePayload::Format::Yuyv},
                                            Stream{QSize(1280, 960), FramePayload::Format::Yuyv},
                                            Stream{QSize(1600, 1200), FramePayload::Format::Yuyv},
                                            Stream{QSize(1920, 1080), FramePayload::Format::Yuyv}};

// A frame of `stream` as the camera sends it.
FramePayload cameraPayload(const Stream &stream)
{
    FramePayload payload;
    payload.format = stream.format;
    const QByteArray &bytes = stream.format == FramePayload::Format::Yuyv
                                  ? BenchPages::cameraYuyv(stream.size)
                                  : BenchPages::cameraJpeg(stream.size);
    payload.data = reinterpret_cast<const uint8_t *>(bytes.constData());
    payload.length = size_t(bytes.size());
    payload.size = stream.size;
    payload.bytesPerLine = stream.size.width() * 2;
    payload.outputSize = stream.size;
    return payload;
}

// The whole frame decoded (MJPEG) or converted (YUYV), nothing else.
bool decodeWhole(const FramePayload &payload, tjhandle decoder, QImage &out)
{
    if (payload.format == FramePayload::Format::Yuyv)
        return FrameDecoding::convertYuyvFrame(payload.data, payload.length, payload.bytesPerLine,
                                               payload.size, out);
    return FrameDecoding::decodeMjpegFrame(decoder, payload.data, payload.length, out);
}

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
        if (frame.isPresented() && frame.picture().size() == target.size()) {
            painter.drawImage(target.topLeft(), frame.picture());
            return;
        }
        if (presented.size() != target.size() || !presented.isDetached())
            presented = QImage(target.size(), QImage::Format_RGB32);
        CaptureView::renderPicture(frame, presented, scratch);
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
        if (!frame.isPresented()) // a presented picture is mirrored already
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

void BM_Live(benchmark::State &state, Stream stream, float zoom, Variant variant, const std::string &name)
{
    const FramePayload payload = cameraPayload(stream);
    const LiveFrame::Transform transform{zoom, true, false, stream.size};

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
#ifdef ARVO_BENCH_GSTREAMER
    std::unique_ptr<GstLivePipeline> pipeline;
    if (variant == Variant::Path) {
        pipeline = std::make_unique<GstLivePipeline>(
            stream.format == FramePayload::Format::Yuyv ? GstLivePipeline::Input::Yuyv
                                                        : GstLivePipeline::Input::Mjpeg,
            stream.size, FrameTransform::visibleRect(stream.size, transform),
            fitted(FrameTransform::shownSize(stream.size, transform), view.backingStore.rect()).size());
        if (!pipeline->isValid()) {
            state.SkipWithError("the GStreamer pipeline did not start");
            return;
        }
    }
#endif

    double pathCpu = 0;
    double baselineCpu = 0;
    double pipelineCpu = 0;
    for (auto _ : state) {
        const double wall0 = wallSeconds();
        const double cpu0 = processCpuSeconds();
        switch (variant) {
        case Variant::Eager:
            decodeWhole(payload, decoder.get(), decoded);
            {
                QImage frame = decoded;
                eager.apply(frame, transform);
                keptPicture = frame;
                shownPicture = frame;
                view.paintWhole(shownPicture);
            }
            break;
        case Variant::Lazy:
            decodeWhole(payload, decoder.get(), decoded);
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
        if (variant != Variant::Eager && shown.isNull()) {
            state.SkipWithError("the frame did not decode");
            break;
        }
        decodeWhole(payload, baselineDecoder.get(), baseline);
        benchmark::DoNotOptimize(baseline.constBits());
        benchmark::DoNotOptimize(view.backingStore.constBits());
        const double cpu2 = processCpuSeconds();
        pathCpu += cpu1 - cpu0;
        baselineCpu += cpu2 - cpu1;
#ifdef ARVO_BENCH_GSTREAMER
        if (pipeline) {
            if (pipeline->process(payload.data, payload.length) == 0) {
                state.SkipWithError("the GStreamer pipeline gave no picture");
                break;
            }
            pipelineCpu += processCpuSeconds() - cpu2;
        }
#endif
        state.SetIterationTime(wall1 - wall0);
    }
    const double n = double(state.iterations());
    state.counters["cpu_ms"] = pathCpu / n * 1e3;
    state.counters["decode_ms"] = baselineCpu / n * 1e3;
    state.counters["ratio"] = baselineCpu > 0 ? pathCpu / baselineCpu : 0;
    // For the closing table: the path and the decode, both in process CPU time per frame.
    BenchTable::record(name + " cpu", {pathCpu / n, pathCpu / n});
    BenchTable::record(name + " decode cpu", {baselineCpu / n, baselineCpu / n});
    if (pipelineCpu > 0) {
        state.counters["gstreamer_ms"] = pipelineCpu / n * 1e3;
        BenchTable::record(name + " gstreamer cpu", {pipelineCpu / n, pipelineCpu / n});
    }
}

// The baseline alone: the whole frame decoded or converted, nothing else.
void BM_LiveDecodeBaseline(benchmark::State &state, Stream stream)
{
    const FramePayload payload = cameraPayload(stream);
    const auto decoder = FrameDecoding::makeMjpegDecoder();
    QImage frame;
    for (auto _ : state) {
        decodeWhole(payload, decoder.get(), frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void registerStream(const Stream &stream, const std::pair<const char *, Variant> *variants, size_t count)
{
    const std::string streamName = stream.name();
    benchmark::RegisterBenchmark(("BM_LiveDecodeBaseline/" + streamName).c_str(), BM_LiveDecodeBaseline,
                                 stream)
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime()
        ->UseRealTime();
    for (size_t i = 0; i < count; ++i) {
        const auto &[name, variant] = variants[i];
        for (float zoom : {1.0f, 2.0f}) {
            const std::string full =
                std::string(name) + "/" + streamName + "/zoom" + std::to_string(int(zoom));
            if (variant == Variant::Path) {
                // A YUYV frame's conversion is a single cheap pass; scaling it to the view costs
                // more than that whatever the path, so that ratio is only shown.
                const bool yuyv = stream.format == FramePayload::Format::Yuyv;
                BenchTable::addRow(full + " cpu", full + " decode cpu",
                                   yuyv       ? "none (scaling dominates)"
                                   : zoom > 1 ? "<= 1.0"
                                              : "<= 1.2");
                BenchTable::addRow(full + " cpu", full + " gstreamer cpu", "<= 1.0");
            }
            benchmark::RegisterBenchmark(full.c_str(), BM_Live, stream, zoom, variant, full)
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime();
        }
    }
}

const bool registered = [] {
    const std::pair<const char *, Variant> variants[] = {{"BM_LivePath", Variant::Path},
                                                         {"BM_LiveEager", Variant::Eager},
                                                         {"BM_LiveLazy", Variant::Lazy},
                                                         {"BM_LiveLazyCrop", Variant::LazyCrop},
                                                         {"BM_LiveLazyPainter", Variant::PathPainter}};
    for (const QSize &size : FrameSizes)
        registerStream(Stream{size}, variants, std::size(variants));
    for (const Stream &stream : OtherStreams)
        registerStream(stream, variants, 1); // the application's path only
    return true;
}();

} // namespace
