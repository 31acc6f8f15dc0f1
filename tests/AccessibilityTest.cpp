#include "TestSupport.h"
#include "app/CommandLine.h"
#include "app/LumoAppController.h"
#include "core/NotificationNames.h"
#include "photos/LumoActionController.h"
#include "ui/LumoMainWindowController.h"
#include "ui/preferences/LumoPreferencesWindowController.h"

#include <QAccessible>
#include <QMainWindow>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

using Mode = LumoMainWindowController::Mode;

bool isInteractive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Dial:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::ButtonDropGrid:
    case QAccessible::EditableText:
    case QAccessible::MenuItem:
    case QAccessible::PageTab:
    case QAccessible::ListItem:
    case QAccessible::List:
    case QAccessible::Link:
        return true;
    default:
        return false;
    }
}

// Where an element sits, for a failure message: its ancestors' roles and names.
QString describe(QAccessibleInterface *element)
{
    QStringList path;
    for (QAccessibleInterface *at = element; at; at = at->parent()) {
        const QObject *object = at->object();
        path.prepend(QStringLiteral("%1%2(%3 \"%4\")")
                         .arg(object ? object->metaObject()->className() : "-")
                         .arg(object && !object->objectName().isEmpty() ? "#" + object->objectName() : QString())
                         .arg(qAccessibleRoleString(at->role()))
                         .arg(at->text(QAccessible::Name)));
        if (object && object->isWidgetType() && static_cast<const QWidget *>(object)->isWindow())
            break;
    }
    return path.join(QStringLiteral(" > "));
}

struct Findings {
    QStringList unnamed;
    QStringList undescribed;
    QStringList roleless; // Tab reaches it, yet it does not say it is a control
};

// Every visible interactive element under `root` without a name, every visible control (not a
// menu entry or list cell, whose text is their name) without a description, and every widget
// the keyboard reaches that reports no control's role (a painted button left as a plain widget).
void collect(QAccessibleInterface *element, Findings &found)
{
    if (!element || element->state().invisible)
        return;
    const QAccessible::Role role = element->role();
    const auto *widget = qobject_cast<const QWidget *>(element->object());
    if (widget && !widget->isWindow() && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && !isInteractive(role))
        found.roleless << describe(element);
    if (isInteractive(role)) {
        if (element->text(QAccessible::Name).trimmed().isEmpty())
            found.unnamed << describe(element);
        const bool entry = role == QAccessible::MenuItem || role == QAccessible::ListItem || role == QAccessible::PageTab;
        if (!entry && element->text(QAccessible::Description).trimmed().isEmpty())
            found.undescribed << describe(element);
    }
    for (int i = 0; i < element->childCount(); ++i)
        collect(element->child(i), found);
}

QString joined(const QStringList &list) { return list.join(QLatin1Char('\n')); }

struct WindowCase {
    const char *name;
    // Brings the application to the window and answers it.
    std::function<QWidget *(LumoAppController &)> open;
};

void PrintTo(const WindowCase &c, std::ostream *os) { *os << c.name; }

// The preferences window on one of its panes.
template<const char *Pane> QWidget *preferencesOn(LumoAppController &app)
{
    app.openPreferences();
    LumoPreferencesWindowController *preferences = app.preferencesController();
    preferences->changeView(QString::fromLatin1(Pane));
    return preferences->window();
}

class AccessibleWindows : public testing::TestWithParam<WindowCase> {};

// The whole application on a virtual camera: each window's controls, floaters, and the entries
// of its menus and pop-up buttons (walked whether shown or not) have a name and a description.
TEST_P(AccessibleWindows, EveryInteractiveElementHasANameAndADescription)
{
    Sandbox sandbox;
    LumoWindowController::setAnimationsEnabled(false);
    LumoAppController app(parseCommandLine({"arvo", "--virtual-camera=arvo"}));
    app.awakeFromNib(false);
    app.applicationWillFinishLaunching(nullptr);
    LumoMainWindowController *main = app.mainWindowController();
    ASSERT_TRUE(waitUntil([&] { return main->window()->isVisible() && main->attachController(); }));
    ASSERT_TRUE(waitUntil([&] { return !app.actionController()->currentImage().isNull(); }));
    QWidget *window = GetParam().open(app);
    ASSERT_TRUE(window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    Findings found;
    collect(QAccessible::queryAccessibleInterface(window), found);
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        QAccessibleInterface *entries = QAccessible::queryAccessibleInterface(menu);
        for (int i = 0; i < entries->childCount(); ++i) {
            QAccessibleInterface *entry = entries->child(i);
            if (entry->role() != QAccessible::Separator && entry->text(QAccessible::Name).trimmed().isEmpty())
                found.unnamed << describe(entry) + QStringLiteral(" in menu ") + menu->title();
        }
    }
    EXPECT_TRUE(found.unnamed.isEmpty()) << "without a name:\n" << joined(found.unnamed).toStdString();
    EXPECT_TRUE(found.undescribed.isEmpty()) << "without a description:\n" << joined(found.undescribed).toStdString();
    EXPECT_TRUE(found.roleless.isEmpty()) << "reached by Tab, no control:\n" << joined(found.roleless).toStdString();
    LumoWindowController::setAnimationsEnabled(true);
}

INSTANTIATE_TEST_SUITE_P(
    , AccessibleWindows,
    testing::Values(WindowCase{"Camera", [](LumoAppController &app) -> QWidget * { return app.mainWindowController()->window(); }},
                    WindowCase{"Project",
                               [](LumoAppController &app) -> QWidget * {
                                   LumoMainWindowController *main = app.mainWindowController();
                                   main->setMode(Mode::ProjectMode);
                                   return main->fullWindow();
                               }},
                    WindowCase{"Review",
                               [](LumoAppController &app) -> QWidget * {
                                   // A photo, so that the strip has a cell.
                                   LumoMainWindowController *main = app.mainWindowController();
                                   NotificationRecorder saved({NotificationNames::FileDidCreate});
                                   main->takePhotoAction()->trigger();
                                   if (!saved.waitForCount(1))
                                       return nullptr;
                                   main->setMode(Mode::ReviewMode);
                                   return main->window();
                               }},
                    WindowCase{"PreferencesGeneral", preferencesOn<LumoPreferencesWindowController::GeneralItem>},
                    WindowCase{"PreferencesImage", preferencesOn<LumoPreferencesWindowController::ImageItem>},
                    WindowCase{"PreferencesSystem", preferencesOn<LumoPreferencesWindowController::SystemItem>}),
    [](const testing::TestParamInfo<WindowCase> &info) { return std::string(info.param.name); });

} // namespace
