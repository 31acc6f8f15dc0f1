#pragma once

#include "ui/review/LumoAlbumView.h"
#include "ui/review/LumoImageView.h"

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>

#include <memory>

class LumoImagePropertyController;
class LumoPhotoList;
class LumoPopUpButton;
class QAction;
class QToolButton;

// Review mode's photo operations over the photo list: selection, moving to the trash, turning,
// copying, showing in the file manager, and the photo zoom pop-up kept in step with the viewer.
// A selected movie plays in the album's movie player in place of the viewer; the operations
// other than turning treat it as they treat a photo.
//
// It owns the photo list and the album (until a parent widget takes the album), wires the
// viewer to the selection (one selected photo is shown; several, or none, leave the viewer as
// it is) and the strip to the list. Photos removed from the folder by other programs leave the
// selection on a neighbour, as a deletion here does.
//
// Operations that only make sense while the album is on screen (select all, copy, delete from
// the keys) do nothing unless setShown(true). Turning photos runs on a worker thread, one turn
// at a time in the order asked; the thumbnail and the viewer follow when the file is replaced.
// Main thread.
class LumoReviewController : public QObject, private LumoAlbumDelegate, private LumoImageViewDelegate {
    Q_OBJECT
public:
    // `window` carries the alerts; `photoZoomButton` is the review toolbar's zoom pop-up (or
    // null).
    LumoReviewController(QWidget *window, LumoPopUpButton *photoZoomButton, QObject *parent = nullptr);
    ~LumoReviewController() override;

    LumoPhotoList *photoList() const { return photoList_.get(); }
    LumoAlbumView *albumView() const { return albumView_; }
    LumoImageView *imageView() const;
    LumoImageBrowserView *browserView() const;
    LumoImagePropertyController *imagePropertyController() const { return properties_.get(); }
    // The review toolbar's own controls: the rotate pop-up, show in file manager, move to trash.
    QList<QWidget *> toolbarWidgets() const;
    // The album's line under the photo: "2026-12-09_0012.jpg  ·  12 of 300  ·  3 selected".
    QString placeText() const;
    LumoPopUpButton *rotateButton() const { return rotateButton_; }
    // The zoom pop-up the viewer keeps in step with; may be set later than construction.
    void setPhotoZoomButton(LumoPopUpButton *button) { photoZoomButton_ = button; }
    // Ctrl+R, Ctrl+L, Left and Right, enabled while the album is shown, and Space, which plays
    // and pauses the movie shown; for the window to take.
    QList<QAction *> shortcutActions() const;

    // The album is the main window's page (review mode) or not. Leaving it stops a movie.
    void setShown(bool shown);
    bool isShown() const { return shown_; }

    // Lists `folder`, empties the viewer and selects the first photo.
    void loadData(const QString &folder);
    // Review mode is entered: the photo saved since the last visit is selected, the selection
    // scrolled into view, and the viewer takes the zoom pop-up's step (100% when none).
    void enterReviewMode();
    // A photo was saved: it joins the list and, while the album is shown, is selected at once;
    // otherwise at the next enterReviewMode().
    void fileDidCreate(const QString &path);

    // Selection.
    QList<int> selectedRows() const;
    void selectRow(int row);
    void selectAll();
    void selectPrevious() override;
    void selectNext() override;

    // Operations on the selection. deletePhoto() asks first; the answer deletes.
    void deletePhoto();
    void deleteSelection() override;
    // Entry 1 of the rotate pop-up turns every selected photo right, entry 2 left; movies are
    // never turned, and the rotate controls are disabled while only movies are selected.
    void rotate(int entry);
    void rotateImageAtPath(const QString &path, int degrees) override;
    // Puts the first selected photo on the clipboard; a photo that cannot be decoded is refused
    // with an alert, and the clipboard keeps what it had.
    void copy();
    void showInFinder();

    // Blocks until every turn asked for has been written (the results arrive by the event loop).
    void waitForRotations();
    // The delete confirmation or error alert on screen, if any; for tests.
    QMessageBox *alert() const { return alert_; }

signals:
    // The scroll wheel over the viewer: the zoom pop-up steps one entry.
    void zoomInRequested();
    void zoomOutRequested();
    // A turn was written (ok) or failed.
    void rotationFinished(const QString &path, bool ok);

private:
    // LumoImageViewDelegate
    void imagePathDidChange(const QString &path) override;
    void zoomIn() override { emit zoomInRequested(); }
    void zoomOut() override { emit zoomOutRequested(); }

    void deleteAlertDidEnd(int result, const QStringList &paths);
    // Moves `paths` (those still listed) to the trash.
    void deletePhotos(const QStringList &paths);
    // The selection follows the list: one selected photo goes to the viewer.
    void selectionDidChange();
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved();
    void rowsChanged(int first, int last);
    void listDidReset();
    QString firstSelectedPath() const;
    // Rotating is offered while a photo is selected; Space while a movie is shown; the other
    // photo operations while the library holds anything, and the viewer's place says how to
    // take the first photo while it holds nothing. The place line follows too.
    void updateActions();
    QMessageBox *makeAlert(const QString &title, const QString &text, const QString &informative = {});

    QWidget *window_;
    LumoPopUpButton *photoZoomButton_;
    std::unique_ptr<LumoPhotoList> photoList_;
    std::unique_ptr<LumoImagePropertyController> properties_;
    QPointer<LumoAlbumView> albumView_;
    LumoPopUpButton *rotateButton_;
    QToolButton *showButton_;
    QToolButton *trashButton_;
    QAction *rotateRightAction_;
    QAction *rotateLeftAction_;
    QAction *previousAction_;
    QAction *nextAction_;
    QAction *playAction_;
    QList<QAction *> menuRotateActions_;
    // The menu's copy, show and trash entries.
    QList<QAction *> menuFileActions_;
    QPointer<QMessageBox> alert_;

    bool shown_ = false;
    // The path of a photo saved while the album was not shown.
    QString fileCreated_;
    // Deleting here: the selection is placed once, after the last photo.
    bool deleting_ = false;
    // Selected rows an outside removal takes away, and the count before it.
    QList<int> removingSelected_;
    int countBeforeRemoval_ = 0;

    // Turns run here, one after another.
    QThreadPool rotations_;
    int rotationsRunning_ = 0;
};
