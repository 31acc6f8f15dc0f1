// The drawing over the picture: where strokes land on screen and in photos, its undo history,
// and the photo with the drawing against the drawing as the view shows it.

#include "TestSupport.h"
#include "ui/camera/CaptureView.h"
#include "ui/drawing/DrawingController.h"
#include "ui/drawing/DrawingGeometry.h"
#include "ui/drawing/DrawingModel.h"
#include "ui/drawing/DrawingOverlay.h"
#include "ui/drawing/StrokePainter.h"
#include "ui/pan/PanGeometry.h"

#include <QApplication>
#include <QPainter>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

const QSize FrameSize(640, 480);

// A black frame with a white square centred on `mark`.
QImage markedFrame(const QSize &size, const QPoint &mark)
{
    QImage frame(size, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter(&frame).fillRect(QRect(mark - QPoint(6, 6), QSize(13, 13)), Qt::white);
    return frame;
}

bool isWhiteAt(const QImage &image, const QPointF &at)
{
    const QPoint p = at.toPoint();
    return image.rect().contains(p) && qGray(image.pixel(p)) > 200;
}

struct MappingCase {
    const char *name;
    float zoom;
    bool hFlipped;
    bool vFlipped;
    QSize area;
    QSize drawnOn; // the frame size the mark's coordinates were taken on
    int quarterTurns = 0;
    QPointF pan{0.5, 0.5};
};

class PictureMapping : public ::testing::TestWithParam<MappingCase> {};

// The mark drawn on the page lies where the view shows the page's mark, and where the photo
// holds it: for each zoom, mirroring, window size and a resolution change since drawing.
TEST_P(PictureMapping, StrokePointStaysOnItsPageSpotInViewAndPhoto)
{
    const MappingCase &c = GetParam();
    const QPoint mark(400, 200); // inside the part a 2x zoom shows
    const QPointF drawn(mark.x() * qreal(c.drawnOn.width()) / FrameSize.width(), mark.y() * qreal(c.drawnOn.height()) / FrameSize.height());
    FrameTransform::Settings settings;
    settings.zoom = c.zoom;
    settings.hFlipped = c.hFlipped;
    settings.vFlipped = c.vFlipped;
    settings.outputSize = FrameSize;
    settings.quarterTurns = c.quarterTurns;
    settings.pan = c.pan;
    const LiveFrame frame(markedFrame(FrameSize, mark), settings);
    const QTransform fromDrawn = DrawingGeometry::drawnToFrame(c.drawnOn, FrameSize);

    // On screen, as the capture view paints it.
    const QRect area(QPoint(0, 0), c.area);
    const QRect target = CaptureView::fittedRect(frame.shownSize(), area);
    QImage view(target.size(), QImage::Format_RGB32), scratch;
    ASSERT_TRUE(CaptureView::renderPicture(frame, view, scratch));
    QTransform toView;
    ASSERT_TRUE(DrawingGeometry::pictureToView(FrameSize, settings, area, &toView));
    EXPECT_TRUE(isWhiteAt(view, (fromDrawn * toView).map(drawn) - target.topLeft()))
        << (fromDrawn * toView).map(drawn).x() << "," << (fromDrawn * toView).map(drawn).y();

    // In the photo, as a snapshot renders it.
    const QImage photo = frame.render();
    QTransform toPhoto;
    ASSERT_TRUE(DrawingGeometry::pictureToView(FrameSize, settings, photo.rect(), &toPhoto));
    EXPECT_TRUE(isWhiteAt(photo, (fromDrawn * toPhoto).map(drawn)));
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, PictureMapping,
    ::testing::Values(MappingCase{"Whole", 1.0f, false, false, QSize(800, 600), FrameSize},
                      MappingCase{"Zoom2", 2.0f, false, false, QSize(800, 600), FrameSize},
                      MappingCase{"Zoom150Mirrored", 1.5f, true, false, QSize(800, 600), FrameSize},
                      MappingCase{"Zoom2Flipped", 2.0f, false, true, QSize(800, 600), FrameSize},
                      MappingCase{"Zoom2Turned", 2.0f, true, true, QSize(800, 600), FrameSize},
                      MappingCase{"WideWindow", 2.0f, false, false, QSize(1200, 500), FrameSize},
                      MappingCase{"TallWindow", 1.0f, true, false, QSize(300, 700), FrameSize},
                      MappingCase{"DrawnAtOtherResolution", 2.0f, false, false, QSize(800, 600), QSize(1600, 1200)},
                      MappingCase{"Quarter", 1.0f, false, false, QSize(800, 600), FrameSize, 1},
                      MappingCase{"HalfZoom2Mirrored", 2.0f, true, false, QSize(800, 600), FrameSize, 2},
                      MappingCase{"ThreeQuartersZoom150Flipped", 1.5f, false, true, QSize(500, 900), FrameSize, 3},
                      MappingCase{"PannedTopRight", 2.0f, false, false, QSize(800, 600), FrameSize, 0, {0.75, 0.25}},
                      MappingCase{"PannedPastTheEdgeMirroredTurned", 2.0f, true, false, QSize(800, 600), FrameSize, 1, {1.0, -0.5}}),
    [](const ::testing::TestParamInfo<MappingCase> &info) { return std::string(info.param.name); });

// Where the zoomed part lies for a wanted centre, where a drag takes it, and where the overview
// marks it, for a 640x480 frame shown in an 800x600 view.
struct PanCase {
    const char *name;
    float zoom;
    QPointF wanted;
    bool hFlipped;
    int quarterTurns;
    QRectF shown;    // in frame pixels
    QPointF dragBy;  // in view pixels, from the view's centre
    QPointF dragged; // the centre after the drag
    QRectF overview; // the shown part on a 100x100 overview of the page as shown
};

class PanLimits : public ::testing::TestWithParam<PanCase> {};

TEST_P(PanLimits, ShownPartStaysInsideTheFrameAndFollowsTheDrag)
{
    const PanCase &c = GetParam();
    FrameTransform::Settings settings;
    settings.zoom = c.zoom;
    settings.hFlipped = c.hFlipped;
    settings.quarterTurns = c.quarterTurns;
    settings.outputSize = FrameSize;
    settings.pan = FrameTransform::clampedPan(FrameSize, FrameSize, c.zoom, c.wanted);
    EXPECT_EQ(FrameTransform::zoomSourceRect(FrameSize, FrameSize, c.zoom, c.wanted), c.shown);
    const QRect area(0, 0, 800, 600);
    const QPointF dragged = PanGeometry::dragged(FrameSize, settings, area, area.center(), QPointF(area.center()) + c.dragBy);
    EXPECT_NEAR(dragged.x(), c.dragged.x(), 1e-6);
    EXPECT_NEAR(dragged.y(), c.dragged.y(), 1e-6);
    const QRectF overview = PanGeometry::shownPart(FrameSize, settings, QRectF(0, 0, 100, 100));
    EXPECT_NEAR(overview.x(), c.overview.x(), 1e-6);
    EXPECT_NEAR(overview.y(), c.overview.y(), 1e-6);
    EXPECT_NEAR(overview.width(), c.overview.width(), 1e-6);
    EXPECT_NEAR(overview.height(), c.overview.height(), 1e-6);
}

// At 2x the view shows 320x240 frame pixels at 2.5 view pixels each: a 100-pixel drag is 40
// frame pixels, 1/16 of the width or 1/12 of the height. Turned a quarter, the picture is
// 450x600 and a frame pixel 1.875 view pixels: 100 view pixels are 1/12 of the width or 1/9 of
// the height, and the view's up is the frame's left.
INSTANTIATE_TEST_SUITE_P(
    Pan, PanLimits,
    ::testing::Values(
        PanCase{"NoZoomStaysCentred", 1.0f, {0.1, 0.9}, false, 0, {0, 0, 640, 480}, {100, 0}, {0.5, 0.5}, {0, 0, 100, 100}},
        PanCase{"Centre", 2.0f, {0.5, 0.5}, false, 0, {160, 120, 320, 240}, {100, 0}, {0.5 - 1.0 / 16, 0.5}, {25, 25, 50, 50}},
        PanCase{"TopLeftCorner", 2.0f, {0.25, 0.25}, false, 0, {0, 0, 320, 240}, {0, -100}, {0.25, 0.25 + 1.0 / 12}, {0, 0, 50, 50}},
        PanCase{"PastTheEdgeHeldAtIt", 2.0f, {-3, 2}, false, 0, {0, 240, 320, 240}, {100, -100}, {0.25, 0.75}, {0, 50, 50, 50}},
        PanCase{"DragStopsAtTheEdge", 2.0f, {0.7, 0.5}, false, 0, {288, 120, 320, 240}, {-400, 0}, {0.75, 0.5}, {45, 25, 50, 50}},
        PanCase{"Zoom4", 4.0f, {0.9, 0.1}, false, 0, {480, 0, 160, 120}, {0, 0}, {0.875, 0.125}, {75, 0, 25, 25}},
        PanCase{"MirroredDragMovesTheOtherWay",
                2.0f,
                {0.25, 0.5},
                true,
                0,
                {0, 120, 320, 240},
                {100, 0},
                {0.25 + 1.0 / 16, 0.5},
                {50, 25, 50, 50}},
        PanCase{"TurnedQuarter", 2.0f, {0.25, 0.25}, false, 1, {0, 0, 320, 240}, {0, -100}, {0.25 + 1.0 / 12, 0.25}, {50, 0, 50, 50}},
        PanCase{
            "TurnedQuarterDragAlong", 2.0f, {0.5, 0.5}, false, 1, {160, 120, 320, 240}, {100, 0}, {0.5, 0.5 + 1.0 / 9}, {25, 25, 50, 50}}),
    [](const ::testing::TestParamInfo<PanCase> &info) { return std::string(info.param.name); });

Stroke penStroke(qreal x)
{
    Stroke stroke;
    stroke.points = QPolygonF({{x, 10}, {x + 20, 30}});
    return stroke;
}

QVector<qreal> xs(const DrawingModel &model)
{
    QVector<qreal> result;
    for (const Stroke &stroke : model.strokes())
        result << stroke.points.first().x();
    return result;
}

TEST(DrawingModelTest, UndoRedoEraseAndClearRestoreStrokesInTheirOrder)
{
    DrawingModel model;
    for (qreal x : {100, 200, 300})
        model.add(penStroke(x));
    model.erase({1});
    EXPECT_EQ(xs(model), QVector<qreal>({100, 300}));
    model.clear();
    EXPECT_TRUE(model.isEmpty());
    model.undoStack()->undo(); // clear
    model.undoStack()->undo(); // erase
    EXPECT_EQ(xs(model), QVector<qreal>({100, 200, 300}));
    model.undoStack()->undo();
    EXPECT_EQ(xs(model), QVector<qreal>({100, 200}));
    model.undoStack()->redo();
    model.undoStack()->redo();
    EXPECT_EQ(xs(model), QVector<qreal>({100, 300}));
    // Erasing by hit: the newest stroke under the point, nothing where none is.
    model.add(penStroke(300));
    EXPECT_EQ(model.strokeAt(QPointF(310, 20), 2), 2);
    EXPECT_EQ(model.strokeAt(QPointF(250, 200), 2), -1);
    // A new change after undo drops what could be redone.
    model.undoStack()->undo();
    model.add(penStroke(50));
    EXPECT_FALSE(model.undoStack()->canRedo());
    EXPECT_EQ(xs(model), QVector<qreal>({100, 300, 50}));
}

// The photo with the drawing is the picture with the overlay, as the view shows it at the
// photo's size, laid over it; the photo without is the bare picture.
TEST(DrawingPhotoTest, PhotoWithDrawingMatchesTheOverlayOverThePicture)
{
    for (const bool mirrored : {false, true}) {
        FrameTransform::Settings settings;
        settings.zoom = 2.0f;
        settings.hFlipped = mirrored;
        settings.outputSize = FrameSize;
        const LiveFrame frame(markedFrame(FrameSize, QPoint(400, 200)), settings);
        const QImage picture = frame.render();

        QWidget view;
        view.resize(picture.size());
        DrawingController drawing(
            &view, [frame] { return frame; }, nullptr);
        drawing.overlay()->setGeometry(view.rect());
        drawing.model()->setPictureSize(FrameSize);
        Stroke arrow;
        arrow.tool = DrawingTool::Arrow;
        arrow.width = 3;
        arrow.points = QPolygonF({{250, 300}, {395, 205}});
        drawing.model()->add(arrow);
        Stroke box = arrow;
        box.tool = DrawingTool::Rectangle;
        box.color = Qt::blue;
        box.points = QPolygonF({{300, 150}, {450, 250}});
        drawing.model()->add(box);

        QImage shown = picture.convertToFormat(QImage::Format_RGB32);
        drawing.overlay()->render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);
        const QImage photo = drawing.decoratePhoto(picture, frame).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(photo.size(), shown.size());
        int differing = 0, red = 0;
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x) {
                const QRgb a = photo.pixel(x, y), b = shown.pixel(x, y);
                differing += std::abs(qRed(a) - qRed(b)) + std::abs(qBlue(a) - qBlue(b)) > 24;
                red += qRed(a) > 180 && qGreen(a) < 80;
            }
        EXPECT_LT(differing, 40) << "mirrored " << mirrored;
        EXPECT_GT(red, 500) << "the arrow is in the photo";

        drawing.takeNextPhotoOtherWay();
        EXPECT_EQ(drawing.decoratePhoto(picture, frame), picture);
        EXPECT_NE(drawing.decoratePhoto(picture, frame), picture) << "only the next photo";
    }
}

// The tool pictures are drawn in the palette's ink, and again when another palette comes.
TEST(DrawingIconsTest, APaletteChangeRecoloursTheToolIcons)
{
    const QPalette before = QApplication::palette();
    QWidget view;
    DrawingController drawing(
        &view, [] { return LiveFrame(); }, nullptr);
    drawing.setProjectMode(true); // the floating tool strip over the picture follows too
    for (const QColor ink : {QColor(Qt::red), QColor(Qt::green)}) {
        QPalette palette = before;
        palette.setColor(QPalette::ButtonText, ink);
        QApplication::setPalette(palette);
        QCoreApplication::processEvents();
        const QImage pen = drawing.actions().first()->icon().pixmap(24, 24).toImage();
        int inked = 0;
        for (int y = 0; y < pen.height(); ++y)
            for (int x = 0; x < pen.width(); ++x) {
                const QColor c = pen.pixelColor(x, y);
                inked += c.alpha() > 200 && std::abs(c.red() - ink.red()) < 40 && std::abs(c.green() - ink.green()) < 40 && c.blue() < 40;
            }
        EXPECT_GT(inked, 10) << qPrintable(ink.name());
        const auto *floater = view.findChild<QWidget *>(QStringLiteral("drawingFloater"));
        ASSERT_NE(floater, nullptr);
        for (const QToolButton *button : floater->findChildren<QToolButton *>())
            EXPECT_EQ(button->palette().color(QPalette::ButtonText), ink) << qPrintable(ink.name());
    }
    QApplication::setPalette(before);
}

} // namespace
