#include "ui/review/LumoReviewController.h"

#include "core/LumoLog.h"
#include "library/FileManager.h"
#include "library/LumoImagePropertyController.h"
#include "library/LumoPhotoList.h"
#include "library/PhotoClipboard.h"
#include "library/PhotoDecoding.h"
#include "library/PhotoRotation.h"
#include "library/PhotoTrash.h"
#include "settings/Conversions.h"
#include "ui/review/LumoMoviePlayer.h"
#include "ui/review/ReviewTexts.h"
#include "ui/widgets/LumoIcons.h"
#include "ui/widgets/LumoImages.h"
#include "ui/widgets/LumoPopUpButton.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QtConcurrent>

#include <algorithm>

namespace {

enum RotateEntry { RotateRight = 1, RotateLeft = 2 };

QToolButton *toolButton(const QString &name, const QString &text, const QString &description,
                        const char *icon)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(text);
    button->setAccessibleDescription(description);
    LumoIcons::setIcon(button, QLatin1String(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

} // namespace

LumoReviewController::LumoReviewController(QWidget *window, LumoPopUpButton *photoZoomButton, QObject *parent)
    : QObject(parent), window_(window), photoZoomButton_(photoZoomButton),
      photoList_(std::make_unique<LumoPhotoList>()),
      properties_(std::make_unique<LumoImagePropertyController>()), albumView_(new LumoAlbumView),
      rotateButton_(new LumoPopUpButton),
      showButton_(toolButton(QStringLiteral("showInFileManagerButton"), tr("Show in File Manager"),
                             tr("Opens the folder of the selected photo with the photo marked"),
                             "folder-open")),
      trashButton_(toolButton(QStringLiteral("trashButton"), tr("Move to Trash"),
                              tr("Moves the selected photos to the desktop's trash, after asking"),
                              "user-trash")),
      rotateRightAction_(new QAction(tr("Rotate &Right"), this)),
      rotateLeftAction_(new QAction(tr("Rotate &Left"), this)),
      previousAction_(new QAction(tr("Previous Photo"), this)),
      nextAction_(new QAction(tr("Next Photo"), this)),
      playAction_(new QAction(tr("Play or Pause Movie"), this))
{
    rotations_.setMaxThreadCount(1);

    // Before the view's selection model connects: the selected rows are read before it drops them.
    LumoPhotoList *list = photoList_.get();
    connect(list, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) { rowsAboutToBeRemoved(first, last); });
    connect(list, &QAbstractItemModel::rowsRemoved, this, [this] {
        rowsRemoved();
        updateActions();
    });
    // A file arriving changes the count of the place line, and may end an empty library.
    connect(list, &QAbstractItemModel::rowsInserted, this, &LumoReviewController::updateActions);
    connect(list, &QAbstractItemModel::modelReset, this, &LumoReviewController::updateActions);
    connect(list, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &from, const QModelIndex &to) { rowsChanged(from.row(), to.row()); });

    albumView_->setDelegate(this);
    imageView()->setDelegate(this);
    imageView()->setPropertiesDelegate(properties_.get());
    browserView()->setModel(list);
    connect(browserView()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LumoReviewController::selectionDidChange);

    // The rotate pull-down: its title stays, its entries are commands.
    rotateButton_->setObjectName(QStringLiteral("rotateButton"));
    rotateButton_->setTitle(tr("Rotate"));
    rotateButton_->setAccessibleDescription(tr("Turns the selected photos a quarter turn"));
    rotateButton_->setExclusive(false);
    LumoIcons::setIcon(rotateButton_, QStringLiteral("object-rotate-right"));
    rotateButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    rotateButton_->addItem(tr("Rotate Right"))->setCheckable(false);
    rotateButton_->addItem(tr("Rotate Left"))->setCheckable(false);
    connect(rotateButton_, &LumoPopUpButton::activated, this, [this](int index) {
        rotateButton_->selectItemAtIndex(0);
        rotate(index);
    });
    connect(showButton_, &QToolButton::clicked, this, &LumoReviewController::showInFinder);
    connect(trashButton_, &QToolButton::clicked, this, &LumoReviewController::deletePhoto);

    // Ctrl+R and Ctrl+L turn the selected photos, as image viewers on the desktop do. Left and
    // Right move through the photos whatever has the keyboard: as window shortcuts they come
    // before a focused toolbar button, which would move the focus along the toolbar.
    rotateRightAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    rotateLeftAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    previousAction_->setShortcut(QKeySequence(Qt::Key_Left));
    nextAction_->setShortcut(QKeySequence(Qt::Key_Right));
    playAction_->setShortcut(QKeySequence(Qt::Key_Space));
    for (QAction *action : shortcutActions()) {
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
    }
    connect(rotateRightAction_, &QAction::triggered, this, [this] { rotate(RotateRight); });
    connect(rotateLeftAction_, &QAction::triggered, this, [this] { rotate(RotateLeft); });
    connect(previousAction_, &QAction::triggered, albumView_.data(), &LumoAlbumView::selectPrevious);
    connect(nextAction_, &QAction::triggered, albumView_.data(), &LumoAlbumView::selectNext);
    connect(playAction_, &QAction::triggered, albumView_->moviePlayer(), &LumoMoviePlayer::togglePlayback);

    QMenu *menu = albumView_->contextualMenu();
    menuRotateActions_ = {menu->addAction(tr("Rotate Right"), this, [this] { rotate(RotateRight); }),
                          menu->addAction(tr("Rotate Left"), this, [this] { rotate(RotateLeft); })};
    menu->addSeparator();
    menuFileActions_ << menu->addAction(tr("Copy"), this, &LumoReviewController::copy);
    menuFileActions_ << menu->addAction(tr("Show in File Manager"), this,
                                        &LumoReviewController::showInFinder);
    menu->addSeparator();
    menuFileActions_ << menu->addAction(tr("Move to Trash"), this, &LumoReviewController::deletePhoto);
    updateActions();
}

LumoReviewController::~LumoReviewController()
{
    // A turn still being written finishes; its result is not waited for.
    rotations_.waitForDone();
    // The album goes with the window that took it, or here when none did.
    if (albumView_ && !albumView_->parent())
        delete albumView_;
}

LumoImageView *LumoReviewController::imageView() const
{
    return albumView_->imageView();
}

LumoImageBrowserView *LumoReviewController::browserView() const
{
    return albumView_->browserView();
}

QList<QWidget *> LumoReviewController::toolbarWidgets() const
{
    return {rotateButton_, showButton_, trashButton_};
}

QString LumoReviewController::placeText() const
{
    return albumView_->placeText();
}

QList<QAction *> LumoReviewController::shortcutActions() const
{
    return {rotateRightAction_, rotateLeftAction_, previousAction_, nextAction_, playAction_};
}

void LumoReviewController::setShown(bool shown)
{
    shown_ = shown;
    if (!shown)
        albumView_->moviePlayer()->stop();
    updateActions();
}

void LumoReviewController::updateActions()
{
    bool photo = false;
    for (int row : selectedRows())
        photo = photo || !photoList_->item(row).isMovie();
    rotateButton_->setEnabled(photo);
    for (QAction *action : std::as_const(menuRotateActions_))
        action->setEnabled(photo);
    rotateRightAction_->setEnabled(shown_ && photo);
    rotateLeftAction_->setEnabled(shown_ && photo);
    previousAction_->setEnabled(shown_);
    nextAction_->setEnabled(shown_);
    playAction_->setEnabled(shown_ && !albumView_->moviePlayer()->path().isEmpty());

    const int count = photoList_->rowCount();
    for (QWidget *control : {static_cast<QWidget *>(showButton_), static_cast<QWidget *>(trashButton_),
                             static_cast<QWidget *>(photoZoomButton_)}) {
        if (control)
            control->setEnabled(count > 0);
    }
    for (QAction *action : std::as_const(menuFileActions_))
        action->setEnabled(count > 0);
    albumView_->setLibraryEmpty(count == 0);
    const QString shown = imageView()->path();
    albumView_->setPlaceText(ReviewTexts::place(QFileInfo(shown).fileName(), photoList_->rowOfPath(shown),
                                                count, int(selectedRows().size())));
}

// --- The list ------------------------------------------------------------------------------

void LumoReviewController::loadData(const QString &folder)
{
    imageView()->setPath(QString());
    photoList_->setFolder(folder);
    fileCreated_.clear();
    if (photoList_->rowCount() > 0)
        selectRow(0);
}

void LumoReviewController::enterReviewMode()
{
    const int count = photoList_->rowCount();
    if (!fileCreated_.isEmpty()) {
        const int row = photoList_->rowOfPath(fileCreated_);
        fileCreated_.clear();
        selectRow(row >= 0 ? row : count - 1);
    } else if (selectedRows().isEmpty() && count > 0) {
        selectRow(0);
    }
    const QList<int> rows = selectedRows();
    if (!rows.isEmpty())
        browserView()->scrollIndexToVisible(rows.first());

    // The viewer takes the zoom pop-up's step; the title entry stands for 100%.
    if (photoZoomButton_) {
        if (photoZoomButton_->indexOfSelectedItem() == 0) {
            photoZoomButton_->selectItemAtIndex(1);
            photoZoomButton_->setTitle(tr("%1: %2").arg(tr("Zoom"), photoZoomButton_->titleOfSelectedItem()));
            photoZoomButton_->setMutexState();
        }
        imageView()->zoom(toZoomFactor(photoZoomButton_->indexOfSelectedItem() - 1));
    }
}

void LumoReviewController::fileDidCreate(const QString &path)
{
    const int row = photoList_->addFile(path);
    if (row < 0)
        return;
    // The new photo rather than the last row: with a custom name prefix it may sort anywhere.
    if (shown_) {
        selectRow(row);
        fileCreated_.clear();
    } else {
        fileCreated_ = path;
    }
}

// --- Selection -----------------------------------------------------------------------------

QList<int> LumoReviewController::selectedRows() const
{
    QList<int> rows;
    const QModelIndexList indexes = browserView()->selectionModel()->selectedIndexes();
    for (const QModelIndex &index : indexes)
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString LumoReviewController::firstSelectedPath() const
{
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? QString() : photoList_->pathOfRow(rows.first());
}

void LumoReviewController::selectRow(int row)
{
    if (row < 0 || row >= photoList_->rowCount())
        return;
    const QModelIndex index = photoList_->index(row);
    browserView()->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    browserView()->scrollIndexToVisible(row);
}

void LumoReviewController::selectAll()
{
    if (shown_)
        browserView()->selectAll();
}

void LumoReviewController::selectPrevious()
{
    const QList<int> rows = selectedRows();
    if (!rows.isEmpty() && rows.first() > 0)
        selectRow(rows.first() - 1);
}

void LumoReviewController::selectNext()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        selectRow(0);
    else if (rows.first() + 1 < photoList_->rowCount())
        selectRow(rows.first() + 1);
}

void LumoReviewController::selectionDidChange()
{
    updateActions();
    const QList<int> rows = selectedRows();
    if (rows.isEmpty() && !deleting_ && removingSelected_.isEmpty()) {
        // The strip never stays without a selection (a Ctrl+click can take the last one away):
        // once the click is done, the current photo is selected again.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (selectedRows().isEmpty() && photoList_->rowCount() > 0)
                    selectRow(qMax(0, browserView()->currentIndex().row()));
            },
            Qt::QueuedConnection);
    }
    if (rows.size() != 1)
        return; // several photos, or none for a moment: the viewer keeps what it shows
    const QString path = photoList_->pathOfRow(rows.first());
    if (path != imageView()->path())
        imageView()->setPath(path);
}

void LumoReviewController::rowsAboutToBeRemoved(int first, int last)
{
    if (deleting_)
        return;
    if (removingSelected_.isEmpty())
        countBeforeRemoval_ = photoList_->rowCount();
    for (int row : selectedRows()) {
        if (row >= first && row <= last)
            removingSelected_.append(row);
    }
}

void LumoReviewController::rowsRemoved()
{
    if (deleting_ || removingSelected_.isEmpty())
        return;
    // Another program took the selected photo away: a neighbour takes its place, as after a
    // deletion here, so the viewer never shows a photo that is gone.
    const QList<int> removed = std::exchange(removingSelected_, {});
    if (!selectedRows().isEmpty())
        return;
    // Rows that were not selected may have gone with them (a folder moved away takes them all).
    const int row =
        qMin(LumoPhotoList::selectionAfterRemoval(removed, countBeforeRemoval_), photoList_->rowCount() - 1);
    if (row >= 0)
        selectRow(row);
    else
        imageView()->setPath(QString());
}

void LumoReviewController::rowsChanged(int first, int last)
{
    // The file shown was rewritten (turned here, or changed by another program): show it anew.
    const QString shown = imageView()->path();
    if (shown.isEmpty())
        return;
    for (int row = qMax(0, first); row <= last && row < photoList_->rowCount(); ++row) {
        if (photoList_->pathOfRow(row) == shown) {
            imageView()->setPath(shown);
            return;
        }
    }
}

// --- Photo zoom ----------------------------------------------------------------------------

void LumoReviewController::imagePathDidChange(const QString &path)
{
    // Another program rewriting the photo on screen is shown at once.
    photoList_->followFile(path);
    // A movie plays in the player over the viewer; anything else stops it.
    const bool movie = LumoPhotoList::typeOfName(QFileInfo(path).fileName()) == FileItem::Movie;
    albumView_->showMovie(movie ? path : QString());
    updateActions();
    if (!photoZoomButton_)
        return;
    const float zoom = properties_->valueForKey(QLatin1String(ImagePropertyKeys::ZoomFactor), path).toFloat();
    int entry = zoom == 0.0f ? 1 : toZoomIndex(zoom) + 1;
    if (entry >= photoZoomButton_->numberOfItems())
        entry = 1;
    photoZoomButton_->selectItemAtIndex(entry);
    photoZoomButton_->setTitle(tr("%1: %2").arg(tr("Zoom"), photoZoomButton_->titleOfSelectedItem()));
    photoZoomButton_->setMutexState();
}

// --- Deleting ------------------------------------------------------------------------------

QMessageBox *LumoReviewController::makeAlert(const QString &title, const QString &text,
                                             const QString &informative)
{
    auto *box = new QMessageBox(window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setWindowTitle(title);
    box->setText(informative.isEmpty() ? title : text);
    box->setInformativeText(informative.isEmpty() ? text : informative);
    box->setIconPixmap(LumoImages::applicationIcon().pixmap(64, 64));
    alert_ = box;
    return box;
}

void LumoReviewController::deleteSelection()
{
    if (shown_)
        deletePhoto();
}

void LumoReviewController::deletePhoto()
{
    if (alert_)
        return; // one question at a time
    if (selectedRows().isEmpty()) {
        QMessageBox *box = makeAlert(tr("Delete Error"), tr("There is no file in your library directory!"));
        box->setStandardButtons(QMessageBox::Ok);
        box->open();
        return;
    }
    // The answer deletes the photos asked about: while the question is open, another program
    // may take the selected photo away, and the selection moves on to a neighbour the user never
    // agreed to delete.
    QStringList paths;
    for (int row : selectedRows())
        paths.append(photoList_->pathOfRow(row));
    QApplication::beep();
    // The question says what goes, by name or by count; the button says what it does.
    QMessageBox *box = makeAlert(tr("Move to Trash"), ReviewTexts::trashQuestion(paths),
                                 ReviewTexts::trashDetail(int(paths.size())));
    box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box->button(QMessageBox::Ok)->setText(tr("Move to Trash"));
    box->setDefaultButton(QMessageBox::Ok);
    connect(box, &QMessageBox::finished, this,
            [this, box, paths] { deleteAlertDidEnd(box->standardButton(box->clickedButton()), paths); });
    box->open();
}

void LumoReviewController::deleteAlertDidEnd(int result, const QStringList &asked)
{
    if (result == QMessageBox::Ok)
        deletePhotos(asked);
}

void LumoReviewController::deletePhotos(const QStringList &asked)
{
    QList<int> rows;
    QStringList paths;
    for (const QString &path : asked) {
        const int row = photoList_->rowOfPath(path);
        if (row >= 0) {
            rows.append(row);
            paths.append(path);
        }
    }
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    const int countBefore = photoList_->rowCount();
    // A turn still being written would put the photo back after it went to the trash.
    waitForRotations();

    deleting_ = true;
    for (const QString &path : std::as_const(paths)) {
        const TrashResult result = movePhotoToTrash(path);
        if (!result.ok) {
            deleting_ = false;
            LUMO_LOG("cannot move %s to the trash: %s", qPrintable(path), qPrintable(result.error));
            // The photos before this one stay deleted; the selection is left as it is.
            QMessageBox::warning(window_, tr("Move to Trash"), result.error, QMessageBox::Ok);
            return;
        }
        photoList_->removeRowOfPath(path);
    }
    deleting_ = false;

    const int next = LumoPhotoList::selectionAfterRemoval(rows, countBefore);
    if (next >= 0)
        selectRow(next);
    else
        imageView()->setPath(QString());
}

// --- Turning -------------------------------------------------------------------------------

void LumoReviewController::rotate(int entry)
{
    if (entry != RotateRight && entry != RotateLeft)
        return;
    // Every selected photo, one after another on the worker; the viewer follows the one it shows.
    const int degrees = entry == RotateRight ? -90 : 90;
    for (int row : selectedRows()) {
        if (!photoList_->item(row).isMovie())
            rotateImageAtPath(photoList_->pathOfRow(row), degrees);
    }
}

void LumoReviewController::rotateImageAtPath(const QString &path, int degrees)
{
    if (path.isEmpty() || LumoPhotoList::typeOfName(QFileInfo(path).fileName()) == FileItem::Movie)
        return;
    ++rotationsRunning_;
    auto *watcher = new QFutureWatcher<RotationResult>(this);
    connect(watcher, &QFutureWatcher<RotationResult>::finished, this, [this, watcher, path] {
        watcher->deleteLater();
        --rotationsRunning_;
        const RotationResult result = watcher->result();
        if (!result.ok) {
            LUMO_LOG("cannot turn %s: %s", qPrintable(path), qPrintable(result.error));
            QApplication::beep();
            emit rotationFinished(path, false);
            return;
        }
        // The thumbnail is decoded anew and the viewer, showing this photo, reads it again;
        // the selection stays on it.
        photoList_->fileDidChange(path);
        emit rotationFinished(path, true);
    });
    watcher->setFuture(QtConcurrent::run(&rotations_, &rotatePhotoFile, path, degrees));
}

void LumoReviewController::waitForRotations()
{
    rotations_.waitForDone();
}

// --- Copy and show -------------------------------------------------------------------------

void LumoReviewController::copy()
{
    if (!shown_)
        return;
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    const QString path = photoList_->pathOfRow(rows.first());
    const bool movie = photoList_->item(rows.first()).isMovie();
    // A photo that cannot be decoded would put an empty picture on the clipboard in place of what
    // the user had there: it is refused (a decode at the smallest scale tells), and the
    // clipboard is left alone. A movie is copied as its file only.
    if (!movie && decodePhotoForView(path, QSize(1, 1)).isNull()) {
        QApplication::beep();
        if (!alert_) {
            QMessageBox *box = makeAlert(tr("Copy"), LumoImageView::unreadableText(path));
            box->setStandardButtons(QMessageBox::Ok);
            box->open();
        }
        return;
    }
    QApplication::clipboard()->setMimeData(photoMimeData(path, !movie));
}

void LumoReviewController::showInFinder()
{
    const QString path = firstSelectedPath();
    if (!path.isEmpty())
        showInFileManager(path);
}
