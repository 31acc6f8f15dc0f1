#include "LumoPreferencesWindowController.h"

#include "GeneralPreferencesPane.h"
#include "ImageAdjustmentPane.h"
#include "SystemPreferencesPane.h"
#include "core/DefaultsKeys.h"
#include "core/UserDefaults.h"
#include "ui/widgets/ToolbarFocus.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMainWindow>
#include <QShortcut>
#include <QStackedLayout>
#include <QToolBar>

LumoPreferencesWindowController::LumoPreferencesWindowController(const Services &services, QObject *parent)
    : LumoWindowController(parent), services_(services), window_(std::make_unique<QMainWindow>())
{
    window_->setObjectName(QStringLiteral("preferencesWindow"));
    window_->setWindowTitle(tr("Preferences"));
    window_->setContextMenuPolicy(Qt::NoContextMenu); // the toolbar cannot be hidden or changed
    window_->installEventFilter(this);
    setWindow(window_.get());

    auto *toolbar = new QToolBar(tr("Preferences"));
    toolbar->setObjectName(QStringLiteral("PreferencesToolbarIdentifier"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar->toggleViewAction()->setVisible(false);
    auto *items = new QActionGroup(toolbar);
    const struct {
        const char *identifier;
        QString title;
        QString tip;
    } itemTitles[] = {
        {GeneralItem, tr("General"), tr("Photo names, the library folder, sounds and recording")},
        {ImageItem, tr("Image Adjustment"),
         tr("The camera's picture: brightness, colour, sharpness and focus")},
        {SystemItem, tr("System"), tr("The versions of the camera and of Arvo")}};
    for (const auto &[identifier, title, tip] : itemTitles) {
        QAction *item = toolbar->addAction(title);
        item->setToolTip(tip);
        item->setObjectName(QLatin1String(identifier));
        item->setCheckable(true);
        items->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, id = QString::fromLatin1(identifier)] { changePreferenceView(id); });
    }
    window_->addToolBar(Qt::TopToolBarArea, toolbar);
    ToolbarFocus::install(toolbar);
    setWindowToolbar(toolbar);

    // The panes share one place, so that one fades in where the other fades out.
    auto *host = new QWidget;
    stack_ = new QStackedLayout(host);
    stack_->setStackingMode(QStackedLayout::StackAll);
    general_ = new GeneralPreferencesPane(services_.defaults, services_.cameras);
    image_ = new ImageAdjustmentPane(services_.settings, services_.cameras);
    system_ = new SystemPreferencesPane(services_.cameras, services_.updateUrl);
    for (QWidget *pane : {static_cast<QWidget *>(general_), static_cast<QWidget *>(image_),
                          static_cast<QWidget *>(system_)}) {
        stack_->addWidget(pane);
        pane->hide();
        pane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    }
    window_->setCentralWidget(host);

    for (const QKeySequence &keys : {QKeySequence(QKeySequence::Close), QKeySequence(Qt::Key_Escape)})
        connect(new QShortcut(keys, window_.get()), &QShortcut::activated, window_.get(), &QWidget::close);
}

LumoPreferencesWindowController::~LumoPreferencesWindowController()
{
    // Quitting leaves the window open: what it still holds is kept as closing would keep it.
    if (window_->isVisible())
        windowWillClose();
    window_->removeEventFilter(this);
}

QAction *LumoPreferencesWindowController::toolbarItem(const QString &identifier) const
{
    return identifier.isEmpty() ? nullptr : windowToolbar()->findChild<QAction *>(identifier);
}

QWidget *LumoPreferencesWindowController::paneFor(const QString &identifier) const
{
    if (identifier == QLatin1String(GeneralItem))
        return general_;
    if (identifier == QLatin1String(ImageItem))
        return image_;
    if (identifier == QLatin1String(SystemItem))
        return system_;
    return nullptr;
}

void LumoPreferencesWindowController::selectToolbarItem(const QString &identifier)
{
    if (QAction *item = toolbarItem(identifier))
        item->setChecked(true);
}

void LumoPreferencesWindowController::prepare(QWidget *pane)
{
    if (pane == image_)
        image_->adjustControls();
    else if (pane == system_)
        system_->loadVersion();
}

QRect LumoPreferencesWindowController::frameFor(QWidget *pane)
{
    // Only the pane shown counts for the window's size; the others take no room.
    for (QWidget *other :
         {static_cast<QWidget *>(general_), static_cast<QWidget *>(image_), static_cast<QWidget *>(system_)})
        other->setSizePolicy(other == pane ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                             other == pane ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    // No narrower than the toolbar, whose items would otherwise fold into an overflow menu.
    const QSize hint = pane->sizeHint();
    pane->resize(qMax(hint.width(), windowToolbar()->sizeHint().width()), hint.height());
    return rectForView(pane);
}

void LumoPreferencesWindowController::changeView(const QString &identifier)
{
    QWidget *pane = paneFor(identifier);
    if (!pane)
        pane = currentView_ ? currentView_.data() : general_;
    prepare(pane);
    QWidget *old = currentView_;
    const QRect frame = frameFor(pane);
    stack_->setCurrentWidget(pane);
    currentView_ = pane;
    if (!window_->isVisible()) {
        // Nothing on screen yet: the window manager places the window, sized to the pane.
        if (old && old != pane)
            old->hide();
        pane->show();
        window_->adjustSize();
        return;
    }
    const bool animate = animationsEnabled();
    setAnimationsEnabled(false);
    LumoWindowController::changeView(old, pane, frame);
    setAnimationsEnabled(animate);
}

void LumoPreferencesWindowController::changePreferenceView(const QString &identifier)
{
    QWidget *pane = paneFor(identifier);
    selectToolbarItem(identifier);
    if (!pane || pane == currentView_)
        return;
    prepare(pane);
    QWidget *old = currentView_;
    const QRect frame = frameFor(pane);
    stack_->setCurrentWidget(pane);
    currentView_ = pane;
    LumoWindowController::changeView(old, pane, frame);
    services_.defaults->setValue(DefaultsKeys::PreferencesItemSaved, identifier);
}

void LumoPreferencesWindowController::showWindow()
{
    QString identifier = services_.defaults->stringForKey(DefaultsKeys::PreferencesItemSaved);
    if (!paneFor(identifier))
        identifier = QLatin1String(GeneralItem);
    selectToolbarItem(identifier);
    changeView(identifier);
    general_->loadDefaults();
    image_->adjustControls();
    if (!placed_) {
        placed_ = true;
        placeOverActiveWindow(window_.get());
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

bool LumoPreferencesWindowController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window_.get() && event->type() == QEvent::Close)
        windowWillClose();
    return LumoWindowController::eventFilter(watched, event);
}

void LumoPreferencesWindowController::windowWillClose()
{
    general_->setPhotoNameFormatFromField();
    image_->flushPendingRequests();
}
