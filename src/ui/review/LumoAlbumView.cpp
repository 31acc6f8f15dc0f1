#include "ui/review/LumoAlbumView.h"

#include "ui/WindowGeometry.h"
#include "ui/review/LumoImageView.h"
#include "ui/review/LumoMoviePlayer.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *arrowButton(Qt::ArrowType arrow, const QString &name, const QString &tip)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRaise(true); // no border
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(28);
    return button;
}

} // namespace

LumoAlbumView::LumoAlbumView(QWidget *parent)
    : QWidget(parent), imageView_(new LumoImageView), moviePlayer_(new LumoMoviePlayer),
      viewers_(new QStackedWidget), browserView_(new LumoImageBrowserView),
      leftButton_(arrowButton(Qt::LeftArrow, QStringLiteral("leftButton"), tr("Previous Photo"))),
      rightButton_(arrowButton(Qt::RightArrow, QStringLiteral("rightButton"), tr("Next Photo"))),
      contextualMenu_(new QMenu(this))
{
    setObjectName(QStringLiteral("albumView"));
    setAutoFillBackground(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, QColor(0xd8, 0xd8, 0xd8));
    dark.setColor(QPalette::Mid, QColor(0x60, 0x60, 0x60));
    dark.setColor(QPalette::Light, QColor(0x90, 0x90, 0x90));
    dark.setColor(QPalette::ButtonText, QColor(0xd8, 0xd8, 0xd8));
    setPalette(dark);
    contextualMenu_->setObjectName(QStringLiteral("contextualMenu"));

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
    layout->addWidget(viewers_, 1);
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
    viewers_->setCurrentWidget(path.isEmpty() ? static_cast<QWidget *>(imageView_) : moviePlayer_);
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
