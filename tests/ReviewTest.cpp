#include "TestSupport.h"
#include "core/DefaultsKeys.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"
#include "library/LumoImagePropertyController.h"
#include "library/LumoPhotoList.h"
#include "library/Thumbnailer.h"
#include "ui/LumoMainWindowController.h"
#include "ui/review/LumoImageView.h"
#include "ui/review/LumoMoviePlayer.h"
#include "ui/review/LumoReviewController.h"
#include "ui/review/LumoThumbnailCache.h"
#include "ui/review/ReviewTexts.h"
#include "ui/camera/LumoCameraModeControls.h"
#include "ui/widgets/LumoPopUpButton.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMediaPlayer>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

// A small photo whose pixels tell its orientation: red on the left, blue on the right.
void writePhoto(const QString &path, const QSize &size = QSize(160, 120))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width() / 2; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    ASSERT_TRUE(image.save(path, "JPG", 90)) << path.toStdString();
}

// --- The viewer's arithmetic -------------------------------------------------------------------

struct FitCase {
    QSizeF view, image;
    float fit;
};

TEST(ImageViewZoom, FitFactorIsTheSmallerRatioAndNaturalSizeIsZero)
{
    const FitCase cases[] = {
        {{800, 600}, {1600, 1200}, 0.5f},   // same aspect: both ratios agree
        {{800, 600}, {1200, 1600}, 0.375f}, // portrait in a landscape view: the height decides
        {{500, 1000}, {1000, 1000}, 0.5f},  // tall view: the width decides
        {{640, 480}, {320, 240}, 2.0f},     // a small photo is enlarged to fit
        {{800, 600}, {0, 0}, 0.0f},         // no photo: nothing to fit
        {{0, 0}, {1600, 1200}, 0.0f},       // a view not laid out yet
    };
    for (const FitCase &c : cases)
        EXPECT_FLOAT_EQ(LumoImageView::countSuitableFactor(c.view, c.image), c.fit)
            << c.view.width() << "x" << c.view.height() << " / " << c.image.width() << "x" << c.image.height();

    EXPECT_FLOAT_EQ(LumoImageView::absoluteZoom(0.0f, 0.5f), 1.0f) << "relative 0 is the natural size";
    EXPECT_FLOAT_EQ(LumoImageView::absoluteZoom(2.5f, 0.4f), 1.0f);
}

// The place line and the trash question, as the user reads them.
TEST(ReviewTexts, PlaceAndTrashQuestionSayWhatIsShownAndWhatGoes)
{
    const struct {
        const char *name;
        int row, count, selected;
        const char *text;
    } places[] = {
        {"2026-12-09_0012.jpg", 11, 300, 1, "2026-12-09_0012.jpg  ·  12 of 300"},
        {"2026-12-09_0012.jpg", 11, 300, 3, "2026-12-09_0012.jpg  ·  12 of 300  ·  3 selected"},
        {"gone.jpg", -1, 4, 1, ""},   // the file shown left the list
        {"", -1, 4, 2, "2 selected"}, // nothing on screen yet
        {"", -1, 0, 0, ""},           // an empty library
    };
    for (const auto &p : places)
        EXPECT_EQ(ReviewTexts::place(p.name, p.row, p.count, p.selected), QString::fromUtf8(p.text)) << p.name << p.row;

    const struct {
        QStringList paths;
        const char *question;
    } questions[] = {
        {{"/p/2026-12-09_0012.jpg"}, "Move “2026-12-09_0012.jpg” to the trash?"},
        {{"/p/2026-12-09_0013.mp4"}, "Move “2026-12-09_0013.mp4” to the trash?"},
        {{"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"}, "Move 3 photos to the trash?"},
        {{"/p/a.mov", "/p/b.mp4"}, "Move 2 recordings to the trash?"},
        {{"/p/a.jpg", "/p/b.mp4"}, "Move 1 photo and 1 recording to the trash?"},
        {{"/p/a.jpg", "/p/b.jpg", "/p/c.mp4", "/p/d.mp4"}, "Move 2 photos and 2 recordings to the trash?"},
    };
    for (const auto &q : questions)
        EXPECT_EQ(ReviewTexts::trashQuestion(q.paths), QString::fromUtf8(q.question)) << q.paths.join(' ').toStdString();
}

// Zoom steps are remembered per photo; the decode covers what is drawn and goes to full
// resolution only when the zoom needs it.
TEST(ImageViewZoom, RemembersEachPhotosStepAndDecodesFullResolutionOnlyWhenZoomedIn)
{
    Sandbox sandbox;
    const QString a = sandbox.path("a.jpg"), b = sandbox.path("b.jpg");
    writePhoto(a, QSize(1600, 1200));
    writePhoto(b, QSize(1600, 1200));
    LumoImagePropertyController properties;
    LumoImageView view;
    view.setPropertiesDelegate(&properties);
    view.resize(400, 300);
    view.show();
    const auto show = [&](const QString &path) {
        view.setPath(path);
        return waitUntil([&] { return !view.isLoading(); });
    };

    ASSERT_TRUE(show(a));
    EXPECT_FLOAT_EQ(view.relativeZoomFactor(), 1.0f) << "a photo seen for the first time is fitted";
    EXPECT_FLOAT_EQ(view.absoluteZoomFactor(), 0.25f);
    EXPECT_LE(view.decodedSize().width(), 400 * view.devicePixelRatioF()) << "fitted: a scaled decode";

    // A zoom keeps the photo point at the centre of the view, also after panning.
    const QPointF centre(200, 150);
    view.setZoomFactor(3.0f);
    EXPECT_EQ(view.imagePointAt(centre), QPointF(800, 600));
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->value() - 300);
    EXPECT_EQ(view.imagePointAt(centre), QPointF(400, 600));
    view.setZoomFactor(2.0f);
    EXPECT_EQ(view.imagePointAt(centre), QPointF(400, 600));
    ASSERT_TRUE(show(b));
    EXPECT_FLOAT_EQ(view.relativeZoomFactor(), 1.0f);
    ASSERT_TRUE(show(a));
    EXPECT_FLOAT_EQ(view.relativeZoomFactor(), 2.0f) << "the step photo a was left at";
    EXPECT_EQ(properties.valueForKey(ImagePropertyKeys::ZoomFactor, a).toFloat(), 2.0f);

    view.setZoomFactor(0.0f);
    EXPECT_TRUE(waitUntil([&] { return !view.isLoading() && view.decodedSize() == QSize(1600, 1200); }))
        << "natural size needs every pixel";
    EXPECT_FLOAT_EQ(view.currentZoomFactor(), 2.0f) << "the natural size does not replace the last step";

    view.setPath(QString());
    EXPECT_FALSE(view.hasImage());
}

// --- The album over a library -------------------------------------------------------------------

class Review : public testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(library);
        UserDefaults::standard()->setValue(DefaultsKeys::PhotoLibraryLocation, library);
    }
    void makeLibrary(int photos)
    {
        for (int i = 1; i <= photos; ++i)
            writePhoto(photoPath(i));
    }
    QString photoPath(int i) const { return library + QStringLiteral("/2026-12-07_%1.jpg").arg(i, 4, 10, QChar('0')); }
    void start()
    {
        main = std::make_unique<LumoMainWindowController>(nullptr, nullptr);
        main->window()->resize(900, 760);
        main->window()->show();
        main->window()->activateWindow();
        ASSERT_TRUE(waitUntil([&] { return main->window()->isActiveWindow(); })) << "shortcuts need an active window";
        main->setMode(LumoMainWindowController::ReviewMode);
        review = main->reviewController();
    }
    LumoImageView *viewer() const { return review->imageView(); }
    QWidget *strip() const { return review->browserView()->viewport(); }
    QPoint cellCentre(int row) const { return review->browserView()->visualRect(review->photoList()->index(row)).center(); }
    // Answers the alert on screen with `button`.
    bool answer(QMessageBox::StandardButton button)
    {
        if (!waitUntil([&] { return review->alert() != nullptr; }))
            return false;
        review->alert()->button(button)->click();
        return waitUntil([&] { return review->alert() == nullptr; });
    }
    QString trashed(const QString &name) const { return sandbox.path(".local/share/Trash/files/" + name); }

    Sandbox sandbox;
    const QString library = sandbox.path("Pictures/Arvo");
    std::unique_ptr<LumoMainWindowController> main;
    LumoReviewController *review = nullptr;
};

// Files the library lists but cannot show get the broken-photo placeholder; none stops the strip
// or the viewer.
TEST_F(Review, UndecodableFilesAndMoviesArePlaceholders)
{
    writePhoto(library + "/a-good.jpg");
    writeFile(library + "/b-empty.jpg", {});
    writeFile(library + "/c-text.jpg", "not a picture at all");
    QByteArray jpeg = readFile(library + "/a-good.jpg");
    writeFile(library + "/d-truncated.jpg", jpeg.left(jpeg.size() / 3));
    // A header that claims 65000 x 65000 pixels over the data of a small photo.
    const int sof = int(jpeg.indexOf("\xff\xc0"));
    ASSERT_GT(sof, 0);
    for (int at : {sof + 5, sof + 7}) {
        jpeg[at] = char(0xfd);
        jpeg[at + 1] = char(0xe8);
    }
    writeFile(library + "/e-enormous.jpg", jpeg);
    writeFile(library + "/f-movie.mov", "moov");
    start();
    LumoPhotoList *list = review->photoList();
    ASSERT_EQ(list->rowCount(), 6);

    LumoThumbnailCache *cache = review->browserView()->thumbnailCache();
    const auto state = [&](int row) {
        QImage image;
        return cache->thumbnail(list->pathOfRow(row), list->index(row).data(LumoPhotoList::SerialRole).toInt(), &image);
    };
    ASSERT_TRUE(waitUntil([&] {
        for (int row = 0; row < 6; ++row)
            if (state(row) == LumoThumbnailCache::Loading)
                return false;
        return true;
    }));
    EXPECT_EQ(state(0), LumoThumbnailCache::Ready);
    for (int row = 1; row < 6; ++row)
        EXPECT_EQ(state(row), LumoThumbnailCache::Failed) << list->pathOfRow(row).toStdString();

    // Copying a file that cannot be decoded is refused with the viewer's words and leaves the
    // clipboard as it was; a movie is copied as its file.
    QApplication::clipboard()->setText("kept");
    for (int row = 1; row < 6; ++row) {
        review->selectRow(row);
        ASSERT_TRUE(waitUntil([&] { return !viewer()->isLoading(); }));
        EXPECT_EQ(viewer()->hasImage(), row == 5) << "only the movie has a picture: its film frame";
        EXPECT_EQ(viewer()->problemText().contains(QFileInfo(list->pathOfRow(row)).fileName()), row < 5);
        review->copy();
        if (row < 5) {
            EXPECT_EQ(QApplication::clipboard()->text(), "kept");
            ASSERT_TRUE(waitUntil([&] { return review->alert() != nullptr; }));
            EXPECT_EQ(review->alert()->informativeText(), viewer()->problemText());
            ASSERT_TRUE(answer(QMessageBox::Ok));
        }
    }
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasImage());
    EXPECT_EQ(QApplication::clipboard()->mimeData()->urls().value(0), QUrl::fromLocalFile(list->pathOfRow(5)));
    // The player says at once that the damaged movie cannot be played, and offers no play.
    LumoMoviePlayer *player = review->albumView()->moviePlayer();
    EXPECT_TRUE(player->problemText().contains("f-movie.mov"));
    EXPECT_FALSE(player->playButton()->isEnabled());
    main->window()->grab(); // painting the placeholders must not fail
}

// A recording in the strip: its poster is the thumbnail, Space plays and pauses it in the player,
// a photo or camera mode stops it; it is never turned, and copy and trash take it as a file.
TEST_F(Review, RecordingPlaysAndPausesAndIsCopiedAndTrashedButNeverTurned)
{
#if defined(__SANITIZE_ADDRESS__)
    // Qt 6.4's video widget never frees the backing store of its software path, which the
    // offscreen platform takes; the leak check would report it for every movie shown.
    GTEST_SKIP() << "the video widget of Qt 6.4 leaks on the offscreen platform";
#endif
    makeLibrary(2);
    const QString movie = library + "/2026-12-07_0003.mp4";
    if (const QString why = makeMovie(movie, {{"red", 5}, {"blue", 25}}, {160, 120}, true); !why.isEmpty())
        GTEST_SKIP() << qPrintable(why);
    const QByteArray bytes = readFile(movie);
    start();
    LumoPhotoList *list = review->photoList();
    ASSERT_EQ(list->rowCount(), 3);
    LumoMoviePlayer *player = review->albumView()->moviePlayer();
    EXPECT_EQ(player->player(), nullptr) << "the media framework waits for the first movie";

    QImage poster;
    ASSERT_TRUE(waitUntil(
        [&] {
            return review->browserView()->thumbnailCache()->thumbnail(movie, list->index(2).data(LumoPhotoList::SerialRole).toInt(),
                                                                      &poster)
                   == LumoThumbnailCache::Ready;
        },
        10000));
    EXPECT_GT(qBlue(poster.pixel(3, 3)), 150) << "the poster is the frame a second in";

    QTest::mouseClick(strip(), Qt::LeftButton, {}, cellCentre(2));
    QMediaPlayer *media = player->player();
    ASSERT_NE(media, nullptr);
    EXPECT_EQ(player->path(), movie);
    EXPECT_TRUE(player->isVisible());
    EXPECT_FALSE(viewer()->isVisible());
    EXPECT_FALSE(review->rotateButton()->isEnabled());
    QTest::keyClick(main->window(), Qt::Key_R, Qt::ControlModifier);
    review->rotate(1);
    review->waitForRotations();
    EXPECT_EQ(readFile(movie), bytes) << "a movie is never turned";
    ASSERT_TRUE(waitUntil([&] { return !player->posterImage().isNull(); }, 10000));
    EXPECT_GT(qBlue(player->posterImage().pixel(3, 3)), 150) << "stopped, the viewer shows the poster";

    QTest::keyClick(main->window(), Qt::Key_Space);
    ASSERT_TRUE(waitUntil([&] { return media->position() >= 1100; }, 10000)) << "playing moves the position";
    EXPECT_EQ(media->playbackState(), QMediaPlayer::PlayingState);
    EXPECT_NE(player->timeLabel()->text(), LumoMoviePlayer::timeText(0, media->duration()));
    QTest::keyClick(main->window(), Qt::Key_Space);
    EXPECT_EQ(media->playbackState(), QMediaPlayer::PausedState);

    // A photo takes its place and stops it; so does leaving review mode.
    player->play();
    QTest::mouseClick(strip(), Qt::LeftButton, {}, cellCentre(0));
    EXPECT_EQ(media->playbackState(), QMediaPlayer::StoppedState);
    EXPECT_TRUE(viewer()->isVisible());
    EXPECT_TRUE(review->rotateButton()->isEnabled());
    QTest::mouseClick(strip(), Qt::LeftButton, {}, cellCentre(2));
    player->play();
    main->setMode(LumoMainWindowController::CameraMode);
    EXPECT_EQ(media->playbackState(), QMediaPlayer::StoppedState);
    main->setMode(LumoMainWindowController::ReviewMode);

    // Copy names the file; delete moves it to the desktop's trash.
    review->copy();
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasImage());
    EXPECT_EQ(QApplication::clipboard()->mimeData()->urls().value(0), QUrl::fromLocalFile(movie));
    review->deletePhoto();
    ASSERT_TRUE(answer(QMessageBox::Ok));
    EXPECT_FALSE(QFile::exists(movie));
    EXPECT_EQ(readFile(trashed("2026-12-07_0003.mp4")), bytes);
    EXPECT_TRUE(player->path().isEmpty());
}

// Select, turn, copy and trash as a user does, with the mouse and the keys.
TEST_F(Review, ClickSelectRotateCopyAndTrash)
{
    makeLibrary(5);
    start();
    ASSERT_EQ(review->photoList()->rowCount(), 5);

    QTest::mouseClick(strip(), Qt::LeftButton, {}, cellCentre(2));
    EXPECT_EQ(review->selectedRows(), QList<int>{2});
    EXPECT_EQ(viewer()->path(), photoPath(3));
    EXPECT_EQ(review->placeText(), "2026-12-07_0003.jpg  ·  3 of 5");

    // Ctrl+R turns every selected file right: width and height swap, the red half ends up on top.
    QTest::mouseClick(strip(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(3));
    int turned = 0;
    QObject::connect(review, &LumoReviewController::rotationFinished, [&](const QString &, bool ok) {
        ++turned;
        EXPECT_TRUE(ok);
    });
    EXPECT_EQ(review->placeText(), "2026-12-07_0003.jpg  ·  3 of 5  ·  2 selected");
    QTest::keyClick(main->window(), Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(waitUntil([&] { return turned == 2; }));
    for (int photo : {3, 4}) {
        EXPECT_EQ(Thumbnailer::uprightSize(photoPath(photo)), QSize(120, 160));
        const QImage rotated(photoPath(photo));
        EXPECT_GT(qRed(rotated.pixel(60, 20)), 200);
        EXPECT_GT(qBlue(rotated.pixel(60, 140)), 200);
    }
    EXPECT_EQ(review->selectedRows(), (QList<int>{2, 3})) << "the turned photos stay selected";
    QTest::mouseClick(strip(), Qt::LeftButton, {}, cellCentre(2));
    EXPECT_TRUE(waitUntil([&] { return viewer()->imageSize() == QSize(120, 160); })) << "the viewer shows the turned file";

    // C copies the selected photo; the clipboard names the file too.
    QTest::keyClick(strip(), Qt::Key_C);
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->hasFormat("image/png"));
    EXPECT_EQ(copied->urls().value(0), QUrl::fromLocalFile(photoPath(3)));

    // Delete asks, naming the photo; Cancel keeps it, OK moves it to the desktop's trash.
    QTest::keyClick(strip(), Qt::Key_Delete);
    ASSERT_TRUE(waitUntil([&] { return review->alert() != nullptr; }));
    EXPECT_EQ(review->alert()->text(), "Move “2026-12-07_0003.jpg” to the trash?");
    ASSERT_TRUE(answer(QMessageBox::Cancel));
    EXPECT_TRUE(QFile::exists(photoPath(3)));
    QTest::keyClick(strip(), Qt::Key_Delete);
    ASSERT_TRUE(answer(QMessageBox::Ok));
    EXPECT_FALSE(QFile::exists(photoPath(3)));
    EXPECT_TRUE(QFile::exists(trashed("2026-12-07_0003.jpg")));
    EXPECT_EQ(review->photoList()->rowCount(), 4);
    EXPECT_EQ(review->selectedRows(), QList<int>{2}) << "the next photo takes the place of the deleted one";
    EXPECT_EQ(viewer()->path(), photoPath(4));
    EXPECT_EQ(review->placeText(), "2026-12-07_0004.jpg  ·  3 of 4");
}

// The selection after deleting through the strip, in the cases users meet.
TEST_F(Review, SelectionAfterDeletingGoesToTheNeighbourAndTheLastEmptiesTheViewer)
{
    makeLibrary(5);
    start();
    // The last two (indexes 3 and 4): three photos are left, the new last one selected.
    QTest::mouseClick(strip(), Qt::LeftButton, {}, cellCentre(3));
    QTest::mouseClick(strip(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(4));
    ASSERT_EQ(review->selectedRows(), (QList<int>{3, 4}));
    QTest::keyClick(strip(), Qt::Key_Backspace);
    ASSERT_TRUE(answer(QMessageBox::Ok));
    EXPECT_EQ(review->photoList()->rowCount(), 3);
    EXPECT_EQ(review->selectedRows(), QList<int>{2});
    EXPECT_EQ(viewer()->path(), photoPath(3));

    // Down to the only photo, then that one: the viewer is emptied.
    QTest::keyClick(main->window(), Qt::Key_A, Qt::ControlModifier);
    QTest::mouseClick(strip(), Qt::LeftButton, Qt::ControlModifier, cellCentre(0));
    ASSERT_EQ(review->selectedRows(), (QList<int>{1, 2}));
    QTest::keyClick(strip(), Qt::Key_Delete);
    ASSERT_TRUE(waitUntil([&] { return review->alert() != nullptr; }));
    EXPECT_EQ(review->alert()->text(), "Move 2 photos to the trash?");
    ASSERT_TRUE(answer(QMessageBox::Ok));
    ASSERT_EQ(review->selectedRows(), QList<int>{0});
    QTest::keyClick(strip(), Qt::Key_Delete);
    ASSERT_TRUE(answer(QMessageBox::Ok));
    EXPECT_EQ(review->photoList()->rowCount(), 0);
    EXPECT_TRUE(viewer()->path().isEmpty());
    EXPECT_FALSE(viewer()->hasImage());

    // The empty library says how to take a photo, and offers no photo operation until one comes.
    const auto photoControls = [&] {
        QList<bool> enabled;
        for (QWidget *control : review->toolbarWidgets())
            if (qobject_cast<QAbstractButton *>(control))
                enabled << control->isEnabled();
        for (QAction *action : review->albumView()->contextualMenu()->actions())
            if (!action->isSeparator())
                enabled << action->isEnabled();
        enabled << main->cameraControls()->photoZoomButton()->isEnabled();
        return enabled;
    };
    EXPECT_TRUE(review->albumView()->emptyPage()->isVisible());
    EXPECT_FALSE(photoControls().contains(true));
    EXPECT_EQ(review->placeText(), "");
    writePhoto(photoPath(7));
    main->fileDidCreate(
        {NotificationNames::FileDidCreate, nullptr, {{NotificationNames::InfoKeys::FileURL, QUrl::fromLocalFile(photoPath(7))}}});
    EXPECT_TRUE(viewer()->isVisible());
    EXPECT_FALSE(photoControls().contains(false));
    EXPECT_EQ(review->placeText(), "2026-12-07_0007.jpg  ·  1 of 1");
    QTest::keyClick(strip(), Qt::Key_Delete);
    ASSERT_TRUE(answer(QMessageBox::Ok));

    // With nothing left, Delete says so and deletes nothing.
    QTest::keyClick(strip(), Qt::Key_Delete);
    ASSERT_TRUE(waitUntil([&] { return review->alert() != nullptr; }));
    EXPECT_EQ(review->alert()->text(), "Delete Error");
    ASSERT_TRUE(answer(QMessageBox::Ok));
}

// The arrow keys walk the strip and stop at its ends; the zoom pop-up shows each photo's step,
// and the wheel over the viewer steps it.
TEST_F(Review, ArrowHomeAndEndKeysWalkThePhotosAndTheZoomPopUpFollowsThePhotoShown)
{
    makeLibrary(3);
    start();
    LumoPopUpButton *zoom = main->cameraControls()->photoZoomButton();
    // The strip has the keyboard from the start: End and Home work without a click on it.
    ASSERT_EQ(QApplication::focusWidget(), review->browserView());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    EXPECT_EQ(review->selectedRows(), QList<int>{2});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    EXPECT_EQ(review->selectedRows(), QList<int>{0});
    review->selectRow(0);
    QTest::keyClick(strip(), Qt::Key_Left);
    EXPECT_EQ(review->selectedRows(), QList<int>{0}) << "nothing before the first photo";
    QTest::keyClick(strip(), Qt::Key_Right);
    QTest::keyClick(strip(), Qt::Key_Right);
    QTest::keyClick(strip(), Qt::Key_Right);
    EXPECT_EQ(review->selectedRows(), QList<int>{2}) << "nothing after the last photo";
    EXPECT_EQ(viewer()->path(), photoPath(3));
    EXPECT_EQ(zoom->indexOfSelectedItem(), 1) << "a photo seen for the first time is at 100%";

    // Two notches of the wheel: 100% -> 125% -> 150%; a sideways scroll zooms nothing.
    const auto wheel = [&](QPoint delta, QPointF at = QPointF(50, 50)) {
        QWheelEvent event(at, viewer()->viewport()->mapToGlobal(at), {}, delta, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewer()->viewport(), &event);
    };
    wheel({0, 120});
    wheel({0, 60});
    wheel({0, 60});
    wheel({120, 0});
    EXPECT_EQ(zoom->indexOfSelectedItem(), 3);
    EXPECT_FLOAT_EQ(viewer()->relativeZoomFactor(), 1.5f);
    // The wheel keeps the photo point under the mouse where it is.
    const QPointF mouse(100, 90);
    const QPointF under = viewer()->imagePointAt(mouse);
    wheel({0, 120}, mouse);
    EXPECT_FLOAT_EQ(viewer()->relativeZoomFactor(), 2.0f);
    EXPECT_NEAR(viewer()->imagePointAt(mouse).x(), under.x(), 0.2);
    EXPECT_NEAR(viewer()->imagePointAt(mouse).y(), under.y(), 0.2);

    QTest::keyClick(strip(), Qt::Key_Left);
    EXPECT_EQ(zoom->indexOfSelectedItem(), 1);
    QTest::keyClick(strip(), Qt::Key_Right);
    EXPECT_EQ(zoom->indexOfSelectedItem(), 4) << "the photo comes back at its step";
    EXPECT_FLOAT_EQ(viewer()->relativeZoomFactor(), 2.0f);

    // Whatever has the keyboard, a toolbar button included, the arrows move through the photos;
    // a click on the photo gives the keyboard to the strip.
    review->rotateButton()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(review->selectedRows(), QList<int>{1});
    QTest::mouseClick(viewer()->viewport(), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), review->browserView());

    // Back in camera mode the strip's keyboard goes to the picture: Return takes a photo.
    NotificationRecorder snapshots({NotificationNames::Snapshot});
    main->modeActions().at(LumoMainWindowController::CameraMode)->trigger();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(snapshots.names().size(), 1) << "the keyboard is with " << qPrintable(QApplication::focusWidget()->metaObject()->className());
}

// Photos copied in or taken away by other programs show in the strip; the selection never rests
// on a photo that is gone.
TEST_F(Review, OutsideChangesToTheFolderReachTheStripAndTheViewer)
{
    makeLibrary(3);
    start();
    review->selectRow(1);
    ASSERT_EQ(viewer()->path(), photoPath(2));

    QFile::copy(photoPath(1), photoPath(9));
    ASSERT_TRUE(waitUntil([&] { return review->photoList()->rowOfPath(photoPath(9)) == 3; }));
    EXPECT_EQ(review->selectedRows(), QList<int>{1}) << "an insertion keeps the selection";
    EXPECT_EQ(review->placeText(), "2026-12-07_0002.jpg  ·  2 of 4");

    QFile::remove(photoPath(2));
    ASSERT_TRUE(waitUntil([&] { return review->photoList()->rowCount() == 3; }));
    EXPECT_EQ(review->selectedRows(), QList<int>{1});
    EXPECT_EQ(viewer()->path(), photoPath(3)) << "the neighbour is shown in place of the removed photo";

    // The photo asked about goes while the question is open: the answer deletes nothing else, least
    // of all the neighbour the selection moved to.
    QTest::keyClick(strip(), Qt::Key_Delete);
    ASSERT_TRUE(waitUntil([&] { return review->alert() != nullptr; }));
    QFile::remove(photoPath(3));
    ASSERT_TRUE(waitUntil([&] { return review->photoList()->rowCount() == 2; }));
    ASSERT_EQ(viewer()->path(), photoPath(9));
    ASSERT_TRUE(answer(QMessageBox::Ok));
    EXPECT_TRUE(QFile::exists(photoPath(9)));
    EXPECT_EQ(review->photoList()->rowCount(), 2);

    // A photo saved in camera mode is selected on the next visit to review mode.
    main->setMode(LumoMainWindowController::CameraMode);
    writePhoto(photoPath(10));
    main->fileDidCreate(
        {NotificationNames::FileDidCreate, nullptr, {{NotificationNames::InfoKeys::FileURL, QUrl::fromLocalFile(photoPath(10))}}});
    main->setMode(LumoMainWindowController::ReviewMode);
    EXPECT_EQ(viewer()->path(), photoPath(10));

    // The library folder is moved away: the strip empties, and so does the viewer.
    ASSERT_TRUE(QDir().rename(library, library + "-moved"));
    ASSERT_TRUE(waitUntil([&] { return review->photoList()->rowCount() == 0; }));
    EXPECT_TRUE(viewer()->path().isEmpty());
}

} // namespace
