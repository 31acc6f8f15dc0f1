#include "TestSupport.h"

#include "core/NotificationNames.h"
#include "ui/shortcuts/KeyboardShortcutsWindow.h"
#include "ui/widgets/LumoButtonView.h"
#include "ui/widgets/LumoExposureButton.h"
#include "ui/widgets/LumoImages.h"
#include "ui/widgets/LumoScroller.h"
#include "ui/widgets/WidgetGeometry.h"
#include "ui/windows/LumoFloaterWindow.h"
#include "ui/windows/LumoFullWindow.h"
#include "ui/windows/LumoMainWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QTreeWidget>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct RecordingDelegate : LumoWindowDelegate {
    QStringList calls;
    void enter() override { calls << "enter"; }
    void selectAll() override { calls << "selectAll"; }
    void copyPhoto() override { calls << "copyPhoto"; }
    void zoomIn() override { calls << "zoomIn"; }
    void zoomOut() override { calls << "zoomOut"; }
    void deleteSelection() override { calls << "delete"; }
    void selectPrevious() override { calls << "selectPrevious"; }
    void selectNext() override { calls << "selectNext"; }
    void toggleControl() override { calls << "toggleControl"; }
};

} // namespace

TEST(LumoWindowTest, KeysBecomeDelegateOperations)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *operation; // empty: nothing happens
    } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, "enter"},
        {Qt::Key_Enter, Qt::KeypadModifier, "enter"},
        {Qt::Key_A, Qt::ControlModifier, "selectAll"},
        {Qt::Key_A, Qt::NoModifier, ""},
        {Qt::Key_C, Qt::NoModifier, "copyPhoto"},
        {Qt::Key_C, Qt::ControlModifier, "copyPhoto"},
        {Qt::Key_Equal, Qt::NoModifier, "zoomIn"},
        {Qt::Key_Plus, Qt::ShiftModifier, "zoomIn"},
        {Qt::Key_Minus, Qt::NoModifier, "zoomOut"},
        {Qt::Key_Delete, Qt::NoModifier, "delete"},
        {Qt::Key_Backspace, Qt::NoModifier, "delete"},
        {Qt::Key_Left, Qt::NoModifier, "selectPrevious"},
        {Qt::Key_Right, Qt::NoModifier, "selectNext"},
        {Qt::Key_X, Qt::NoModifier, ""},
        {Qt::Key_F11, Qt::NoModifier, ""},
    };
    LumoWindow window;
    RecordingDelegate delegate;
    window.setDelegate(&delegate);
    for (const auto &c : cases) {
        delegate.calls.clear();
        QTest::keyClick(&window, c.key, c.modifiers);
        EXPECT_EQ(delegate.calls.join(","), QString::fromLatin1(c.operation))
            << "key " << QKeySequence(c.key | c.modifiers).toString().toStdString();
    }
    // Without a delegate the keys are simply dropped.
    window.setDelegate(nullptr);
    QTest::keyClick(&window, Qt::Key_Return);
}

// The list is read from the window: menus in order, submenus included, actions without keys
// left out, then the window's actions in no menu and its own keys, each key once.
TEST(KeyboardShortcutsTest, ListsEveryKeyOfTheWindowGroupedByMenu)
{
    LumoWindow window;
    QMenu *file = window.menuBar()->addMenu("&File");
    file->addAction("&Take Photo")->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    file->addAction("No key");
    file->addMenu("More")->addAction("Photos at &Intervals…")->setShortcut(QKeySequence("Ctrl+I"));
    window.menuBar()->addMenu("&Empty")->addAction("Nothing");
    auto *rotate = new QAction("Rotate Right", &window);
    rotate->setShortcut(QKeySequence("Ctrl+R"));
    window.addAction(rotate);

    const auto rows = [](const QList<KeyboardShortcutsWindow::Group> &groups) {
        QStringList lines;
        for (const auto &group : groups)
            for (const auto &row : group.rows)
                lines << group.title + ": " + row.text + " = " + row.keys;
        return lines;
    };
    const QStringList listed = rows(KeyboardShortcutsWindow::collect(&window));
    EXPECT_EQ(listed.mid(0, 4), QStringList({"File: Take Photo = Return, Enter", "File: Photos at Intervals = Ctrl+I",
                                             "Other keys: Rotate Right = Ctrl+R", "Other keys: Select all photos (review) = Ctrl+A"}));
    EXPECT_TRUE(listed.contains("Other keys: Zoom in = =, +")) << qPrintable(listed.join("\n"));
    EXPECT_TRUE(listed.contains("Other keys: Project mode = F11"));
    EXPECT_FALSE(listed.join("\n").contains("Take a photo")) << "Return is listed once";

    // An action added later shows the next time the window is opened.
    KeyboardShortcutsWindow shortcuts(&window);
    window.menuBar()->addMenu("&Draw")->addAction("&Pen")->setShortcut(QKeySequence("Ctrl+Shift+P"));
    shortcuts.showAndRaise();
    const QList<QTreeWidgetItem *> pen = shortcuts.tree()->findItems("Pen", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(pen.size(), 1);
    EXPECT_EQ(pen[0]->parent()->text(0), "Draw");
    EXPECT_EQ(pen[0]->text(1), "Ctrl+Shift+P");
}

TEST(LumoWindowTest, FullWindowLeavesOnEscapeAndDoubleClickAndTogglesOnClick)
{
    NotificationRecorder recorder({NotificationNames::AppExitFullScreen, NotificationNames::MainWindowDoubleClicked});
    LumoFullWindow full;
    RecordingDelegate delegate;
    full.setDelegate(&delegate);
    full.resize(200, 100);
    full.show();

    QTest::mouseClick(&full, Qt::LeftButton);
    EXPECT_EQ(delegate.calls, QStringList{"toggleControl"});
    EXPECT_TRUE(recorder.names().isEmpty());

    QTest::keyClick(&full, Qt::Key_Escape);
    QTest::mouseDClick(&full, Qt::LeftButton);
    QTest::keyClick(&full, Qt::Key_Return);
    EXPECT_EQ(recorder.names(), QStringList({NotificationNames::AppExitFullScreen, NotificationNames::AppExitFullScreen}));
    EXPECT_EQ(delegate.calls.last(), "enter");

    recorder.clear();
    LumoMainWindow main;
    main.show();
    QTest::mouseClick(&main, Qt::LeftButton);
    QTest::mouseDClick(&main, Qt::LeftButton);
    EXPECT_EQ(recorder.names(), QStringList{NotificationNames::MainWindowDoubleClicked});
}

// Space and Return press the focused view before the window's own Return (a photo) sees them.
TEST(LumoButtonViewTest, IgnoresClicksAndKeysWhenNotRespondingButStillHovers)
{
    QWidget window;
    QAction photo(&window);
    photo.setShortcut(QKeySequence(Qt::Key_Return));
    window.addAction(&photo);
    QSignalSpy photos(&photo, &QAction::triggered);
    auto *view = new LumoButtonView(&window);
    view->resize(32, 32);
    view->setExitImage(LumoImages::named("Review-Down"));
    view->setEnterImage(LumoImages::named("Review-Up"));
    view->setShouldResponse(false);
    view->setFocusPolicy(Qt::TabFocus);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    view->setFocus();
    QSignalSpy clicked(view, &LumoButtonView::clicked);
    const auto press = [&] {
        QTest::mouseClick(view, Qt::LeftButton);
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(view, key);
    };
    press();
    EXPECT_EQ(clicked.count(), 0);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(view, &enter);
    EXPECT_EQ(view->currentImage().cacheKey(), view->enterImage().cacheKey());

    view->setShouldResponse(true);
    press();
    EXPECT_EQ(clicked.count(), 4);
    EXPECT_EQ(photos.count(), 0);
}

TEST(LumoButtonViewTest, UpWithoutEnterImageDrawsNothingOutside)
{
    LumoButtonView view;
    view.resize(32, 32);
    view.setExitImage(LumoImages::named("Camera-Down"));
    view.setIsUp(true);
    // What the view paints itself, without any window background.
    QImage drawn(view.size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    view.render(&drawn, QPoint(), QRegion(), {});
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            ASSERT_EQ(qAlpha(drawn.pixel(x, y)), 0) << x << "," << y;
}

// With the keyboard focus, Space, Return and Enter open the menu; Return is not the window's.
TEST(LumoPopUpButtonTest, KeysOpenTheMenuBeforeTheWindowsReturnShortcut)
{
    QWidget window;
    QAction photo(&window);
    photo.setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    window.addAction(&photo);
    QSignalSpy photos(&photo, &QAction::triggered);
    auto *button = new LumoPopUpButton(&window);
    button->addItem(QStringLiteral("100%"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        button->setFocus();
        bool opened = false;
        QTimer::singleShot(0, button, [&] {
            opened = QApplication::activePopupWidget() == button->popUpMenu();
            button->popUpMenu()->close();
        });
        QTest::keyClick(button, key);
        EXPECT_TRUE(waitUntil([&] { return opened; }, 1000)) << key;
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
    EXPECT_EQ(photos.count(), 0);
}

TEST(LumoPopUpButtonTest, OneCheckOnTheSelectionAndAFixedWidth)
{
    LumoPopUpButton button;
    for (const char *title : {"100%", "150%", "200%"})
        button.addItem(title);
    button.itemAtIndex(1)->setChecked(true);
    button.itemAtIndex(3)->setChecked(true);
    button.selectItemAtIndex(2);
    button.setMutexState();
    for (int i = 0; i < button.numberOfItems(); ++i)
        EXPECT_EQ(button.itemAtIndex(i)->isChecked(), i == 2) << i;
    EXPECT_EQ(button.titleOfSelectedItem(), "150%");

    // A pick in the menu leaves one mark, the owner's mutex state aside.
    button.itemAtIndex(1)->trigger();
    for (int i = 0; i < button.numberOfItems(); ++i)
        EXPECT_EQ(button.itemAtIndex(i)->isChecked(), i == 1) << i;
    button.setExclusive(false);
    button.itemAtIndex(3)->trigger();
    EXPECT_TRUE(button.itemAtIndex(1)->isChecked() && button.itemAtIndex(3)->isChecked()) << "switches";

    // As wide as the longest title, whatever the title shown.
    button.setTitleMaker([](const QString &value) { return QStringLiteral("Zoom: ") + value; });
    button.setTitle(QStringLiteral("Zoom: 200%"));
    const int width = button.sizeHint().width();
    button.setTitle(QStringLiteral("Zoom: 1%"));
    EXPECT_EQ(button.sizeHint().width(), width);
}

TEST(LumoFloaterWindowTest, ZoomScalesTheLoadedSizeAtTheSameOrigin)
{
    QWidget container;
    container.resize(400, 300);
    container.show();
    LumoFloaterWindow floater(&container);
    floater.loadFrame(QRectF(10, 20, 100, 50));
    floater.setZoomFactor(2);
    EXPECT_EQ(floater.frame(), QRectF(10, 20, 200, 100));
    // Counted from the bottom: the top edge moves up, the bottom stays 20 above the container's.
    EXPECT_EQ(floater.geometry(), QRect(10, 180, 200, 100));
    container.resize(400, 400);
    EXPECT_EQ(floater.geometry(), QRect(10, 280, 200, 100));
}

TEST(LumoExposureTest, SliderValueForPointHeights)
{
    // In order on one slider: a height outside the band keeps the last value computed.
    const struct {
        qreal y;
        int value;
    } cases[] = {{20, 0}, {63, 2}, {64, 3}, {20, 3}, {38, 0}, {178, 14}, {183, 14}, {184, 14}, {47.9, 1}};
    LumoScroller slider;
    for (const auto &c : cases)
        EXPECT_EQ(slider.valueForPoint(QPointF(70, c.y)), c.value) << "y = " << c.y;
    EXPECT_FLOAT_EQ(LumoScroller::itemLength(0, 14), 10.0f);
    EXPECT_FLOAT_EQ(LumoScroller::itemLength(3, 3), 0.0f);
}

TEST(LumoExposureTest, FacesAnswerThePopUpOperations)
{
    LumoExposureButton button;
    button.setStyle(LumoExposureButton::MenuStyle);
    ASSERT_EQ(button.numberOfItems(), 6);
    EXPECT_EQ(button.itemAtIndex(1)->text(), "+2");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(button.itemAtIndex(i)->isChecked(), i == 3) << i;

    button.setStyle(LumoExposureButton::SliderStyle);
    LumoScroller *slider = button.scroller();
    ASSERT_NE(slider, nullptr);
    button.selectItemAtIndex(4);
    EXPECT_EQ(slider->knobRect(), QRectF(68, 68, 18, 7));
    EXPECT_EQ(button.titleOfSelectedItem(), "4");

    // User changes are reported as a picked entry; no change, no report.
    QSignalSpy activated(&button, &LumoPopUpButton::activated);
    slider->defaultAct();
    button.selectItemAtIndex(15);
    QTest::keyClick(slider, Qt::Key_Up);
    button.selectItemAtIndex(1);
    QTest::keyClick(slider, Qt::Key_Down);
    EXPECT_EQ(activated.count(), 0);
    slider->defaultAct();
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 4);
}

TEST(LumoImagesTest, EveryImageRenders)
{
    const char *names[] = {"Camera-Down", "Camera-Up",   "Review-Down", "Review-Up",   "Full-Screen-Down", "Full-Screen-Up",
                           "Exposure_+2", "Exposure_+1", "Exposure_0",  "Exposure_-1", "Exposure_-2",      "ManualExposureBackground",
                           "Cursor",      "CursorOver"};
    for (const char *name : names) // an icon has the picture at every pixel ratio
        EXPECT_FALSE(LumoImages::icon(name).pixmap(16).isNull()) << name;
    EXPECT_EQ(LumoImages::named("ManualExposureBackground").deviceIndependentSize(), QSizeF(115, 202));
    EXPECT_FALSE(QIcon(":/icons/arvo.svg").pixmap(48).isNull());
}
