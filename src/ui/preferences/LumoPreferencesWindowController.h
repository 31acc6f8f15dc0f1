#pragma once

#include "ui/LumoWindowController.h"

#include <QPointer>
#include <QString>
#include <QUrl>

#include <memory>

class CamSettingController;
class GeneralPreferencesPane;
class ImageAdjustmentPane;
class LumoCamerasController;
class QAction;
class QMainWindow;
class QStackedLayout;
class SystemPreferencesPane;
class UserDefaults;

// The preferences window: three panes (General, Image Adjustment, System) chosen from a
// toolbar of labels.
//
//   +--------------------------------------------+
//   | [General] [Image Adjustment] [System]      |
//   +--------------------------------------------+
//   |                                            |
//   |   the chosen pane, the window sized to it  |
//   |                                            |
//   +--------------------------------------------+
//
// The window takes the size of each pane as it is chosen, keeping its top-left corner where
// it was, and opens on the pane chosen last. The controller lives from the first opening to the
// end of the application; closing the window keeps it, and stores the prefix typed in the
// General pane even when Return was never pressed. Main thread.
class LumoPreferencesWindowController : public LumoWindowController {
    Q_OBJECT
public:
    static constexpr char GeneralItem[] = "GeneralPreferencesToolbarItem";
    static constexpr char ImageItem[] = "ImagePreferencesToolbarItem";
    static constexpr char SystemItem[] = "SystemPreferencesToolbarItem";

    struct Services {
        UserDefaults *defaults = nullptr;
        CamSettingController *settings = nullptr;
        LumoCamerasController *cameras = nullptr; // may be null: no camera
        QUrl updateUrl;                           // a placeholder offers no update check
    };

    explicit LumoPreferencesWindowController(const Services &services, QObject *parent = nullptr);
    ~LumoPreferencesWindowController() override;

    QMainWindow *preferencesWindow() const { return window_.get(); }
    GeneralPreferencesPane *generalPane() const { return general_; }
    ImageAdjustmentPane *imagePane() const { return image_; }
    SystemPreferencesPane *systemPane() const { return system_; }
    QWidget *currentView() const { return currentView_; }
    // The toolbar item of a pane identifier, or null.
    QAction *toolbarItem(const QString &identifier) const;

    // Opens the window on the pane chosen last (General the first time), its controls filled.
    void showWindow();

    // A toolbar item was chosen: swaps to its pane (animated) and remembers it. The pane shown
    // already only gets the toolbar selection.
    void changePreferenceView(const QString &identifier);
    // Shows the pane of `identifier` at once (the window opening); an unknown identifier keeps
    // the pane shown, or shows General when there is none yet.
    using LumoWindowController::changeView;
    void changeView(const QString &identifier);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void windowWillClose();
    QWidget *paneFor(const QString &identifier) const;
    void selectToolbarItem(const QString &identifier);
    // The pane-specific refresh before a pane is shown.
    void prepare(QWidget *pane);
    // Makes `pane` the one the window sizes to, and answers the window frame that shows it
    // with the top-left corner kept.
    QRect frameFor(QWidget *pane);

    Services services_;
    std::unique_ptr<QMainWindow> window_;
    QStackedLayout *stack_ = nullptr;
    GeneralPreferencesPane *general_ = nullptr;
    ImageAdjustmentPane *image_ = nullptr;
    SystemPreferencesPane *system_ = nullptr;
    QPointer<QWidget> currentView_;
    bool placed_ = false;
};
