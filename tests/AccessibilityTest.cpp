#include "TestSupport.h"
#include "app/CommandLine.h"
#include "app/LumoAppController.h"
#include "core/DefaultsKeys.h"
#include "core/UserDefaults.h"
#include "photos/LumoActionController.h"
#include "ui/LumoMainWindowController.h"
#include "ui/preferences/LumoPreferencesWindowController.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

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

// The names of the controls Tab visits in `window`, from the one with the focus once round.
QStringList tabChain(QWidget *window)
{
    QStringList names;
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return names;
    QWidget *first = QApplication::focusWidget();
    // A picture that takes the keyboard as it shows is no Tab stop: the round starts at the next.
    if (first && !(first->focusPolicy() & Qt::TabFocus)) {
        QTest::keyClick(first, Qt::Key_Tab);
        first = QApplication::focusWidget();
    }
    for (QWidget *at = first; at && names.size() < 80;) {
        names << QAccessible::queryAccessibleInterface(at)->text(QAccessible::Name);
        QTest::keyClick(at, Qt::Key_Tab);
        at = QApplication::focusWidget();
        if (at == first)
            break;
    }
    return names;
}

// Whether Tab, once round from the control named like order's first, visits controls named
// like the others in that order (a name matches by its start: "Zoom" is "Zoom: 100%").
bool visitsInOrder(const QStringList &chain, const QStringList &order)
{
    const auto named = [](const QString &name, const QString &start) { return name.startsWith(start); };
    const auto first = std::find_if(chain.begin(), chain.end(), [&](const QString &n) { return named(n, order.first()); });
    if (first == chain.end())
        return false;
    const qsizetype from = first - chain.begin();
    const QStringList round = chain.mid(from) + chain.mid(0, from);
    qsizetype at = 0;
    for (const QString &start : order) {
        while (at < round.size() && !named(round.at(at), start))
            ++at;
        if (at++ == round.size())
            return false;
    }
    return true;
}

QWidget *cameraWindow(LumoAppController &app) { return app.mainWindowController()->window(); }

QWidget *projectWindow(LumoAppController &app)
{
    app.mainWindowController()->setMode(Mode::ProjectMode);
    return app.mainWindowController()->fullWindow();
}

QWidget *reviewWindow(LumoAppController &app)
{
    app.mainWindowController()->setMode(Mode::ReviewMode);
    return app.mainWindowController()->window();
}

// The preferences window on one of its panes.
template<const char *Pane> QWidget *preferencesOn(LumoAppController &app)
{
    app.openPreferences();
    LumoPreferencesWindowController *preferences = app.preferencesController();
    preferences->changeView(QString::fromLatin1(Pane));
    return preferences->window();
}

struct WindowCase {
    const char *name;
    // Brings the application to the window and answers it.
    QWidget *(*open)(LumoAppController &);
    // Controls Tab visits in this order; the first has the keyboard as the window opens when
    // `firstFocused`.
    QStringList tabOrder;
    bool firstFocused = false;
};

void PrintTo(const WindowCase &c, std::ostream *os) { *os << c.name; }

class AccessibleWindows : public testing::TestWithParam<WindowCase> {};

// The whole application on a virtual camera: each window's controls, floaters, and the entries
// of its menus and pop-up buttons (walked whether shown or not) have a name and a description,
// and Tab goes through them in the window's reading order.
TEST_P(AccessibleWindows, EveryControlHasANameAndADescriptionAndTabVisitsThemInOrder)
{
    Sandbox sandbox;
    // A photo in the library, so that review mode's strip has a cell.
    const QString library = sandbox.path("Pictures/Arvo");
    ASSERT_TRUE(QDir().mkpath(library));
    UserDefaults::standard()->setValue(DefaultsKeys::PhotoLibraryLocation, library);
    QImage photo(64, 48, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    ASSERT_TRUE(photo.save(library + "/2026-12-07_0001.jpg"));
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

    const QStringList chain = tabChain(window);
    EXPECT_TRUE(visitsInOrder(chain, GetParam().tabOrder)) << "Tab visits:\n" << joined(chain).toStdString();
    if (GetParam().firstFocused && !chain.isEmpty())
        EXPECT_EQ(chain.first(), GetParam().tabOrder.first()) << "has the keyboard first";
    LumoWindowController::setAnimationsEnabled(true);
}

using Preferences = LumoPreferencesWindowController;

INSTANTIATE_TEST_SUITE_P(
    , AccessibleWindows,
    testing::Values(
        WindowCase{"Camera",
                   cameraWindow,
                   {"Camera", "Project", "Review", "Zoom", "Exposure", "Timer", "Resolution", "Mirror", "Pen", "Take Photo", "Focus"}},
        WindowCase{"Project",
                   projectWindow,
                   {"Zoom", "Exposure", "Timer", "Resolution", "Mirror", "Pen", "Line Width", "Freeze", "Start Recording", "Take Photo",
                    "Focus", "Leave Project Mode"}},
        WindowCase{"Review", reviewWindow, {"Photos", "Camera", "Zoom", "Rotate", "Show in File Manager", "Move to Trash"}, true},
        WindowCase{"PreferencesGeneral",
                   preferencesOn<Preferences::GeneralItem>,
                   {"General", "Image Adjustment", "System", "Restore its last settings", "Choose", "Record sound"}},
        WindowCase{"PreferencesImage",
                   preferencesOn<Preferences::ImageItem>,
                   {"General", "Image Adjustment", "System", "Brightness", "Sharpness", "Restore Defaults"}},
        WindowCase{"PreferencesSystem", preferencesOn<Preferences::SystemItem>, {"General", "Image Adjustment", "System"}}),
    [](const testing::TestParamInfo<WindowCase> &info) { return std::string(info.param.name); });

} // namespace
