// Review mode over a large library: 1,000 photos of 1600 x 1200, shown in an album offscreen.
//
//   BM_ReviewStripShown          listing the folder to the strip's first paint (goal < 0.5 s);
//                                baseline: the same over an empty folder.
//   BM_ReviewVisibleThumbnails   listing to every visible thumbnail drawn (goal < 1 s); baseline:
//                                decoding that many thumbnails one after another on one thread.
//   BM_ReviewScrollBlock         the longest the main thread worked at a stretch (its own CPU
//                                time, so that other programs on a busy machine do not count)
//                                while the whole strip scrolls by half a page per frame (goal
//                                < 16 ms; the longest wall-time gap is a counter); baseline: the
//                                same scroll once every thumbnail is in memory. Counters: resident memory after the scroll, its peak
//                                (goal < 250 MB), and the resident memory before the album.
//
// The photos are one JPEG as the application encodes it (no embedded thumbnail, so every
// thumbnail is a scaled decode), linked under 1,000 names; the files are in the page cache, as
// they are after a first look at a library.

#include "BenchPages.h"
#include "BenchTable.h"
#include "library/LumoPhotoList.h"
#include "library/Thumbnailer.h"
#include "photos/PhotoEncoder.h"
#include "ui/review/LumoAlbumView.h"
#include "ui/review/LumoImageBrowserView.h"
#include "ui/review/LumoReviewController.h"
#include "ui/review/LumoThumbnailCache.h"
#include "ui/review/LumoThumbnailDelegate.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <ctime>
#include <unistd.h>

namespace {

constexpr int PhotoCount = 1000;
const QSize AlbumSize(1024, 768);
constexpr int FrameMs = 16;

// The library folders, made once per run: `count` photos, or none.
QString library(int count)
{
    static QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("library-%1").arg(count));
    if (QDir(folder).exists())
        return folder;
    QDir().mkpath(folder);
    if (count == 0)
        return folder;
    QString error;
    const QByteArray jpeg = PhotoEncoder::encodeJpeg(BenchPages::documentFrame(1600), &error);
    const QString first = folder + QStringLiteral("/2026-12-07_0001.jpg");
    QFile file(first);
    if (jpeg.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
        std::abort();
    file.close();
    for (int i = 2; i <= count; ++i) {
        const QString name = folder + QStringLiteral("/2026-12-07_%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        if (::link(QFile::encodeName(first).constData(), QFile::encodeName(name).constData()) != 0)
            std::abort();
    }
    return folder;
}

// A field of /proc/self/status in megabytes ("VmRSS", "VmHWM").
double statusMegabytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// Turns the event loop until `done` holds; false after `timeoutMs`.
bool spin(const std::function<bool()> &done, int timeoutMs = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// Notes the first paint of a widget.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// The longest the main thread worked without coming back to its event loop, measured between the
// beats of a timer that asks to run every millisecond: in the thread's own CPU time, which a
// loaded machine does not inflate by running other programs in between, and in wall time.
class Heartbeat {
public:
    Heartbeat()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            const qint64 cpu = threadCpuNanoseconds();
            longestWall_ = std::max(longestWall_, now - lastWall_);
            longestCpu_ = std::max(longestCpu_, cpu - lastCpu_);
            lastWall_ = now;
            lastCpu_ = cpu;
        });
    }
    void start()
    {
        clock_.start();
        lastWall_ = 0;
        lastCpu_ = threadCpuNanoseconds();
        longestWall_ = longestCpu_ = 0;
        timer_.start();
    }
    double longestCpuSeconds() const { return double(longestCpu_) / 1e9; }
    double longestWallSeconds() const { return double(longestWall_) / 1e9; }

private:
    static qint64 threadCpuNanoseconds()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
    }

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastWall_ = 0, lastCpu_ = 0;
    qint64 longestWall_ = 0, longestCpu_ = 0;
};

struct Album {
    LumoReviewController review{nullptr, nullptr};
    LumoAlbumView *view() const { return review.albumView(); }
    LumoImageBrowserView *strip() const { return review.browserView(); }

    Album()
    {
        view()->resize(AlbumSize);
        review.setShown(true);
    }
    ~Album() { view()->hide(); }

    bool visibleReady() const
    {
        const auto [first, last] = strip()->visibleRows();
        if (first < 0)
            return false;
        LumoPhotoList *list = review.photoList();
        for (int row = first; row <= last; ++row) {
            QImage image;
            const int serial = list->index(row).data(LumoPhotoList::SerialRole).toInt();
            if (strip()->thumbnailCache()->thumbnail(list->pathOfRow(row), serial, &image)
                != LumoThumbnailCache::Ready)
                return false;
        }
        return true;
    }

    // Lists `folder` and shows the album; answers the seconds to the strip's first paint.
    double enter(const QString &folder)
    {
        PaintWatch watch(strip()->viewport());
        QElapsedTimer clock;
        clock.start();
        review.loadData(folder);
        view()->show();
        review.enterReviewMode();
        if (!spin([&] { return watch.painted; }))
            return -1;
        return clock.nsecsElapsed() / 1e9;
    }

    // Scrolls the strip from its start to its end, half a page per frame.
    bool scrollThrough()
    {
        QScrollBar *bar = strip()->horizontalScrollBar();
        bar->setValue(0);
        QTimer step;
        step.setInterval(FrameMs);
        QObject::connect(&step, &QTimer::timeout,
                         [bar] { bar->setValue(bar->value() + bar->pageStep() / 2); });
        step.start();
        return spin([bar] { return bar->value() >= bar->maximum(); }, 60000);
    }
};

void BM_ReviewStripShownBaseline_EmptyLibrary(benchmark::State &state)
{
    const QString folder = library(0);
    for (auto _ : state) {
        Album album;
        const double seconds = album.enter(folder);
        if (seconds < 0) {
            state.SkipWithError("the strip was never painted");
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_ReviewStripShownBaseline_EmptyLibrary)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

void BM_ReviewStripShown(benchmark::State &state)
{
    const QString folder = library(PhotoCount);
    for (auto _ : state) {
        Album album;
        const double seconds = album.enter(folder);
        if (seconds < 0 || album.review.photoList()->rowCount() != PhotoCount) {
            state.SkipWithError("the strip was never painted");
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_ReviewStripShown)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// How many cells the album shows at AlbumSize.
int visibleCount()
{
    Album album;
    album.enter(library(PhotoCount));
    const auto [first, last] = album.strip()->visibleRows();
    return last - first + 1;
}

void BM_ReviewVisibleThumbnailsBaseline_SerialDecode(benchmark::State &state)
{
    const QString folder = library(PhotoCount);
    const int count = visibleCount();
    const QSize bound = LumoThumbnailDelegate::ThumbnailBound;
    for (auto _ : state) {
        for (int i = 1; i <= count; ++i) {
            const QImage image = Thumbnailer::decodeThumbnail(
                folder + QStringLiteral("/2026-12-07_%1.jpg").arg(i, 4, 10, QLatin1Char('0')), bound);
            benchmark::DoNotOptimize(image.constBits());
        }
    }
    state.counters["thumbnails"] = count;
}
BENCHMARK(BM_ReviewVisibleThumbnailsBaseline_SerialDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReviewVisibleThumbnails(benchmark::State &state)
{
    const QString folder = library(PhotoCount);
    for (auto _ : state) {
        Album album;
        QElapsedTimer clock;
        clock.start();
        if (album.enter(folder) < 0 || !spin([&] { return album.visibleReady(); })) {
            state.SkipWithError("the visible thumbnails never came");
            break;
        }
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        const auto [first, last] = album.strip()->visibleRows();
        state.counters["thumbnails"] = last - first + 1;
    }
}
BENCHMARK(BM_ReviewVisibleThumbnails)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void scrollBlock(benchmark::State &state, bool warm)
{
    const QString folder = library(PhotoCount);
    for (auto _ : state) {
        const double before = statusMegabytes("VmRSS");
        Album album;
        if (album.enter(folder) < 0 || !spin([&] { return album.visibleReady(); })) {
            state.SkipWithError("the album never showed");
            break;
        }
        if (warm) {
            // Every thumbnail decoded first: the scroll then only paints.
            LumoPhotoList *list = album.review.photoList();
            LumoThumbnailCache *cache = album.strip()->thumbnailCache();
            for (int row = 0; row < list->rowCount(); ++row)
                cache->request(list->pathOfRow(row), 0);
            spin([&] { return cache->pendingCount() == 0; }, 120000);
        }
        Heartbeat heartbeat;
        heartbeat.start();
        if (!album.scrollThrough()) {
            state.SkipWithError("the strip did not reach its end");
            break;
        }
        spin([&] { return album.visibleReady(); });
        state.SetIterationTime(heartbeat.longestCpuSeconds());
        state.counters["longest_wall_ms"] = heartbeat.longestWallSeconds() * 1000;
        state.counters["rss_before_MB"] = before;
        state.counters["rss_MB"] = statusMegabytes("VmRSS");
        state.counters["peak_rss_MB"] = statusMegabytes("VmHWM");
        state.counters["thumbnails_cached"] = album.strip()->thumbnailCache()->cachedCount();
    }
}

void BM_ReviewScrollBlockBaseline_Warm(benchmark::State &state)
{
    scrollBlock(state, true);
}
BENCHMARK(BM_ReviewScrollBlockBaseline_Warm)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

void BM_ReviewScrollBlock(benchmark::State &state)
{
    scrollBlock(state, false);
}
BENCHMARK(BM_ReviewScrollBlock)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

const bool rows =
    BenchTable::addRow("BM_ReviewStripShown/iterations:3/manual_time",
                       "BM_ReviewStripShownBaseline_EmptyLibrary/iterations:3/manual_time", "figure < 0.5 s")
    && BenchTable::addRow("BM_ReviewVisibleThumbnails/iterations:3/manual_time",
                          "BM_ReviewVisibleThumbnailsBaseline_SerialDecode/real_time", "figure < 1 s")
    && BenchTable::addRow("BM_ReviewScrollBlock/iterations:1/manual_time",
                          "BM_ReviewScrollBlockBaseline_Warm/iterations:1/manual_time", "figure < 16 ms");

} // namespace
