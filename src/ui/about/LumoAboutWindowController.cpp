#include "LumoAboutWindowController.h"

#include "core/Resources.h"
#include "ui/LumoWindowController.h"
#include "ui/widgets/LumoHyperLinkButton.h"

#include <QDesktopServices>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>
#include <QWidget>

#ifndef ARVO_VERSION
#define ARVO_VERSION "0"
#endif
#ifndef ARVO_BUILD_NUMBER
#define ARVO_BUILD_NUMBER "0"
#endif

QPointer<LumoAboutWindowController> LumoAboutWindowController::shared_;

namespace {

QPushButton *linkButton(const QString &objectName, const QString &title)
{
    auto *button = new LumoHyperLinkButton;
    button->setObjectName(objectName);
    button->setText(title);
    return button;
}

} // namespace

LumoAboutWindowController *LumoAboutWindowController::sharedInstance(const CameraProvider &currentCamera)
{
    if (!shared_)
        shared_ = new LumoAboutWindowController(currentCamera, serverAddresses());
    return shared_;
}

LumoAboutWindowController::LumoAboutWindowController(CameraProvider currentCamera, const Addresses &addresses,
                                                     QObject *parent)
    : QObject(parent), currentCamera_(currentCamera ? std::move(currentCamera) : [] { return CameraPtr(); }),
      window_(std::make_unique<QWidget>(nullptr, Qt::Window))
{
    window_->setObjectName(QStringLiteral("aboutWindow"));
    window_->setWindowTitle(tr("About Arvo"));
    window_->installEventFilter(this);

    initArvoResources();
    auto *icon = new QLabel;
    icon->setPixmap(QIcon(QStringLiteral(":/icons/arvo.svg")).pixmap(64, 64));
    auto *name = new QLabel(QStringLiteral("Arvo"));
    QFont font = name->font();
    font.setPointSizeF(font.pointSizeF() * 1.8);
    font.setBold(true);
    name->setFont(font);
    auto *tagline = new QLabel(tr("Live picture and snapshots for document cameras"));

    softwareVersion_ = new QLabel(tr("Version %1").arg(applicationVersionText()));
    softwareVersion_->setObjectName(QStringLiteral("softwareVersion"));
    firmwareVersion_ = new QLabel(tr("Camera firmware %1").arg(firmwareVersionText(currentCamera_())));
    firmwareVersion_->setObjectName(QStringLiteral("firmwareVersion"));
    for (QLabel *label : {softwareVersion_, firmwareVersion_})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QVBoxLayout(window_.get());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(32, 24, 32, 20);
    layout->setSpacing(6);
    for (QLabel *label : {icon, name, tagline, softwareVersion_, firmwareVersion_}) {
        label->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label);
    }
    layout->addSpacing(8);

    // A deployment that left an address at its placeholder gets no link for it.
    if (!isPlaceholder(siteUrl(addresses.siteHost))) {
        QPushButton *site = linkButton(QStringLiteral("siteLink"), addresses.siteHost);
        connect(site, &QPushButton::clicked, this, [site] { openSite(site->text()); });
        layout->addWidget(site, 0, Qt::AlignHCenter);
    }
    auto *links = new QHBoxLayout;
    const struct {
        const char *objectName;
        QString title;
        QUrl url;
    } pages[] = {{"helpLink", tr("Online Help"), addresses.help},
                 {"updateLink", tr("Check for Updates"), addresses.update}};
    for (const auto &page : pages) {
        if (isPlaceholder(page.url))
            continue;
        QPushButton *button = linkButton(QLatin1String(page.objectName), page.title);
        connect(button, &QPushButton::clicked, this, [url = page.url] { QDesktopServices::openUrl(url); });
        links->addWidget(button);
    }
    layout->addLayout(links);
    layout->setAlignment(links, Qt::AlignHCenter);
}

LumoAboutWindowController::~LumoAboutWindowController() = default;

QWidget *LumoAboutWindowController::window() const
{
    return window_.get();
}

void LumoAboutWindowController::showWindow()
{
    if (!window_->isVisible()) {
        window_->adjustSize();
        LumoWindowController::placeOverActiveWindow(window_.get());
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

bool LumoAboutWindowController::eventFilter(QObject *watched, QEvent *event)
{
    // The shared instance ends with its window, so the next opening reads the versions again.
    if (watched == window_.get() && event->type() == QEvent::Close && shared_ == this) {
        shared_ = nullptr;
        deleteLater();
    }
    return QObject::eventFilter(watched, event);
}

QString LumoAboutWindowController::firmwareVersionText(uint16_t version)
{
    return QString::asprintf("%x.%x", unsigned(version >> 8), unsigned(version & 0xff));
}

QString LumoAboutWindowController::firmwareVersionText(const CameraPtr &camera)
{
    return firmwareVersionText(camera ? LumoCamera::firmwareVersion() : uint16_t(0));
}

QString LumoAboutWindowController::applicationVersionText()
{
    return tr("%1 Build %2").arg(QStringLiteral(ARVO_VERSION), QStringLiteral(ARVO_BUILD_NUMBER));
}

LumoAboutWindowController::Addresses LumoAboutWindowController::serverAddresses()
{
    initArvoResources();
    QSettings strings(QStringLiteral(":/strings/Server.ini"), QSettings::IniFormat);
    const auto read = [&strings](const char *key) {
        return strings.value(QLatin1String(key), QString()).toString().trimmed();
    };
    return {read("SiteHost"), QUrl(read("HelpBaseURL")), QUrl(read("UpdateBaseURL"))};
}

bool LumoAboutWindowController::isPlaceholder(const QUrl &url)
{
    const QString host = url.host().toLower();
    if (!url.isValid() || host.isEmpty())
        return true;
    static const char *const reservedDomains[] = {"example.com", "example.net", "example.org", "example",
                                                  "test",        "invalid",     "localhost"};
    for (const char *domain : reservedDomains) {
        const QLatin1String name(domain);
        if (host == name || host.endsWith(QLatin1Char('.') + name))
            return true;
    }
    return false;
}

QUrl LumoAboutWindowController::siteUrl(const QString &host)
{
    return QUrl(QStringLiteral("http://") + host);
}

void LumoAboutWindowController::openSite(const QString &host)
{
    QDesktopServices::openUrl(siteUrl(host));
}
