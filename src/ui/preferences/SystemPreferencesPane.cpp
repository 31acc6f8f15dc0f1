#include "SystemPreferencesPane.h"

#include "device/LumoCamerasController.h"
#include "ui/about/LumoAboutWindowController.h"

#include <QDesktopServices>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

SystemPreferencesPane::SystemPreferencesPane(LumoCamerasController *cameras, const QUrl &updateUrl,
                                             QWidget *parent)
    : QWidget(parent), cameras_(cameras)
{
    setObjectName(QStringLiteral("systemView"));
    firmwareVersion_ = new QLabel;
    firmwareVersion_->setObjectName(QStringLiteral("firmwareVersion"));
    softwareVersion_ = new QLabel;
    softwareVersion_->setObjectName(QStringLiteral("softwareVersion"));
    for (QLabel *label : {firmwareVersion_, softwareVersion_})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *form = new QFormLayout(this);
    form->setContentsMargins(20, 16, 20, 16);
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(tr("Camera firmware:"), firmwareVersion_);
    form->addRow(tr("Arvo:"), softwareVersion_);
    // A build that left the update address at its placeholder offers no update check.
    if (!LumoAboutWindowController::isPlaceholder(updateUrl)) {
        updateButton_ = new QPushButton(tr("Check for Updates"));
        connect(updateButton_, &QPushButton::clicked, this,
                [updateUrl] { QDesktopServices::openUrl(updateUrl); });
        form->addRow(QString(), updateButton_);
        updateButton_->setAccessibleDescription(tr("Opens the page with the newest version of Arvo"));
    }
    loadVersion();
}

void SystemPreferencesPane::loadVersion()
{
    const CameraPtr camera = cameras_ ? cameras_->currentCamera() : nullptr;
    firmwareVersion_->setText(LumoAboutWindowController::firmwareVersionText(camera));
    softwareVersion_->setText(LumoAboutWindowController::applicationVersionText());
}
