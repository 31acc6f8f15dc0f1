// The decoding steps the live picture is made of, each alone, at 1600 x 1200: the whole MJPEG
// decode (the accurate DCT a photo is decoded with), the decode of only the zoomed centre or of
// the whole frame at 1/2 (JpegRegionDecoder), and the YUYV conversion, set against a plain copy
// of a frame of that size, which no frame path can beat. The live path as the application runs
// it, at every frame size from 640 x 480 to 3840 x 2160 and beside a GStreamer pipeline, is
// measured in FrameTransformBench.cpp.

#include "BenchPages.h"
#include "capture/FrameDecoding.h"
#include "capture/FrameTransform.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

const QSize FrameSize(1600, 1200);

// The same size in YUYV: a grey ramp with some colour.
std::vector<uint8_t> yuyvFrame()
{
    std::vector<uint8_t> frame(size_t(FrameSize.width()) * 2 * size_t(FrameSize.height()));
    for (size_t i = 0; i < frame.size(); i += 4) {
        frame[i] = uint8_t(16 + (i / 4) % 220);
        frame[i + 1] = 100;
        frame[i + 2] = uint8_t(16 + (i / 4 + 7) % 220);
        frame[i + 3] = 160;
    }
    return frame;
}

void BM_FrameCopyBaseline1600x1200(benchmark::State &state)
{
    QImage source(FrameSize, QImage::Format_RGB32);
    source.fill(Qt::white);
    QImage frame(FrameSize, QImage::Format_RGB32);
    const size_t bytes = size_t(source.sizeInBytes());
    for (auto _ : state) {
        std::memcpy(frame.bits(), source.constBits(), bytes);
        benchmark::DoNotOptimize(frame.bits());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(BM_FrameCopyBaseline1600x1200)->Unit(benchmark::kMillisecond);

void BM_MjpegDecode1600x1200(benchmark::State &state)
{
    const QByteArray &jpeg = BenchPages::cameraJpeg(FrameSize);
    const auto decoder = FrameDecoding::makeMjpegDecoder();
    QImage frame;
    for (auto _ : state) {
        const bool ok = FrameDecoding::decodeMjpegFrame(
            decoder.get(), reinterpret_cast<const uint8_t *>(jpeg.constData()), size_t(jpeg.size()), frame);
        if (!ok) {
            state.SkipWithError("the JPEG did not decode");
            break;
        }
        benchmark::DoNotOptimize(frame.constBits());
    }
    state.counters["jpeg_kB"] = double(jpeg.size()) / 1024;
}
BENCHMARK(BM_MjpegDecode1600x1200)->Unit(benchmark::kMillisecond);

// Only the part a zoom shows (the centre quarter at zoom 2), or the whole frame at 1/2 (a view of
// at most half the frame's size); set against BM_MjpegDecode1600x1200.
void BM_MjpegDecodePart1600x1200(benchmark::State &state)
{
    const QByteArray &jpeg = BenchPages::cameraJpeg(FrameSize);
    const float zoom = float(state.range(0)) / 100;
    const int denominator = int(state.range(1));
    const QRect part = FrameTransform::visibleRect(FrameSize, {zoom, false, false, FrameSize});
    FrameDecoding::JpegRegionDecoder decoder;
    QImage frame;
    QRect decoded;
    for (auto _ : state) {
        if (!decoder.decode(reinterpret_cast<const uint8_t *>(jpeg.constData()), size_t(jpeg.size()), part,
                            denominator, frame, &decoded)) {
            state.SkipWithError("the JPEG did not decode");
            break;
        }
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(BM_MjpegDecodePart1600x1200)
    ->ArgNames({"zoom%", "denominator"})
    ->Args({100, 1})
    ->Args({200, 1})
    ->Args({100, 2})
    ->Unit(benchmark::kMillisecond);

void BM_YuyvConvert1600x1200(benchmark::State &state)
{
    const std::vector<uint8_t> yuyv = yuyvFrame();
    QImage frame;
    for (auto _ : state) {
        const bool ok = FrameDecoding::convertYuyvFrame(yuyv.data(), yuyv.size(), FrameSize.width() * 2,
                                                        FrameSize, frame);
        if (!ok) {
            state.SkipWithError("the frame did not convert");
            break;
        }
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(BM_YuyvConvert1600x1200)->Unit(benchmark::kMillisecond);

} // namespace
