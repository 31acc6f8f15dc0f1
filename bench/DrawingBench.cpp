// The live view with a drawing over it: the work of one frame, as the application does it for
// every frame the camera sends: the camera's 1280 x 960 MJPEG frame decoded for an 800 x 600 view
// (LiveFrameDecoder, on the frame thread), then the picture and the drawing overlay painted
// together, as the window repaints them. The figure is a drawing of 200 pen strokes spread over
// the page; the baseline the same view with nothing drawn (the overlay hidden, as the
// application has it). Goal: at most 1.1 times the CPU time. BM_LiveViewPaint/<strokes> is the
// painting alone, to show what the overlay itself costs.

#include "BenchPages.h"
#include "BenchTable.h"
#include "capture/LiveFrameDecoder.h"
#include "ui/camera/CaptureView.h"
#include "ui/drawing/DrawingModel.h"
#include "ui/drawing/DrawingOverlay.h"

#include <QImage>
#include <QRandomGenerator>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

const QSize ViewSize(800, 600);
constexpr int FrameWidth = 1280;

// `count` pen strokes of 30 points each, wandering over a `frame`-sized page.
void addStrokes(DrawingModel &model, const QSize &frame, int count)
{
    QRandomGenerator random(7);
    for (int i = 0; i < count; ++i) {
        Stroke stroke;
        stroke.width = 4;
        QPointF at(random.bounded(frame.width()), random.bounded(frame.height()));
        for (int p = 0; p < 30; ++p) {
            stroke.points << at;
            at += QPointF(random.bounded(13) - 6, random.bounded(13) - 6);
        }
        model.add(stroke);
    }
}

void liveView(benchmark::State &state, bool decodes)
{
    QWidget view;
    view.resize(ViewSize);
    auto *picture = new CaptureView(&view);
    picture->setGeometry(view.rect());
    DrawingModel model;
    auto *overlay = new DrawingOverlay(
        &model, [picture] { return picture->frame(); }, &view);
    overlay->setGeometry(view.rect());
    view.show();

    const QSize frameSize(FrameWidth, FrameWidth * 3 / 4);
    const QByteArray &jpeg = BenchPages::cameraJpeg(frameSize);
    FramePayload payload;
    payload.format = FramePayload::Format::Mjpeg;
    payload.data = reinterpret_cast<const uint8_t *>(jpeg.constData());
    payload.length = size_t(jpeg.size());
    payload.size = frameSize;
    payload.outputSize = frameSize;
    LiveFrameDecoder decoder;
    const LiveFrame::Transform transform{1.0f, false, false, frameSize};
    const LiveFrame decoded = decoder.decode(payload, transform, ViewSize);
    model.setPictureSize(frameSize);
    addStrokes(model, frameSize, int(state.range(0)));

    QImage backing(ViewSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        picture->setFrame(decodes ? decoder.decode(payload, transform, ViewSize) : decoded);
        view.render(&backing);
        benchmark::DoNotOptimize(backing.constBits());
    }
}

void BM_LiveViewDrawing(benchmark::State &state)
{
    liveView(state, true);
}
BENCHMARK(BM_LiveViewDrawing)->Arg(0)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_LiveViewPaint(benchmark::State &state)
{
    liveView(state, false);
}
BENCHMARK(BM_LiveViewPaint)->Arg(0)->Arg(200)->Unit(benchmark::kMillisecond);

const bool drawingRow = BenchTable::addRow("BM_LiveViewDrawing/200", "BM_LiveViewDrawing/0", "<= 1.10");
const bool paintRow = BenchTable::addRow("BM_LiveViewPaint/200", "BM_LiveViewPaint/0", "(painting alone)");

} // namespace
