#pragma once

#include <QUrl>
#include <QWidget>

class LumoCamerasController;
class QLabel;
class QPushButton;

// The System pane of the preferences: the current camera's firmware version, the application's
// version and build, and the update check when the build names a real address for it. Main
// thread.
class SystemPreferencesPane : public QWidget {
    Q_OBJECT
public:
    // `cameras` may be null; an empty or placeholder `updateUrl` offers no update check.
    SystemPreferencesPane(LumoCamerasController *cameras, const QUrl &updateUrl, QWidget *parent = nullptr);

    // Reads the versions afresh (the camera may have changed since).
    void loadVersion();

    QLabel *firmwareVersion() const { return firmwareVersion_; }
    QLabel *softwareVersion() const { return softwareVersion_; }
    // Null when no update address is configured.
    QPushButton *updateButton() const { return updateButton_; }

private:
    LumoCamerasController *cameras_;
    QLabel *firmwareVersion_ = nullptr;
    QLabel *softwareVersion_ = nullptr;
    QPushButton *updateButton_ = nullptr;
};
