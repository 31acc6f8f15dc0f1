#include "Recorder.h"

#include "Mp4Fragments.h"
#include "RecordingPipeline.h"
#include "core/DefaultsKeys.h"
#include "core/LumoLog.h"
#include "core/MainThread.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/UserDefaults.h"
#include "library/LibraryFolder.h"
#include "photos/PhotoWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStorageInfo>
#include <QTimer>
#include <QUrl>

#include <gst/gst.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include <pthread.h>

namespace {

// Bits per pixel and frame of each quality step: enough for printed text to stay sharp at the
// standard step, about 2.9 Mbit/s at 1600x1200 and 15 frames a second.
double bitsPerPixel(Recorder::Quality quality)
{
    switch (quality) {
    case Recorder::Quality::Low:
        return 0.05;
    case Recorder::Quality::High:
        return 0.2;
    case Recorder::Quality::Standard:
        break;
    }
    return 0.1;
}

int64_t nanoseconds(LiveFrame::TimePoint t)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

} // namespace

// State shared by the main thread, the frame thread (addFrame) and the recorder's thread, which
// renders the queued frames, hands them to the pipeline and ends it.
struct Recorder::Private {
    UserDefaults *defaults = nullptr;
    Options options;
    PhotoWriter *writer = nullptr;
    std::unique_ptr<PhotoWriter> ownWriter;

    std::mutex mutex; // guards everything below up to `worker`
    std::condition_variable wake;
    LiveFrame newest;            // the newest frame, kept while not recording too
    int64_t frameInterval = 0;   // between the last two frames, ns
    std::deque<LiveFrame> queue; // frames waiting for the recorder's thread
    Overlay overlay;
    bool accepting = false; // addFrame() queues frames
    bool stopRequested = false;
    bool workerDone = false; // the thread has closed the file
    End why = End::Stopped;
    QString endDetail;
    Stats stats;
    std::thread worker;

    // Main thread.
    bool recording = false; // from start() to finished()
    QString path;
    bool withSound = false;
    LiveFrame::TimePoint startedAt;
    QTimer *progress = nullptr;
    std::unique_ptr<RecordingPipeline> pipeline;
    QSize size;
};

Recorder::Recorder(UserDefaults *defaults, QObject *parent) : Recorder(defaults, Options(), parent) {}

Recorder::Recorder(UserDefaults *defaults, const Options &options, QObject *parent)
    : QObject(parent), d_(std::make_unique<Private>())
{
    d_->defaults = defaults ? defaults : UserDefaults::standard();
    d_->options = options;
    if (d_->options.audioSource.isEmpty())
        d_->options.audioSource = qEnvironmentVariable("ARVO_RECORD_AUDIO_SOURCE");
    d_->progress = new QTimer(this);
    d_->progress->setInterval(1000);
    connect(d_->progress, &QTimer::timeout, this, [this] { emit progress(elapsedMs(), bytesWritten()); });
}

Recorder::~Recorder()
{
    if (d_->recording) {
        stop(End::Quit);
        waitUntilFinished(d_->options.endWaitMs + 1000);
    }
    if (d_->worker.joinable())
        d_->worker.join();
}

void Recorder::setPhotoWriter(PhotoWriter *writer)
{
    d_->writer = writer;
}

QList<Recorder::Microphone> Recorder::microphones()
{
    QList<Microphone> list{{QString(), QCoreApplication::translate("Recorder", "Default microphone")}};
    RecordingPipeline::initialize();
    GstDeviceMonitor *monitor = gst_device_monitor_new();
    gst_device_monitor_add_filter(monitor, "Audio/Source", nullptr);
    GList *devices = gst_device_monitor_get_devices(monitor);
    for (GList *item = devices; item; item = item->next) {
        auto *device = GST_DEVICE(item->data);
        // The microphone is opened through pulsesrc, which PipeWire serves too: a device that
        // names no pulsesrc device cannot be chosen.
        GstElement *element = gst_device_create_element(device, nullptr);
        if (element && g_object_class_find_property(G_OBJECT_GET_CLASS(element), "device")
            && QByteArray(G_OBJECT_TYPE_NAME(element)) == "GstPulseSrc") {
            gchar *id = nullptr;
            g_object_get(element, "device", &id, nullptr);
            gchar *name = gst_device_get_display_name(device);
            if (id && *id)
                list.append({QString::fromUtf8(id), QString::fromUtf8(name)});
            g_free(name);
            g_free(id);
        }
        if (element)
            gst_object_unref(element);
    }
    g_list_free_full(devices, gst_object_unref);
    gst_object_unref(monitor);
    return list;
}

bool Recorder::start()
{
    if (d_->recording)
        return true;
    if (d_->worker.joinable())
        d_->worker.join(); // the last recording's thread has ended: finished() came

    LiveFrame frame;
    int64_t interval = 0;
    {
        std::lock_guard<std::mutex> lock(d_->mutex);
        frame = d_->newest;
        interval = d_->frameInterval;
    }
    if (frame.isNull()) {
        emit failed(tr("There is no picture to record yet. Wait until the camera shows a picture, then "
                       "start the recording again."));
        return false;
    }
    const QString folder =
        LibraryFolder::resolve(d_->defaults->stringForKey(DefaultsKeys::PhotoLibraryLocation));
    const QFileInfo folderInfo(folder);
    if (folder.isEmpty() || !folderInfo.isDir() || !folderInfo.isWritable()) {
        emit failed(tr("The photo library folder \"%1\" cannot be written to, so nothing is recorded. "
                       "Choose another folder in the preferences.")
                        .arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    const QStringList missing = RecordingPipeline::missingElements(false);
    if (!missing.isEmpty()) {
        emit failed(tr("Recording needs GStreamer's %1, which is not installed.")
                        .arg(missing.join(QStringLiteral(", "))));
        return false;
    }

    if (!d_->writer) {
        d_->ownWriter = std::make_unique<PhotoWriter>(d_->defaults);
        d_->writer = d_->ownWriter.get();
    }
    d_->writer->setSettings(PhotoSettings::fromDefaults(d_->defaults));
    const PhotoWriter::Reservation name = d_->writer->reserveName(QStringLiteral("mp4"));

    // The size of the picture as shown now holds for the whole file; H.264 in 4:2:0 wants it even.
    const QSize shown = frame.shownSize();
    RecordingPipeline::Setup setup;
    setup.path = name.path;
    setup.size = QSize(qMax(2, shown.width() & ~1), qMax(2, shown.height() & ~1));
    setup.framesPerSecond = interval > 0 ? qBound(1, int((1'000'000'000 + interval / 2) / interval), 60) : 30;
    const auto quality =
        Quality(qBound(0, d_->defaults->integerForKey(DefaultsKeys::RecordingQuality, 1), 2));
    setup.bitrateKbps =
        int(setup.size.width() * setup.size.height() * setup.framesPerSecond * bitsPerPixel(quality) / 1000);
    setup.audioSource = d_->options.audioSource;
    setup.microphone = d_->defaults->stringForKey(DefaultsKeys::RecordingMicrophone);
    setup.live = d_->options.live;
    setup.withSound = d_->defaults->boolForKey(DefaultsKeys::RecordWithSound, true)
                      && RecordingPipeline::missingElements(true).isEmpty();

    auto pipeline = std::make_unique<RecordingPipeline>();
    Private *d = d_.get();
    pipeline->setWakeUp([d] {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->wake.notify_all();
    });
    QString error;
    bool running = pipeline->start(setup, &error);
    if (!running && setup.withSound) {
        // No sound server, or the microphone is gone: the picture alone is recorded.
        LUMO_LOG("recording without sound: %s", qPrintable(error));
        setup.withSound = false;
        running = pipeline->start(setup, &error);
    }
    if (!running) {
        LUMO_LOG("recording did not start: %s", qPrintable(error));
        QFile::remove(name.path);
        d_->writer->releaseName(name, false);
        emit failed(tr("The recording could not be started: %1").arg(error));
        return false;
    }
    d_->writer->releaseName(name, true);
    LUMO_LOG("recording %s at %dx%d, %d frames/s, %d kbit/s, %s", qPrintable(name.path), setup.size.width(),
             setup.size.height(), setup.framesPerSecond, setup.bitrateKbps,
             setup.withSound ? "with sound" : "without sound");

    d_->recording = true;
    d_->path = name.path;
    d_->withSound = setup.withSound;
    d_->size = setup.size;
    d_->startedAt = LiveFrame::steadyNow();
    d_->pipeline = std::move(pipeline);
    {
        std::lock_guard<std::mutex> lock(d_->mutex);
        d_->queue.clear();
        // The picture shown as the recording starts is its first frame.
        d_->queue.push_back(frame);
        d_->stats = Stats();
        d_->stats.framesGiven = 1;
        d_->accepting = true;
        d_->stopRequested = false;
        d_->why = End::Stopped;
    }
    // The destructor joins the thread, so `this` outlives it.
    d_->worker = std::thread([this] {
        pthread_setname_np(pthread_self(), "recorder");
        run();
    });
    d_->progress->start();
    emit started(d_->path, d_->withSound);
    return true;
}

void Recorder::stop(End why)
{
    if (!d_->recording)
        return;
    std::lock_guard<std::mutex> lock(d_->mutex);
    if (d_->stopRequested)
        return;
    d_->stopRequested = true;
    d_->accepting = false;
    d_->why = why;
    d_->wake.notify_all();
}

bool Recorder::waitUntilFinished(int timeoutMs)
{
    if (!d_->recording)
        return true;
    {
        std::unique_lock<std::mutex> lock(d_->mutex);
        if (!d_->wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return d_->workerDone; }))
            return false;
    }
    finishRecording();
    return true;
}

bool Recorder::isRecording() const
{
    return d_->recording;
}

QString Recorder::path() const
{
    return d_->path;
}

qint64 Recorder::elapsedMs() const
{
    if (!d_->recording)
        return 0;
    return std::chrono::duration_cast<std::chrono::milliseconds>(LiveFrame::steadyNow() - d_->startedAt)
        .count();
}

qint64 Recorder::bytesWritten() const
{
    return d_->path.isEmpty() ? 0 : QFileInfo(d_->path).size();
}

bool Recorder::hasSound() const
{
    return d_->recording && d_->withSound;
}

Recorder::Stats Recorder::stats() const
{
    Stats stats;
    {
        std::lock_guard<std::mutex> lock(d_->mutex);
        stats = d_->stats;
    }
    if (d_->pipeline)
        stats.framesEncoded = d_->pipeline->framesEncoded();
    return stats;
}

void Recorder::addFrame(const LiveFrame &frame)
{
    if (frame.isNull())
        return;
    std::unique_lock<std::mutex> lock(d_->mutex);
    const int64_t gap = nanoseconds(frame.shownAt()) - nanoseconds(d_->newest.shownAt());
    if (!d_->newest.isNull() && gap > 0)
        d_->frameInterval = d_->frameInterval > 0 ? (d_->frameInterval * 7 + gap) / 8 : gap;
    d_->newest = frame;
    if (!d_->accepting)
        return;
    ++d_->stats.framesGiven;
    const size_t most = size_t(qMax(1, d_->options.maxWaitingFrames));
    if (!d_->options.live) {
        d_->wake.wait(lock, [this, most] { return d_->queue.size() < most || !d_->accepting; });
        if (!d_->accepting)
            return;
    } else if (d_->queue.size() >= most) {
        // The encoder is behind: the oldest waiting frame goes, never the frame thread's time.
        d_->queue.pop_front();
        ++d_->stats.framesDropped;
    }
    d_->queue.push_back(frame);
    d_->wake.notify_all();
}

void Recorder::setOverlay(Overlay overlay)
{
    std::lock_guard<std::mutex> lock(d_->mutex);
    d_->overlay = std::move(overlay);
}

// The recorder's thread: renders each queued frame as shown, with the overlay, hands it to the
// encoder when it has room, and ends the file when asked to or when writing fails.
void Recorder::run()
{
    Private *d = d_.get();
    RecordingPipeline *pipeline = d->pipeline.get();
    const QSize size = d->size;
    const bool live = d->options.live;
    // Frames the encoder may have waiting: two keep it busy while the next one is rendered.
    constexpr int EncoderFrames = 2;
    int64_t origin = -1;
    int64_t lastPts = -1;
    QString error;
    bool noSpace = false;
    RecordingPipeline::Outcome outcome = RecordingPipeline::Outcome::Running;

    for (;;) {
        outcome = pipeline->poll(&error, &noSpace);
        if (outcome != RecordingPipeline::Outcome::Running)
            break;
        const bool room = pipeline->waitingFrames() < EncoderFrames;
        LiveFrame frame;
        Overlay overlay;
        {
            std::unique_lock<std::mutex> lock(d->mutex);
            if (d->queue.empty() && d->stopRequested)
                break;
            if (!room || d->queue.empty()) {
                d->wake.wait_for(lock, std::chrono::milliseconds(50));
                continue;
            }
            frame = d->queue.front();
            d->queue.pop_front();
            overlay = d->overlay;
            d->wake.notify_all(); // room for a frame thread waiting in addFrame()
        }

        QImage picture = frame.render();
        if (picture.isNull())
            continue; // damaged where it was not decoded for the screen
        if (overlay)
            overlay(picture, frame);

        int64_t shown = nanoseconds(frame.shownAt());
        if (shown == 0)
            shown = nanoseconds(LiveFrame::steadyNow());
        int64_t pts;
        if (live) {
            pts = pipeline->runningTime(shown);
            if (pts < 0 && lastPts >= 0)
                continue; // shown before the recording began
        } else {
            if (origin < 0)
                origin = shown;
            pts = shown - origin;
        }
        pts = qMax<int64_t>(pts, lastPts < 0 ? 0 : lastPts + 1'000'000);
        lastPts = pts;
        if (!pipeline->push(RecordingPipeline::toI420(picture, size), pts)) {
            // The pipeline stopped taking frames; poll() says why.
            std::unique_lock<std::mutex> lock(d->mutex);
            d->wake.wait_for(lock, std::chrono::milliseconds(50));
        }
    }

    if (outcome == RecordingPipeline::Outcome::Running) {
        pipeline->finish();
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(d->options.endWaitMs);
        while (outcome == RecordingPipeline::Outcome::Running
               && std::chrono::steady_clock::now() < deadline) {
            std::unique_lock<std::mutex> lock(d->mutex);
            d->wake.wait_for(lock, std::chrono::milliseconds(20));
            lock.unlock();
            outcome = pipeline->poll(&error, &noSpace);
        }
        if (outcome == RecordingPipeline::Outcome::Running)
            LUMO_LOG("the recording's end did not come within %d ms; its file ends at the last whole second",
                     d->options.endWaitMs);
    }
    const int64_t encoded = pipeline->framesEncoded();
    pipeline->close();
    const bool broken = outcome == RecordingPipeline::Outcome::Failed;
    if (broken) {
        // A fragment cut off by the failed write is left out, so every player reads what came before.
        Mp4Fragments::trimToPlayable(d->path);
        if (!noSpace) {
            const QString folder = QFileInfo(d->path).absolutePath();
            noSpace = QStorageInfo(folder).bytesAvailable() < 1024 * 1024;
        }
    }

    std::lock_guard<std::mutex> lock(d->mutex);
    d->accepting = false;
    d->queue.clear();
    d->stats.framesEncoded = encoded;
    if (broken && !d->stopRequested)
        d->why = noSpace ? End::DiskFull : End::WriteFailed;
    d->endDetail = broken ? error : QString();
    d->workerDone = true;
    d->wake.notify_all();
    QPointer<Recorder> self = this;
    queueOnMainThread([self] {
        if (self)
            self->finishRecording();
    });
}

// Main thread, once the recorder's thread is done with the file.
void Recorder::finishRecording()
{
    if (!d_->recording)
        return;
    if (d_->worker.joinable())
        d_->worker.join();
    d_->recording = false;
    d_->progress->stop();
    d_->pipeline.reset();
    End why;
    QString detail;
    Stats stats;
    {
        std::lock_guard<std::mutex> lock(d_->mutex);
        why = d_->why;
        detail = d_->endDetail;
        stats = d_->stats;
        d_->workerDone = false;
        d_->stopRequested = false;
    }
    LUMO_LOG("recording %s ended: %lld frames given, %lld dropped, %lld encoded", qPrintable(d_->path),
             qlonglong(stats.framesGiven), qlonglong(stats.framesDropped), qlonglong(stats.framesEncoded));

    QFile file(d_->path);
    const bool playable = file.open(QIODevice::ReadOnly) && Mp4Fragments::playableLength(file) > 0;
    file.close();
    if (!playable) {
        QFile::remove(d_->path);
        emit failed(tr("The recording broke off before anything was written: %1").arg(detail));
        return;
    }
    QString message = endMessage(why, QFileInfo(d_->path).fileName());
    if (why == End::WriteFailed && !detail.isEmpty())
        message += QStringLiteral(" (%1)").arg(detail);
    NotificationCenter::defaultCenter()->post(
        NotificationNames::FileDidCreate, nullptr,
        {{NotificationNames::InfoKeys::FileURL, QUrl::fromLocalFile(d_->path)}});
    emit finished(d_->path, why, message);
}

QString Recorder::endMessage(End why, const QString &fileName)
{
    switch (why) {
    case End::CameraUnplugged:
        return tr("The camera was unplugged; the recording was saved: %1").arg(fileName);
    case End::CameraChanged:
        return tr("The camera changed; the recording was saved: %1").arg(fileName);
    case End::DiskFull:
        return tr("The disk is full; the recording was saved up to there: %1").arg(fileName);
    case End::WriteFailed:
        return tr("The recording could not be written further; what was recorded was saved: %1")
            .arg(fileName);
    case End::Stopped:
    case End::Quit:
        break;
    }
    return tr("Recording saved: %1").arg(fileName);
}
