#pragma once

#include "ui/review/LumoImageBrowserView.h"

#include <QWidget>

class LumoElidedLabel;
class LumoImageView;
class LumoMoviePlayer;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolButton;

// What the album asks of its owner: the previous and next buttons, and the delete keys of the
// thumbnail strip.
class LumoAlbumDelegate {
public:
    virtual ~LumoAlbumDelegate() = default;

    virtual void deleteSelection() {}
    virtual void selectPrevious() {}
    virtual void selectNext() {}
};

// The page of review mode: the photo viewer (or, for a movie, the movie player) above, a line
// saying which file is shown, the thumbnail strip below between the previous and next buttons,
// and the menu the thumbnails offer on a right click.
//
//   +--------------------------------------------------+
//   |                                                  |
//   |  LumoImageView | LumoMoviePlayer | empty text    |
//   |                                                  |
//   +--------------------------------------------------+
//   |      2026-12-09_0012.jpg  ·  12 of 300           |  place line
//   +-----+--------------------------------------+-----+
//   | [<] |  [thumb] [thumb] [thumb] [thumb] ... | [>] |  Band points high
//   |     |          ======                      |     |
//   +-----+--------------------------------------+-----+
//
// The arrow keys of the strip click the buttons, so they show the same effect; the delete keys
// go to the delegate. The menu's entries are the owner's to add; it shows the same menu for any
// thumbnail, and its entries act on the selection. Main thread.
class LumoAlbumView : public QWidget, private LumoImageBrowserDelegate {
    Q_OBJECT
public:
    explicit LumoAlbumView(QWidget *parent = nullptr);
    ~LumoAlbumView() override;

    void setDelegate(LumoAlbumDelegate *delegate) { delegate_ = delegate; }

    LumoImageView *imageView() const { return imageView_; }
    LumoMoviePlayer *moviePlayer() const { return moviePlayer_; }
    // Shows the movie at `path` in the player in place of the photo viewer; an empty path stops
    // the movie and shows the photo viewer again.
    void showMovie(const QString &path);
    // While the library is empty the viewer's place says so and how to take the first photo.
    void setLibraryEmpty(bool empty);
    bool isLibraryEmpty() const { return libraryEmpty_; }
    QWidget *emptyPage() const { return emptyPage_; }
    // The place line's text, set by the owner.
    void setPlaceText(const QString &text);
    QString placeText() const;
    LumoImageBrowserView *browserView() const { return browserView_; }
    QMenu *contextualMenu() const { return contextualMenu_; }
    QToolButton *leftButton() const { return leftButton_; }
    QToolButton *rightButton() const { return rightButton_; }

    // Click the previous and next buttons.
    void selectPrevious() override;
    void selectNext() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void deleteSelection() override;
    void cellWasRightClicked(int row, const QPoint &globalPos) override;
    // The empty text, the movie player or the photo viewer, in that order of precedence.
    void showPage();

    LumoAlbumDelegate *delegate_ = nullptr;
    LumoImageView *imageView_;
    LumoMoviePlayer *moviePlayer_;
    QWidget *emptyPage_;
    QStackedWidget *viewers_;
    LumoElidedLabel *placeLabel_;
    LumoImageBrowserView *browserView_;
    QToolButton *leftButton_;
    QToolButton *rightButton_;
    QMenu *contextualMenu_;
    bool libraryEmpty_ = false;
};
