// The live view with a drawing over it: one frame painted into an 800 x 600 view, the picture
// and the drawing overlay together, as the window repaints them for every frame. The figure is a
// drawing of 200 pen strokes spread over the page; the baseline the same view with nothing drawn
// (the overlay hidden, as the application has it). Goal: at most 1.1 times the CPU time.

#include "BenchPages.h"
#include "BenchTable.h"
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

void BM_LiveViewDrawing(benchmark::State &state)
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

    // Two frames in turn, as a moving picture brings new ones.
    const QImage page = BenchPages::documentFrame(FrameWidth);
    const LiveFrame frames[] = {LiveFrame(page, {}), LiveFrame(page.mirrored(true, false), {})};
    model.setPictureSize(page.size());
    addStrokes(model, page.size(), int(state.range(0)));

    QImage backing(ViewSize, QImage::Format_ARGB32_Premultiplied);
    int i = 0;
    for (auto _ : state) {
        picture->setFrame(frames[i++ % 2]);
        view.render(&backing);
        benchmark::DoNotOptimize(backing.constBits());
    }
}
BENCHMARK(BM_LiveViewDrawing)->Arg(0)->Arg(200)->Unit(benchmark::kMillisecond);

const bool drawingRow = BenchTable::addRow("BM_LiveViewDrawing/200", "BM_LiveViewDrawing/0", "<= 1.10");

} // namespace
