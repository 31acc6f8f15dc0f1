#include "RecordingPipeline.h"

#include <QPainter>
#include <QStringList>

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>
#include <libyuv.h>

#include <mutex>

namespace {

constexpr const char *VideoElements[] = {"appsrc", "x264enc", "mp4mux", "filesink"};
constexpr const char *SoundElements[] = {"audioconvert", "audioresample", "avenc_aac", "queue"};

} // namespace

RecordingPipeline::RecordingPipeline()
{
    initialize();
}

RecordingPipeline::~RecordingPipeline()
{
    close();
}

void RecordingPipeline::initialize()
{
    static std::once_flag once;
    std::call_once(once, [] { gst_init(nullptr, nullptr); });
}

QStringList RecordingPipeline::missingElements(bool withSound)
{
    initialize();
    QStringList missing;
    auto check = [&missing](const char *name) {
        GstElementFactory *factory = gst_element_factory_find(name);
        if (factory)
            gst_object_unref(factory);
        else
            missing << QString::fromLatin1(name);
    };
    for (const char *name : VideoElements)
        check(name);
    if (withSound)
        for (const char *name : SoundElements)
            check(name);
    return missing;
}

bool RecordingPipeline::start(const Setup &setup, QString *error)
{
    close();
    ended_ = false;
    framesEncoded_ = 0;
    const QSize size = setup.size;
    const int fps = qBound(1, setup.framesPerSecond, 120);
    // zerolatency: no B-frames and no look-ahead, so the encoder keeps no frames back and a
    // crash loses no more than the fragment being written; superfast keeps two cores free
    // enough for the picture at 1600x1200. A key frame each second lets every fragment start
    // with one.
    QString description =
        QStringLiteral("appsrc name=video format=time is-live=%1 do-timestamp=false block=false "
                       "max-bytes=0 max-buffers=2 "
                       "caps=video/x-raw,format=I420,width=%2,height=%3,framerate=%4/1 "
                       "! x264enc name=encoder speed-preset=superfast tune=zerolatency bitrate=%5 "
                       "key-int-max=%4 "
                       "! mp4mux name=mux fragment-duration=1000 "
                       "! filesink name=sink buffer-mode=unbuffered sync=false async=false")
            .arg(setup.live ? QStringLiteral("true") : QStringLiteral("false"))
            .arg(size.width())
            .arg(size.height())
            .arg(fps)
            .arg(qBound(100, setup.bitrateKbps, 100000));
    if (setup.withSound) {
        const QString source =
            setup.audioSource.isEmpty() ? QStringLiteral("pulsesrc") : setup.audioSource.trimmed();
        description +=
            QStringLiteral(" %1 name=sound ! audioconvert ! audioresample ! audio/x-raw,rate=48000 "
                           "! avenc_aac ! queue ! mux.")
                .arg(source);
    }

    GError *parseError = nullptr;
    GstElement *pipeline = gst_parse_launch(description.toUtf8().constData(), &parseError);
    if (!pipeline || parseError) {
        if (error)
            *error = parseError ? QString::fromUtf8(parseError->message) : QStringLiteral("no pipeline");
        if (parseError)
            g_error_free(parseError);
        if (pipeline)
            gst_object_unref(pipeline);
        return false;
    }
    pipeline_ = pipeline;
    appsrc_ = gst_bin_get_by_name(GST_BIN(pipeline_), "video");
    audioSource_ = setup.withSound ? gst_bin_get_by_name(GST_BIN(pipeline_), "sound") : nullptr;
    GstElement *sink = gst_bin_get_by_name(GST_BIN(pipeline_), "sink");
    g_object_set(sink, "location", setup.path.toUtf8().constData(), nullptr);
    gst_object_unref(sink);
    if (audioSource_ && setup.audioSource.isEmpty() && !setup.microphone.isEmpty())
        g_object_set(audioSource_, "device", setup.microphone.toUtf8().constData(), nullptr);

    GstElement *encoder = gst_bin_get_by_name(GST_BIN(pipeline_), "encoder");
    GstPad *encoded = gst_element_get_static_pad(encoder, "src");
    gst_pad_add_probe(
        encoded, GST_PAD_PROBE_TYPE_BUFFER,
        [](GstPad *, GstPadProbeInfo *, gpointer counter) -> GstPadProbeReturn {
            ++*static_cast<std::atomic<int64_t> *>(counter);
            return GST_PAD_PROBE_OK;
        },
        &framesEncoded_, nullptr);
    gst_object_unref(encoded);
    gst_object_unref(encoder);

    GstAppSrcCallbacks callbacks{};
    callbacks.need_data = [](GstAppSrc *, guint, gpointer self) {
        static_cast<RecordingPipeline *>(self)->wake();
    };
    gst_app_src_set_callbacks(GST_APP_SRC(appsrc_), &callbacks, this, nullptr);

    bus_ = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(
        bus_,
        [](GstBus *, GstMessage *message, gpointer self) -> GstBusSyncReply {
            if (GST_MESSAGE_TYPE(message) & (GST_MESSAGE_ERROR | GST_MESSAGE_EOS))
                static_cast<RecordingPipeline *>(self)->wake();
            return GST_BUS_PASS;
        },
        this, nullptr);

    // Frames carry their times on the monotonic clock; the system clock is that clock, so the
    // pipeline keeps it even when a sound source offers its own.
    GstClock *clock = gst_system_clock_obtain();
    g_object_set(clock, "clock-type", GST_CLOCK_TYPE_MONOTONIC, nullptr);
    gst_pipeline_use_clock(GST_PIPELINE(pipeline_), clock);
    gst_object_unref(clock);

    GstStateChangeReturn change = gst_element_set_state(pipeline_, GST_STATE_PLAYING);
    if (change == GST_STATE_CHANGE_ASYNC)
        change = gst_element_get_state(pipeline_, nullptr, nullptr, 5 * GST_SECOND);
    QString failure;
    bool noSpace = false;
    if (change == GST_STATE_CHANGE_FAILURE || poll(&failure, &noSpace) == Outcome::Failed) {
        if (error)
            *error = failure.isEmpty() ? QStringLiteral("the recording pipeline did not start") : failure;
        close();
        return false;
    }
    baseTime_ = int64_t(gst_element_get_base_time(pipeline_));
    return true;
}

int64_t RecordingPipeline::runningTime(int64_t monotonicNanoseconds) const
{
    return monotonicNanoseconds - baseTime_;
}

int RecordingPipeline::waitingFrames() const
{
    return appsrc_ ? int(gst_app_src_get_current_level_buffers(GST_APP_SRC(appsrc_))) : 0;
}

bool RecordingPipeline::push(QByteArray frame, int64_t pts)
{
    if (!appsrc_ || ended_)
        return false;
    auto *kept = new QByteArray(std::move(frame));
    GstBuffer *buffer = gst_buffer_new_wrapped_full(
        GST_MEMORY_FLAG_READONLY, kept->data(), size_t(kept->size()), 0, size_t(kept->size()), kept,
        [](gpointer bytes) { delete static_cast<QByteArray *>(bytes); });
    GST_BUFFER_PTS(buffer) = GstClockTime(pts);
    GST_BUFFER_DTS(buffer) = GstClockTime(pts);
    return gst_app_src_push_buffer(GST_APP_SRC(appsrc_), buffer) == GST_FLOW_OK;
}

void RecordingPipeline::finish()
{
    if (!pipeline_)
        return;
    gst_app_src_end_of_stream(GST_APP_SRC(appsrc_));
    // A live source ends when it is sent the end itself.
    if (audioSource_)
        gst_element_send_event(audioSource_, gst_event_new_eos());
}

RecordingPipeline::Outcome RecordingPipeline::poll(QString *error, bool *noSpace)
{
    if (!bus_)
        return ended_ ? Outcome::Ended : Outcome::Failed;
    while (GstMessage *message =
               gst_bus_pop_filtered(bus_, GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_EOS))) {
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS) {
            gst_message_unref(message);
            ended_ = true;
            continue;
        }
        GError *gerror = nullptr;
        gchar *debug = nullptr;
        gst_message_parse_error(message, &gerror, &debug);
        const bool full =
            (gerror->domain == GST_RESOURCE_ERROR && gerror->code == GST_RESOURCE_ERROR_NO_SPACE_LEFT)
            || (debug && strstr(debug, "No space left"));
        if (noSpace)
            *noSpace = full;
        if (error)
            *error = QString::fromUtf8(gerror->message);
        g_error_free(gerror);
        g_free(debug);
        gst_message_unref(message);
        return Outcome::Failed;
    }
    return ended_ ? Outcome::Ended : Outcome::Running;
}

void RecordingPipeline::close()
{
    if (!pipeline_)
        return;
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    if (bus_) {
        gst_bus_set_sync_handler(bus_, nullptr, nullptr, nullptr);
        gst_object_unref(bus_);
        bus_ = nullptr;
    }
    if (audioSource_)
        gst_object_unref(audioSource_);
    audioSource_ = nullptr;
    gst_object_unref(appsrc_);
    appsrc_ = nullptr;
    gst_object_unref(pipeline_);
    pipeline_ = nullptr;
}

void RecordingPipeline::wake()
{
    if (wakeUp_)
        wakeUp_();
}

QByteArray RecordingPipeline::toI420(const QImage &picture, const QSize &size)
{
    const int width = size.width();
    const int height = size.height();
    const int chromaWidth = (width + 1) / 2;
    const int chromaHeight = (height + 1) / 2;
    QByteArray out(width * height + 2 * chromaWidth * chromaHeight, Qt::Uninitialized);
    QImage source = picture;
    if (source.size() != size) {
        QImage fitted(size, QImage::Format_RGB32);
        fitted.fill(Qt::black);
        const QSize scaled = source.size().scaled(size, Qt::KeepAspectRatio);
        QPainter painter(&fitted);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint((width - scaled.width()) / 2, (height - scaled.height()) / 2), scaled),
                          source);
        painter.end();
        source = fitted;
    }
    // libyuv's ARGB is QImage's 32-bit layout on little-endian machines.
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32)
        source = source.convertToFormat(QImage::Format_RGB32);
    auto *y = reinterpret_cast<uint8_t *>(out.data());
    uint8_t *u = y + width * height;
    uint8_t *v = u + chromaWidth * chromaHeight;
    libyuv::ARGBToI420(source.constBits(), int(source.bytesPerLine()), y, width, u, chromaWidth, v,
                       chromaWidth, width, height);
    return out;
}
