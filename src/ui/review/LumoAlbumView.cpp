#include "ui/review/LumoAlbumView.h"

#include "ui/WindowGeometry.h"
#include "ui/review/LumoImageView.h"
#include "ui/review/LumoMoviePlayer.h"
#include "ui/review/ReviewTexts.h"
#include "ui/widgets/LumoElidedLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *arrowButton(Qt::ArrowType arrow, const QString &name, const QString &tip,
                         const QString &description)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRaise(true); // no border
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAccessibleDescription(description);
    // Left and Right do the same from the keyboard.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(28);
    return button;
}

// The heading and the hint shown in the viewer's place while there is no photo, in the colours
// of the palette in force.
QWidget *makeEmptyPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("emptyLibraryPage"));
    auto *title = new QLabel(ReviewTexts::emptyTitle());
    title->setObjectName(QStringLiteral("emptyLibraryTitle"));
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    auto *hint = new QLabel(ReviewTexts::emptyHint());
    hint->setObjectName(QStringLiteral("emptyLibraryHint"));
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);
    // A fixed measure keeps the lines short and even; it fits the narrowest window.
    hint->setFixedWidth(400);
    hint->setMinimumHeight(hint->heightForWidth(400));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(10);
    layout->addStretch(1);
    layout->addWidget(title);
    layout->addWidget(hint, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    return page;
}

} // namespace

LumoAlbumView::LumoAlbumView(QWidget *parent)
    : QWidget(parent), imageView_(new LumoImageView), moviePlayer_(new LumoMoviePlayer),
      emptyPage_(makeEmptyPage()), viewers_(new QStackedWidget), placeLabel_(new LumoElidedLabel),
      browserView_(new LumoImageBrowserView),
      leftButton_(arrowButton(Qt::LeftArrow, QStringLiteral("leftButton"), tr("Previous Photo"),
                              tr("Selects the photo before the selected one"))),
      rightButton_(arrowButton(Qt::RightArrow, QStringLiteral("rightButton"), tr("Next Photo"),
                               tr("Selects the photo after the selected one"))),
      contextualMenu_(new QMenu(this))
{
    setObjectName(QStringLiteral("albumView"));
    // The album wears the desktop's palette, light or dark, as the rest of the window does.
    setAutoFillBackground(true);
    contextualMenu_->setObjectName(QStringLiteral("contextualMenu"));
    browserView_->setAccessibleName(tr("Photos"));
    browserView_->setAccessibleDescription(
        tr("The photos in the library; Left, Right, Home and End move the selection"));
    imageView_->setAccessibleName(tr("Photo"));
    imageView_->setAccessibleDescription(tr("The selected photo; + and - zoom it"));

    // The band under the viewer is as high as the window sizing rules reserve for it.
    auto *band = new QWidget;
    band->setFixedHeight(int(WindowGeometry::ReviewBand));
    auto *row = new QHBoxLayout(band);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(leftButton_);
    row->addWidget(browserView_, 1, Qt::AlignVCenter);
    row->addWidget(rightButton_);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    viewers_->addWidget(imageView_);
    viewers_->addWidget(moviePlayer_);
    viewers_->addWidget(emptyPage_);
    layout->addWidget(viewers_, 1);
    // A long name loses its start first, so the photo number and the place stay readable.
    placeLabel_->setObjectName(QStringLiteral("placeLine"));
    placeLabel_->setElideMode(Qt::ElideLeft);
    placeLabel_->setAlignment(Qt::AlignCenter);
    placeLabel_->setContentsMargins(8, 6, 8, 0);
    layout->addWidget(placeLabel_);
    layout->addWidget(band);

    // A click on the photo takes the keyboard away from wherever it was (a toolbar button, whose
    // arrow keys would move along the toolbar) and gives it to the strip.
    imageView_->setFocusPolicy(Qt::ClickFocus);
    imageView_->setFocusProxy(browserView_);
    moviePlayer_->setFocusPolicy(Qt::ClickFocus);
    moviePlayer_->setFocusProxy(browserView_);
    browserView_->setDelegate(this);
    connect(leftButton_, &QToolButton::clicked, this, [this] {
        if (delegate_)
            delegate_->selectPrevious();
    });
    connect(rightButton_, &QToolButton::clicked, this, [this] {
        if (delegate_)
            delegate_->selectNext();
    });
}

LumoAlbumView::~LumoAlbumView() = default;

void LumoAlbumView::showMovie(const QString &path)
{
    moviePlayer_->setPath(path);
    showPage();
}

void LumoAlbumView::setPlaceText(const QString &text)
{
    placeLabel_->setText(text);
}

QString LumoAlbumView::placeText() const
{
    return placeLabel_->text();
}

void LumoAlbumView::setLibraryEmpty(bool empty)
{
    libraryEmpty_ = empty;
    showPage();
}

void LumoAlbumView::showPage()
{
    QWidget *page = imageView_;
    if (libraryEmpty_)
        page = emptyPage_;
    else if (!moviePlayer_->path().isEmpty())
        page = moviePlayer_;
    viewers_->setCurrentWidget(page);
}

void LumoAlbumView::selectPrevious()
{
    leftButton_->click();
}

void LumoAlbumView::selectNext()
{
    rightButton_->click();
}

void LumoAlbumView::deleteSelection()
{
    if (delegate_)
        delegate_->deleteSelection();
}

void LumoAlbumView::cellWasRightClicked(int, const QPoint &globalPos)
{
    if (!contextualMenu_->isEmpty())
        contextualMenu_->popup(globalPos);
}

// The strip takes the keyboard as review mode opens, so that the arrows, Home and End move
// through the photos without a click on it first.
void LumoAlbumView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    browserView_->setFocus(Qt::OtherFocusReason);
}
