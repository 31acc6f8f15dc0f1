#include "DrawingController.h"

#include "DrawingGeometry.h"
#include "DrawingModel.h"
#include "StrokePainter.h"
#include "core/DefaultsKeys.h"
#include "core/UserDefaults.h"
#include "ui/widgets/LumoIcons.h"
#include "ui/windows/LumoFloaterWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBoxLayout>
#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <QUndoStack>

#include <iterator>
#include <utility>

namespace {

constexpr int IconSize = 24;
// The floating strip's distance from the picture's left edge.
constexpr qreal FloaterMargin = 16;

struct ToolEntry {
    DrawingTool tool;
    const char *text;
    const char *tip;
    Qt::Key key;
};
const ToolEntry Tools[] = {
    {DrawingTool::Pen, QT_TRANSLATE_NOOP("DrawingController", "&Pen"),
     QT_TRANSLATE_NOOP("DrawingController", "Draw freely over the picture"), Qt::Key_P},
    {DrawingTool::Highlighter, QT_TRANSLATE_NOOP("DrawingController", "&Highlighter"),
     QT_TRANSLATE_NOOP("DrawingController", "Mark the page with a broad see-through line"), Qt::Key_H},
    {DrawingTool::Arrow, QT_TRANSLATE_NOOP("DrawingController", "&Arrow"),
     QT_TRANSLATE_NOOP("DrawingController", "Point at something with a straight arrow"), Qt::Key_A},
    {DrawingTool::Rectangle, QT_TRANSLATE_NOOP("DrawingController", "&Rectangle"),
     QT_TRANSLATE_NOOP("DrawingController", "Frame a part of the page with a box"), Qt::Key_B},
    {DrawingTool::Ellipse, QT_TRANSLATE_NOOP("DrawingController", "E&llipse"),
     QT_TRANSLATE_NOOP("DrawingController", "Circle a part of the page"), Qt::Key_O},
    {DrawingTool::Text, QT_TRANSLATE_NOOP("DrawingController", "&Text"),
     QT_TRANSLATE_NOOP("DrawingController", "Write words where you click"), Qt::Key_T},
    {DrawingTool::Eraser, QT_TRANSLATE_NOOP("DrawingController", "&Eraser"),
     QT_TRANSLATE_NOOP("DrawingController", "Remove the marks you drag over"), Qt::Key_E},
};

struct ColorEntry {
    QRgb rgb;
    const char *text;
    Qt::Key key;
};
const ColorEntry Colors[] = {
    {0xffe02020, QT_TRANSLATE_NOOP("DrawingController", "Red"), Qt::Key_1},
    {0xff2060e0, QT_TRANSLATE_NOOP("DrawingController", "Blue"), Qt::Key_2},
    {0xff20a040, QT_TRANSLATE_NOOP("DrawingController", "Green"), Qt::Key_3},
    {0xfff0d000, QT_TRANSLATE_NOOP("DrawingController", "Yellow"), Qt::Key_4},
    {0xff000000, QT_TRANSLATE_NOOP("DrawingController", "Black"), Qt::Key_5},
    {0xffffffff, QT_TRANSLATE_NOOP("DrawingController", "White"), Qt::Key_6},
};

struct WidthEntry {
    qreal width; // view pixels
    const char *text;
    Qt::Key key;
};
const WidthEntry Widths[] = {
    {3, QT_TRANSLATE_NOOP("DrawingController", "Thin Line"), Qt::Key_7},
    {6, QT_TRANSLATE_NOOP("DrawingController", "Medium Line"), Qt::Key_8},
    {12, QT_TRANSLATE_NOOP("DrawingController", "Thick Line"), Qt::Key_9},
};

QColor iconInk()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

// A tool's picture: a small sample of what it draws.
QIcon toolIcon(DrawingTool tool)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    Stroke sample;
    sample.tool = tool;
    sample.color = iconInk();
    sample.width = 2;
    switch (tool) {
    case DrawingTool::Pen:
        sample.points = QPolygonF({{4, 18}, {8, 10}, {12, 14}, {16, 6}, {20, 10}});
        break;
    case DrawingTool::Highlighter:
        sample.color = QColor(0xf0, 0xd0, 0x00);
        sample.width = 3;
        sample.points = QPolygonF({{4, 12}, {20, 12}});
        break;
    case DrawingTool::Arrow:
        sample.points = QPolygonF({{5, 19}, {19, 5}});
        sample.width = 1.5;
        break;
    case DrawingTool::Rectangle:
        sample.points = QPolygonF({{4, 6}, {20, 18}});
        break;
    case DrawingTool::Ellipse:
        sample.points = QPolygonF({{3, 6}, {21, 18}});
        break;
    case DrawingTool::Text:
        sample.width = 3;
        sample.text = QStringLiteral("A");
        sample.points = QPolygonF({{6, 19}});
        break;
    case DrawingTool::Eraser:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(iconInk(), 1.5));
        painter.translate(12, 12);
        painter.rotate(-40);
        painter.drawRoundedRect(QRectF(-8, -4, 16, 8), 2, 2);
        painter.drawLine(QPointF(-2, -4), QPointF(-2, 4));
        return QIcon(pixmap);
    default:
        return {};
    }
    StrokePainter::paint(painter, sample, QTransform());
    return QIcon(pixmap);
}

QIcon colorIcon(const QColor &color)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    painter.setBrush(color);
    painter.drawEllipse(QRectF(4.5, 4.5, 15, 15));
    return QIcon(pixmap);
}

QIcon widthIcon(qreal width)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(iconInk(), std::min(width / 1.5, 8.0), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(5, 12), QPointF(19, 12));
    return QIcon(pixmap);
}

// A glyph of the desktop's font as an icon: undo, redo and clear read the same everywhere.
QIcon glyphIcon(const QString &glyph)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPixelSize(18);
    painter.setFont(font);
    painter.setPen(iconInk());
    painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

QString tipWithKey(const QString &tip, const QAction *action)
{
    return QStringLiteral("%1 (%2)").arg(tip, action->shortcut().toString(QKeySequence::NativeText));
}

QToolButton *stripButton(QWidget *parent, QAction *action)
{
    auto *button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    // Tab reaches it; a click leaves the keyboard where it was (Return takes a photo).
    button->setFocusPolicy(Qt::TabFocus);
    button->setIconSize(QSize(IconSize, IconSize));
    return button;
}

// A button that pops up the choices of `group` and shows the chosen one's picture.
QToolButton *choiceButton(QWidget *parent, QActionGroup *group, const QString &name, const QString &tip)
{
    auto *button = new QToolButton(parent);
    auto *menu = new QMenu(button);
    menu->addActions(group->actions());
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setIconSize(QSize(IconSize, IconSize));
    button->setToolTip(tip);
    button->setAccessibleName(name);
    const auto show = [button, group] {
        if (QAction *checked = group->checkedAction())
            button->setIcon(checked->icon());
    };
    show();
    QObject::connect(group, &QActionGroup::triggered, button, show);
    // A choice drawn again (another palette) shows again.
    for (QAction *action : group->actions())
        QObject::connect(action, &QAction::changed, button, show);
    return button;
}

} // namespace

DrawingController::DrawingController(QWidget *cameraView, DrawingOverlay::FrameProvider frames,
                                     UserDefaults *defaults, QObject *parent)
    : QObject(parent), cameraView_(cameraView), defaults_(defaults), model_(new DrawingModel(this)),
      overlay_(new DrawingOverlay(model_, std::move(frames), cameraView)), menu_(new QMenu(tr("&Draw")))
{
    menu_->setObjectName(QStringLiteral("drawMenu"));
    makeActions();
    // The keys work wherever the camera view is, in the main window as full screen.
    cameraView->addActions(actions_);
    connect(menu_, &QMenu::aboutToShow, this, &DrawingController::updatePhotoActionText);
    // The pictures are drawn in the palette's ink, again when a light or dark palette comes.
    LumoIcons::followPalette(overlay_, [this] { paintIcons(); });
}

void DrawingController::paintIcons()
{
    for (QAction *action : tools_->actions())
        action->setIcon(toolIcon(DrawingTool(action->data().toInt())));
    const QList<QAction *> widths = widths_->actions();
    for (int i = 0; i < widths.size() && i < int(std::size(Widths)); ++i)
        widths[i]->setIcon(widthIcon(Widths[i].width));
    undo_->setIcon(glyphIcon(QStringLiteral("\u21b6")));
    redo_->setIcon(glyphIcon(QStringLiteral("\u21b7")));
    clear_->setIcon(glyphIcon(QStringLiteral("\u2715")));
}

DrawingController::~DrawingController()
{
    delete menu_;
}

void DrawingController::makeActions()
{
    tools_ = new QActionGroup(this);
    tools_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const ToolEntry &entry : Tools) {
        QAction *action = tools_->addAction(tr(entry.text));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(entry.key));
        action->setToolTip(tipWithKey(tr(entry.tip), action));
        action->setData(int(entry.tool));
        connect(action, &QAction::triggered, this, [this, action, tool = entry.tool] {
            chooseTool(action->isChecked() ? tool : DrawingTool::None);
        });
        menu_->addAction(action);
        actions_ << action;
    }
    menu_->addSeparator();

    colors_ = new QActionGroup(this);
    for (const ColorEntry &entry : Colors) {
        const QColor color = QColor::fromRgb(entry.rgb);
        QAction *action = colors_->addAction(colorIcon(color), tr(entry.text));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(entry.key));
        action->setToolTip(tipWithKey(tr("Draw in %1").arg(tr(entry.text).toLower()), action));
        connect(action, &QAction::triggered, this, [this, color] { overlay_->setColor(color); });
        menu_->addAction(action);
        actions_ << action;
    }
    colors_->actions().first()->setChecked(true);
    overlay_->setColor(QColor::fromRgb(Colors[0].rgb));
    menu_->addSeparator();

    widths_ = new QActionGroup(this);
    for (const WidthEntry &entry : Widths) {
        QAction *action = widths_->addAction(tr(entry.text));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(entry.key));
        action->setToolTip(tipWithKey(tr("Draw with a %1").arg(tr(entry.text).toLower()), action));
        connect(action, &QAction::triggered, this,
                [this, width = entry.width] { overlay_->setLineWidth(width); });
        menu_->addAction(action);
        actions_ << action;
    }
    widths_->actions()[1]->setChecked(true);
    overlay_->setLineWidth(Widths[1].width);
    menu_->addSeparator();

    QUndoStack *stack = model_->undoStack();
    undo_ = new QAction(tr("&Undo Drawing"), this);
    undo_->setShortcut(QKeySequence::Undo);
    undo_->setToolTip(tipWithKey(tr("Take back the last change to the drawing"), undo_));
    undo_->setEnabled(false);
    connect(undo_, &QAction::triggered, stack, &QUndoStack::undo);
    connect(stack, &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
    redo_ = new QAction(tr("Re&do Drawing"), this);
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    redo_->setToolTip(tipWithKey(tr("Make the change taken back again"), redo_));
    redo_->setEnabled(false);
    connect(redo_, &QAction::triggered, stack, &QUndoStack::redo);
    connect(stack, &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);
    clear_ = new QAction(tr("&Clear Drawing"), this);
    clear_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    clear_->setToolTip(tipWithKey(tr("Remove the whole drawing (it can be undone)"), clear_));
    clear_->setEnabled(false);
    connect(clear_, &QAction::triggered, model_, &DrawingModel::clear);
    connect(model_, &DrawingModel::changed, clear_, [this] { clear_->setEnabled(!model_->isEmpty()); });
    for (QAction *action : {undo_, redo_, clear_}) {
        menu_->addAction(action);
        actions_ << action;
    }
    menu_->addSeparator();

    // The photo taken the other way: with the drawing when photos are taken without it, and
    // the reverse. What it does is the main window's to carry out (a snapshot in camera and
    // project mode).
    otherPhoto_ = new QAction(this);
    otherPhoto_->setShortcuts(
        {QKeySequence(Qt::SHIFT | Qt::Key_Return), QKeySequence(Qt::SHIFT | Qt::Key_Enter)});
    updatePhotoActionText();
    menu_->addAction(otherPhoto_);
    actions_ << otherPhoto_;
}

QAction *DrawingController::toolAction(DrawingTool tool) const
{
    for (QAction *action : tools_->actions())
        if (action->data().toInt() == int(tool))
            return action;
    return nullptr;
}

void DrawingController::chooseTool(DrawingTool tool)
{
    for (QAction *action : tools_->actions())
        action->setChecked(action->data().toInt() == int(tool));
    overlay_->setTool(tool);
}

bool DrawingController::photosHoldDrawing() const
{
    return defaults_ ? defaults_->boolForKey(DefaultsKeys::PhotoWithDrawing, true) : true;
}

void DrawingController::updatePhotoActionText()
{
    otherPhoto_->setText(photosHoldDrawing() ? tr("Take Photo &Without the Drawing")
                                             : tr("Take Photo &With the Drawing"));
    otherPhoto_->setToolTip(tipWithKey(otherPhoto_->text().remove(QLatin1Char('&')), otherPhoto_));
}

QWidget *DrawingController::makeToolStrip(bool compact, QWidget *parent)
{
    auto *strip = new QWidget(parent);
    strip->setObjectName(QStringLiteral("drawingToolStrip"));
    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    if (compact) {
        // Its own part turns the tool it shows on and off; its arrow pops up the Draw menu, to
        // pick another tool, a colour or a width.
        QToolButton *tools = stripButton(strip, tools_->actions().first());
        tools->setObjectName(QStringLiteral("drawingToolButton"));
        // A menu of the button's own with the Draw menu's entries: it goes with the button.
        auto *menu = new QMenu(tools);
        menu->addActions(menu_->actions());
        tools->setMenu(menu);
        tools->setPopupMode(QToolButton::MenuButtonPopup);
        connect(tools_, &QActionGroup::triggered, tools, &QToolButton::setDefaultAction);
        layout->addWidget(tools);
        layout->addWidget(stripButton(strip, undo_));
        return strip;
    }
    for (QAction *action : tools_->actions())
        layout->addWidget(stripButton(strip, action));
    layout->addWidget(choiceButton(strip, colors_, tr("Colour"), tr("Colour of the drawing")));
    layout->addWidget(choiceButton(strip, widths_, tr("Line Width"), tr("Width of the lines")));
    for (QAction *action : {undo_, redo_, clear_})
        layout->addWidget(stripButton(strip, action));
    return strip;
}

void DrawingController::setProjectMode(bool on)
{
    if (!cameraView_)
        return;
    if (!on) {
        if (floater_)
            floater_->hideFloater();
        return;
    }
    if (!floater_) {
        floater_ = new LumoFloaterWindow(cameraView_);
        floater_->setObjectName(QStringLiteral("drawingFloater"));
        QWidget *strip = makeToolStrip(false);
        // The desktop's own colours, on a plate of their own over any picture, again when a light
        // or dark palette comes (the floater watches, so setting the strip's does not recurse).
        strip->setAutoFillBackground(true);
        LumoIcons::followPalette(floater_, [strip] {
            QPalette palette = QApplication::palette();
            palette.setResolveMask(~QPalette::ResolveMask(0)); // none of the black window's colours
            strip->setPalette(palette);
        });
        strip->layout()->setContentsMargins(4, 4, 4, 4);
        floater_->setContentWidget(strip);
        // Along the bottom edge at the left, clear of the snapshot button in the middle; the
        // frame counts from the bottom left, so it stays there as the view resizes.
        floater_->loadFrame(QRectF(QPointF(FloaterMargin, FloaterMargin), QSizeF(strip->sizeHint())));
    }
    floater_->showFloater();
}

QImage DrawingController::decoratePhoto(const QImage &photo, const LiveFrame &frame)
{
    const bool withDrawing = photosHoldDrawing() != std::exchange(otherWayNext_, false);
    if (!withDrawing || model_->isEmpty())
        return photo;
    return photoWithDrawing(photo, frame, model_->strokes(), model_->pictureSize());
}

QImage DrawingController::photoWithDrawing(const QImage &photo, const LiveFrame &frame,
                                           const QVector<Stroke> &strokes, const QSize &drawnOn)
{
    QTransform toPhoto;
    if (photo.isNull() || frame.isNull()
        || !DrawingGeometry::pictureToView(frame.frameSize(), frame.transform(), photo.rect(), &toPhoto))
        return photo;
    // The painter works on a copy of its own: the frame's rendered picture is shared.
    QImage out =
        photo.convertToFormat(photo.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QPainter painter(&out);
    StrokePainter::paint(painter, strokes,
                         DrawingGeometry::drawnToFrame(drawnOn, frame.frameSize()) * toPhoto);
    return out;
}
