// The per-frame work of the live picture at 1600x1200: MJPEG decode, then zoom 2.0 and mirroring,
// against the decode alone, so the ratio shows what the transform adds.

#include "capture/FrameDecoding.h"
#include "capture/FrameTransform.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <vector>

namespace {

// A synthetic document page encoded as the camera would send it.
std::vector<uint8_t> pageJpeg(int w, int h)
{
    QImage page(w, h, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    p.setPen(QPen(Qt::black, 3));
    p.drawRect(40, 40, w - 80, h - 80);
    QFont font = p.font();
    font.setPixelSize(28);
    p.setFont(font);
    for (int y = 120; y < h - 80; y += 48)
        p.drawText(80, y, QStringLiteral("The quick brown fox jumps over the lazy dog %1").arg(y));
    p.end();
    tjhandle encoder = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(encoder, page.constBits(), w, int(page.bytesPerLine()), h, TJPF_BGRX, &jpeg, &size,
                TJSAMP_422, 85, 0);
    std::vector<uint8_t> bytes(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(encoder);
    return bytes;
}

const std::vector<uint8_t> &frame1600()
{
    static const std::vector<uint8_t> bytes = pageJpeg(1600, 1200);
    return bytes;
}

void BM_MjpegDecodeBaseline1600x1200(benchmark::State &state)
{
    auto decoder = FrameDecoding::makeMjpegDecoder();
    QImage out;
    for (auto _ : state) {
        FrameDecoding::decodeMjpegFrame(decoder.get(), frame1600().data(), frame1600().size(), out);
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(BM_MjpegDecodeBaseline1600x1200)->Unit(benchmark::kMillisecond);

void BM_MjpegDecodeZoomMirror1600x1200(benchmark::State &state)
{
    auto decoder = FrameDecoding::makeMjpegDecoder();
    FrameTransform transform;
    QImage out;
    QImage shown; // the frame the view and the snapshot controller hold on to
    for (auto _ : state) {
        FrameDecoding::decodeMjpegFrame(decoder.get(), frame1600().data(), frame1600().size(), out);
        QImage frame = out;
        transform.apply(frame, {2.0f, true, false, QSize(1600, 1200)});
        shown = frame;
        benchmark::DoNotOptimize(shown.constBits());
    }
}
BENCHMARK(BM_MjpegDecodeZoomMirror1600x1200)->Unit(benchmark::kMillisecond);

} // namespace
