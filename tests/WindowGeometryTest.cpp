#include "TestSupport.h"

#include "ui/LumoWindowController.h"
#include "ui/WindowGeometry.h"
#include "ui/fullscreen/FloaterGeometry.h"
#include "ui/about/LumoAboutWindowController.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace WindowGeometry;

// Screen coordinates throughout: origin bottom left, y up. Title bar 22, toolbar 30.
TEST(WindowGeometryTest, SizingRules)
{
    const QRectF screen(0, 0, 1440, 900);
    const QRectF shortScreen(0, 0, 1440, 500);
    const QRectF dockedScreen(0, 40, 1440, 860); // a panel along the bottom
    const struct {
        QRectF frame, visible;
        float viewWidth, band;
        QRectF expected;
        QSizeF aspect = StandardAspect;
    } modeChanges[] = {
        // 480 + 20 + 22 + 30 high, top edge (800) kept
        {{100, 200, 700, 600}, screen, 640, CameraBand, {100, 248, 640, 552}},
        {{100, 200, 700, 600}, screen, 640, ReviewBand, {100, 121, 640, 679}},
        // too tall: cut to the visible height, narrowed to keep 4:3
        {{100, 0, 700, 500}, shortScreen, 640, CameraBand, {100, 0, 428.f * 4 / 3, 500}},
        // the kept top edge would push the window below the visible area
        {{100, 10, 640, 300}, screen, 640, CameraBand, {100, 0, 640, 552}},
        {{100, 10, 640, 300}, dockedScreen, 640, CameraBand, {100, 40, 640, 552}},
        // a 16:9 picture: 360 + 20 + 22 + 30 high; too tall, narrowed to keep 16:9
        {{100, 200, 700, 600}, screen, 640, CameraBand, {100, 368, 640, 432}, {16, 9}},
        {{100, 0, 1400, 500}, shortScreen, 1280, CameraBand, {100, 0, 428.f * 16 / 9, 500}, {16, 9}},
    };
    for (const auto &row : modeChanges) {
        SCOPED_TRACE(row.band);
        EXPECT_EQ(modeChangeFrame(row.frame, row.visible, 22, 30, row.viewWidth, row.band, row.aspect), row.expected);
    }

    // Live resizing: the proposed height decides, up to the visible height.
    EXPECT_EQ(liveResizeSize({900, 700}, screen, 22, 30, ReviewBand), QSizeF(668, 700));
    EXPECT_EQ(liveResizeSize({1, 552}, screen, 22, 30, CameraBand), QSizeF(640, 552));
    EXPECT_EQ(liveResizeSize({900, 1000}, screen, 22, 30, CameraBand), QSizeF(1104, 900));
    EXPECT_EQ(bandForMode(0), CameraBand);
    EXPECT_EQ(bandForMode(2), ReviewBand);

    // Zooming: near the right edge the window moves left to end at the edge.
    EXPECT_EQ(zoomFrame(1000, {0, 0, 1440, 900}, screen, 22, 30, CameraBand), QRectF(336, 0, 1104, 900));
    EXPECT_EQ(zoomFrame(100, {0, 40, 1440, 600}, screen, 22, 30, CameraBand), QRectF(100, 40, 704, 600));
    // 16:9 as tall as the screen would be wider than it: as wide as the screen instead.
    EXPECT_EQ(zoomFrame(1000, {0, 0, 1440, 900}, screen, 22, 30, CameraBand, {16, 9}), QRectF(0, 0, 1440, 882));
    EXPECT_EQ(liveResizeSize({1, 432}, screen, 22, 30, CameraBand, {16, 9}), QSizeF(640, 432));

    EXPECT_EQ(minimumSize(22, 30, CameraBand), QSizeF(480, 432));
    EXPECT_EQ(minimumSize(22, 30, ReviewBand), QSizeF(480, 559));

    // The mode window hangs off the left edge, 100 below the top (752).
    EXPECT_EQ(modeWindowFrame({300, 200, 640, 552}, {60, 200}), QRectF(240, 452, 60, 200));

    // A window opened over another: centred across it, an eighth of its height below its top,
    // inside the visible area.
    EXPECT_EQ(frameOverOpener({100, 200, 800, 600}, {400, 300}, screen), QRectF(300, 425, 400, 300));
    EXPECT_EQ(frameOverOpener({-300, 700, 400, 200}, {400, 300}, screen), QRectF(0, 575, 400, 300));
    EXPECT_EQ(frameOverOpener({1200, 0, 400, 100}, {400, 1000}, screen), QRectF(1040, -100, 400, 1000));

    // A 400 x 300 pane under a 50 toolbar and a 22 title bar: the top edge stays at 900.
    EXPECT_EQ(frameForContent({100, 500, 600, 400}, {400, 300}, 50, 22), QRectF(100, 528, 400, 372));
}

TEST(WindowGeometryTest, ConversionBetweenScreenAndQtCoordinates)
{
    const QRect available(0, 30, 1440, 870); // a panel of 30 along the top
    EXPECT_EQ(toScreen({100, 30, 640, 552}, available), QRectF(100, 318, 640, 552));
    EXPECT_EQ(toQt({100, 318, 640, 552}, available), QRectF(100, 30, 640, 552));
    EXPECT_EQ(toQt({100, 0, 640, 552}, available), QRectF(100, 348, 640, 552)); // on the bottom edge
    EXPECT_EQ(visibleFrame(available), QRectF(0, 0, 1440, 870));

    const QRect secondScreen(1440, 0, 1920, 1080);
    EXPECT_EQ(toScreen({1500, 100, 800, 600}, secondScreen), QRectF(1500, 380, 800, 600));
    EXPECT_EQ(toQt(toScreen({1500, 100, 800, 600}, secondScreen), secondScreen), QRectF(1500, 100, 800, 600));

    // The window's place kept between runs: read back as written, damaged text gives nothing,
    // and a place is put on the screens there are now.
    EXPECT_EQ(parseRect(rectText({-20, 35, 900, 700})), QRect(-20, 35, 900, 700));
    for (const char *damaged : {"", "1,2,3", "a,b,c,d", "10,10,0,300", "1,2,3,4,5", "@ByteArray(x)"})
        EXPECT_TRUE(parseRect(QString::fromLatin1(damaged)).isNull()) << damaged;
    const QList<QRect> screens{available, secondScreen};
    const QSize minimum(480, 400);
    EXPECT_EQ(restoredRect({100, 100, 800, 600}, screens, minimum), QRect(100, 100, 800, 600));
    EXPECT_EQ(restoredRect({3000, 100, 800, 600}, screens, minimum), QRect(2560, 100, 800, 600)) << "off the right";
    EXPECT_EQ(restoredRect({-5000, -5000, 800, 600}, screens, minimum), QRect(0, 30, 800, 600)) << "on no screen";
    EXPECT_EQ(restoredRect({0, 0, 2000, 1000}, screens, minimum), QRect(0, 30, 1440, 870)) << "larger than it";
    EXPECT_EQ(restoredRect({10, 40, 100, 100}, screens, minimum), QRect(10, 40, 480, 400)) << "below the minimum";
    EXPECT_TRUE(restoredRect({}, screens, minimum).isNull());
}

// The floaters over a 1280 x 800 screen and an 800 x 600 window picture, origins bottom left.
TEST(FloaterGeometryTest, PlacesTheFloatersByTheirSizes)
{
    using namespace FloaterGeometry;
    const QRectF screen(0, 0, 1280, 800);
    const QRectF window(0, 0, 800, 600);
    const struct {
        Floater floater;
        QRectF parent;
        bool fullScreen;
        QSizeF size;
        QPointF expected;
    } rows[] = {
        {Floater::FocusCross, window, false, {96, 96}, {352, 252}},          // centred
        {Floater::FocusBackground, window, false, {68, 68}, {671, 2}},       // centre 95 left of R, top 70 up
        {Floater::Snapshot, window, false, {68, 68}, {671, 2}},              // on its background
        {Floater::FocusButton, window, false, {58, 58}, {676, 7}},           // same centre line, top 65 up
        {Floater::Countdown, window, false, {60, 60}, {735, 10}},            // centre 35 left of R
        {Floater::Exposure, window, false, {76, 36}, {362, 34}},             // centred across, top 70 up
        {Floater::ExposureShown, window, false, {76, 36}, {362, 54}},        // 20 higher while it shows
        {Floater::Exposure, {10, 20, 800, 600}, false, {76, 36}, {372, 54}}, // from the parent's origin
    };
    for (const auto &row : rows)
        EXPECT_EQ(origin(row.floater, row.parent, row.size, row.fullScreen), row.expected) << int(row.floater);
    // Full screen, R is the 4:3 picture's right edge (640 + 533.33); the snapshot button's centre is R - 95.
    EXPECT_NEAR(origin(Floater::Snapshot, screen, {68, 68}, true).x() + 34, 1078.33, 0.01);
    EXPECT_NEAR(origin(Floater::Countdown, screen, {60, 60}, true).x() + 30, 1138.33, 0.01);
    // A 16:9 picture fills the 16:10 screen's width, 720 high between bands of 40: R is the
    // screen's right edge, the buttons stand on the picture's bottom edge.
    EXPECT_EQ(pictureFrame(screen, true, {16, 9}), QRectF(0, 40, 1280, 720));
    EXPECT_EQ(origin(Floater::Snapshot, screen, {68, 68}, true, {16, 9}), QPointF(1151, 42));
    // On a wider screen it is as tall as the screen: 1920 wide, centred (R = 1280 + 960).
    EXPECT_NEAR(origin(Floater::Snapshot, {0, 0, 2560, 1080}, {68, 68}, true, {16, 9}).x() + 34, 2145, 0.01);

    // The strip: three items of 100, 120 and 80 with 5 between; centred, 50 below the top.
    const Row row = stripRow({100, 120, 80});
    EXPECT_EQ(row.x, QList<float>({0, 105, 230}));
    EXPECT_EQ(row.width, 310);
    EXPECT_EQ(stripRow({}).width, 0);
    EXPECT_EQ(stripOrigin(screen, {310, 30}), QPointF(485, 735));
    // On a portrait picture 675 wide it ends 8 before the close button, never past the left edge.
    EXPECT_EQ(stripOrigin({300, 0, 675, 800}, {510, 30}, 900), QPointF(382, 735));
    EXPECT_EQ(stripOrigin({300, 0, 675, 800}, {510, 30}, 760), QPointF(300, 735));
    // The close button: right edge on the background's, vertical centre 50 below the top.
    EXPECT_EQ(closeOrigin(screen, {36, 36}, QRectF(1044, 2, 68, 68)), QPointF(1076, 732));

    EXPECT_EQ(crossSize({96, 96}, 0.5f), QSizeF(24, 24));
    EXPECT_EQ(crossSize({96, 80}, 2), QSizeF(96, 80));
}

class WindowControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LumoWindowController::setAnimationsEnabled(false);
        toolbar_ = window_.addToolBar(QStringLiteral("tools"));
        toolbar_->addAction(QStringLiteral("A"));
        auto *host = new QWidget;
        auto *layout = new QVBoxLayout(host);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(first_);
        layout->addWidget(second_);
        second_->hide();
        window_.setCentralWidget(host);
        first_->setFixedSize(400, 300);
        window_.move(120, 140);
        window_.show();
        controller_.setWindow(&window_);
        controller_.setWindowToolbar(toolbar_);
    }
    void TearDown() override { LumoWindowController::setAnimationsEnabled(true); }

    QMainWindow window_;
    QToolBar *toolbar_ = nullptr;
    QWidget *first_ = new QWidget;
    QWidget *second_ = new QWidget;
    LumoWindowController controller_;
};

TEST_F(WindowControllerTest, ContentSwapKeepsTopLeftCornerAndTheToolbarCounts)
{
    EXPECT_EQ(controller_.toolbarHeight(), toolbar_->height());
    const QPoint topLeft = window_.frameGeometry().topLeft();
    second_->setFixedSize(320, 200);
    controller_.changeView(first_, second_, controller_.rectForView(second_));
    EXPECT_EQ(window_.frameGeometry().topLeft(), topLeft);
    EXPECT_EQ(window_.centralWidget()->size(), QSize(320, 200));
    EXPECT_TRUE(second_->isVisible());
    EXPECT_FALSE(first_->isVisible());

    // Animated, the swap back ends in the same place.
    LumoWindowController::setAnimationsEnabled(true);
    controller_.changeView(second_, first_, controller_.rectForView(first_));
    EXPECT_TRUE(waitUntil([&] { return !second_->isVisible() && !first_->graphicsEffect(); }));
    EXPECT_EQ(window_.frameGeometry().topLeft(), topLeft);
    EXPECT_EQ(window_.centralWidget()->size(), QSize(400, 300));

    toolbar_->hide();
    EXPECT_EQ(controller_.toolbarHeight(), 0);
    controller_.setWindowToolbar(nullptr);
    EXPECT_EQ(controller_.toolbarHeight(), 0);
}

TEST(AboutWindowTest, VersionTextsAndLinks)
{
    const struct {
        uint16_t version;
        const char *text;
    } firmware[] = {{0x0102, "1.2"}, {0x021a, "2.1a"}, {0, "0.0"}, {0xff00, "ff.0"}, {0x00ab, "0.ab"}};
    for (const auto &row : firmware)
        EXPECT_EQ(LumoAboutWindowController::firmwareVersionText(row.version), row.text);
    EXPECT_EQ(LumoAboutWindowController::firmwareVersionText(CameraPtr()), "0.0");

    for (const char *placeholder : {"", "https://arvo.example.org/help/", "http://example.com", "https://docs.example", "http://arvo.test/",
                                    "http://x.invalid", "http://localhost:8080/", "/local/path"})
        EXPECT_TRUE(LumoAboutWindowController::isPlaceholder(QUrl(placeholder))) << placeholder;
    EXPECT_FALSE(LumoAboutWindowController::isPlaceholder(QUrl("https://arvo-help.net/help/")));
    EXPECT_FALSE(LumoAboutWindowController::isPlaceholder(QUrl("https://notexample.org/")));
    EXPECT_EQ(LumoAboutWindowController::siteUrl("arvo-cams.net"), QUrl("http://arvo-cams.net"));

    // Only the real address becomes a link.
    LumoAboutWindowController about({}, {QStringLiteral("arvo.example.org"), QUrl("https://arvo-help.net/help/"), QUrl()});
    QStringList links;
    for (const QPushButton *button : about.window()->findChildren<QPushButton *>())
        links << button->objectName();
    EXPECT_EQ(links, QStringList{"helpLink"});
    EXPECT_EQ(about.window()->findChild<QLabel *>("firmwareVersion")->text(), "Camera firmware 0.0");
}

TEST(AboutWindowTest, SharedInstanceLastsUntilItsWindowCloses)
{
    // It opens over the window it is chosen from.
    QWidget opener;
    opener.setGeometry(40, 60, 400, 240);
    opener.show();
    QApplication::setActiveWindow(&opener);
    LumoAboutWindowController *first = LumoAboutWindowController::sharedInstance({});
    EXPECT_EQ(LumoAboutWindowController::sharedInstance({}), first);
    first->showWindow();
    const QRect over = opener.frameGeometry(), about = first->window()->frameGeometry();
    // Within the window manager's borders, unknown until the window is first shown.
    EXPECT_NEAR(about.center().x(), over.center().x(), 2);
    EXPECT_NEAR(about.top(), over.top() + over.height() / 8, 2);
    QPointer<LumoAboutWindowController> closed = first;
    first->window()->close();
    EXPECT_TRUE(waitUntil([&] { return closed.isNull(); }));
    LumoAboutWindowController *second = LumoAboutWindowController::sharedInstance({});
    second->window()->close();
}
