#pragma once

#include "DrawingOverlay.h"
#include "Stroke.h"
#include "capture/LiveFrame.h"
#include "ui/windows/LumoFloaterWindow.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>

class DrawingModel;
class QAction;
class QActionGroup;
class QMenu;
class UserDefaults;

// Drawing over the live picture, in camera and project mode: the drawing, the overlay that shows
// it over the camera view, the actions of the Draw menu (tools, colours, widths, undo, redo,
// clear, and the photo taken the other way), the tool strip for the camera toolbar and, in
// project mode, the same strip floating over the picture. A photo holds the drawing when the
// preference says so, or the other way round for a photo taken with "the other way". Main thread.
class DrawingController : public QObject {
    Q_OBJECT
public:
    DrawingController(QWidget *cameraView, DrawingOverlay::FrameProvider frames, UserDefaults *defaults,
                      QObject *parent = nullptr);
    ~DrawingController() override;

    DrawingModel *model() const { return model_; }
    DrawingOverlay *overlay() const { return overlay_; }

    // Every action with a key, in the order the Draw menu lists them.
    QList<QAction *> actions() const { return actions_; }
    QMenu *menu() const { return menu_; }
    QAction *toolAction(DrawingTool tool) const;
    QAction *undoAction() const { return undo_; }
    QAction *redoAction() const { return redo_; }
    QAction *clearAction() const { return clear_; }
    QAction *otherPhotoAction() const { return otherPhoto_; }

    // A strip of buttons for the actions: every tool and action (the floating strip), or, compact
    // for the camera toolbar beside the camera's controls, a tool button that pops up the Draw
    // menu, and undo.
    QWidget *makeToolStrip(bool compact = false, QWidget *parent = nullptr);
    // Project mode shows the floating strip over the picture.
    void setProjectMode(bool on);
    LumoFloaterWindow *floatingStrip() const { return floater_; }

    // The next photo is taken the other way (with the drawing when the preference says
    // without, and the reverse).
    void takeNextPhotoOtherWay() { otherWayNext_ = true; }
    // The photo to save of `frame` (its render(), `photo`): with the drawing on it, drawn at the
    // photo's size through the same mapping as on screen, when the photo should hold it.
    QImage decoratePhoto(const QImage &photo, const LiveFrame &frame);
    // `photo` with `strokes` (in the coordinates of a `drawnOn` frame) painted as the view
    // shows them over `frame`.
    static QImage photoWithDrawing(const QImage &photo, const LiveFrame &frame,
                                   const QVector<Stroke> &strokes, const QSize &drawnOn);

private:
    void makeActions();
    // Draws the tool, width and undo icons in the palette's button text colour.
    void paintIcons();
    void chooseTool(DrawingTool tool);
    bool photosHoldDrawing() const;
    void updatePhotoActionText();

    QPointer<QWidget> cameraView_;
    UserDefaults *defaults_;
    DrawingModel *model_;
    DrawingOverlay *overlay_;
    QMenu *menu_;
    QList<QAction *> actions_;
    QActionGroup *tools_ = nullptr;
    QActionGroup *colors_ = nullptr;
    QActionGroup *widths_ = nullptr;
    QAction *undo_ = nullptr;
    QAction *redo_ = nullptr;
    QAction *clear_ = nullptr;
    QAction *otherPhoto_ = nullptr;
    QPointer<LumoFloaterWindow> floater_;
    bool otherWayNext_ = false;
};
