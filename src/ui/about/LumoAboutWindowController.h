#pragma once

#include "device/LumoCamera.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QWidget;

// The about window: the application's version and build, the current camera's firmware
// version, and links to the maker's site, the online help and the updates page.
//
// The application shows the one shared instance. Closing its window ends that instance, so the
// next sharedInstance() builds a new one and the versions are read afresh at every opening.
// Main thread.
class LumoAboutWindowController : public QObject {
    Q_OBJECT
public:
    using CameraProvider = std::function<CameraPtr()>;

    // Where the links lead; an address that is empty or a placeholder is not offered.
    struct Addresses {
        QString siteHost; // the maker's site, opened over HTTP; the link shows the host name
        QUrl help;
        QUrl update;
    };

    // The shared instance, built on first use (and again after its window was closed) with the
    // addresses of the "Server" strings.
    static LumoAboutWindowController *sharedInstance(const CameraProvider &currentCamera);

    // The application uses sharedInstance(); this builds a separate controller.
    LumoAboutWindowController(CameraProvider currentCamera, const Addresses &addresses,
                              QObject *parent = nullptr);
    ~LumoAboutWindowController() override;

    QWidget *window() const;
    // Shows the window, over the window it was opened from when it opens.
    void showWindow();

    // "%x.%x" of the high and the low byte: 0x0102 gives "1.2", 0x021a gives "2.1a".
    static QString firmwareVersionText(uint16_t version);
    // The firmware text for a camera; no camera counts as version 0.
    static QString firmwareVersionText(const CameraPtr &camera);
    // "<version> Build <build>".
    static QString applicationVersionText();

    // The addresses of the "Server" strings, as written there.
    static Addresses serverAddresses();
    // True for an address that leads nowhere real: no host, or a host reserved for examples
    // and tests (example.com/.net/.org, the .example, .test, .invalid and .localhost domains,
    // localhost).
    static bool isPlaceholder(const QUrl &url);

    // http://<host>, which openSite() opens with the desktop's default handler.
    static QUrl siteUrl(const QString &host);
    static void openSite(const QString &host);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;

    CameraProvider currentCamera_;
    std::unique_ptr<QWidget> window_;
    QLabel *softwareVersion_ = nullptr;
    QLabel *firmwareVersion_ = nullptr;

    static QPointer<LumoAboutWindowController> shared_;
};
