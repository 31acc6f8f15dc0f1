#include "library/MoviePoster.h"

#include "core/LumoLog.h"
#include "library/Thumbnailer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QtEndian>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <memory>
#include <mutex>

namespace MoviePoster {

namespace {

// The frame as QImage::Format_ARGB32 holds it in memory: 0xAARRGGBB in native byte order.
constexpr const char *FrameFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "BGRA" : "ARGB";
// playbin's flag for decoding the video stream only: sound and subtitles are never decoded.
constexpr guint PlayVideoOnly = 0x1;

bool initialise()
{
    static bool ok = false;
    static std::once_flag once;
    std::call_once(once, [] {
        GError *error = nullptr;
        ok = gst_init_check(nullptr, nullptr, &error);
        if (!ok) {
            LUMO_LOG("no movie posters: GStreamer cannot start: %s",
                     error ? error->message : "unknown error");
            g_clear_error(&error);
        }
    });
    return ok;
}

struct PipelineDeleter {
    void operator()(GstElement *pipeline) const
    {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
    }
};
using Pipeline = std::unique_ptr<GstElement, PipelineDeleter>;

struct BusDeleter {
    void operator()(GstBus *bus) const { gst_object_unref(bus); }
};
struct SampleDeleter {
    void operator()(GstSample *sample) const { gst_sample_unref(sample); }
};

// Waits until the pipeline has a frame ready after starting or seeking. False on an error, or
// when nothing came within StepTimeoutMs; `why` says which.
bool waitForFrame(GstElement *pipeline, QString *why)
{
    const std::unique_ptr<GstBus, BusDeleter> bus(gst_element_get_bus(pipeline));
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const qint64 left = StepTimeoutMs - clock.elapsed();
        if (left <= 0) {
            *why = QStringLiteral("no frame within %1 ms").arg(StepTimeoutMs);
            return false;
        }
        GstMessage *message =
            gst_bus_timed_pop_filtered(bus.get(), GstClockTime(left) * GST_MSECOND,
                                       GstMessageType(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR));
        if (!message)
            continue;
        const bool error = GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR;
        const bool done = GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline);
        if (error) {
            GError *gerror = nullptr;
            gst_message_parse_error(message, &gerror, nullptr);
            *why = QString::fromUtf8(gerror ? gerror->message : "unknown error");
            g_clear_error(&gerror);
        }
        gst_message_unref(message);
        if (error)
            return false;
        if (done)
            return true;
    }
}

// The top-level boxes are walked by their lengths until the movie header box ("moov").
bool findMovieHeader(QFile &file)
{
    const qint64 size = file.size();
    qint64 at = 0;
    for (int boxes = 0; at + 8 <= size && boxes < 100000; ++boxes) {
        if (!file.seek(at))
            return false;
        const QByteArray header = file.read(16);
        if (header.size() < 8)
            return false;
        const auto *bytes = reinterpret_cast<const uchar *>(header.constData());
        qint64 length = qFromBigEndian<quint32>(bytes);
        if (header.mid(4, 4) == "moov")
            return true;
        if (length == 1) { // a 64-bit length follows the type
            if (header.size() < 16)
                return false;
            length = qint64(qFromBigEndian<quint64>(bytes + 8));
        } else if (length == 0) { // the box runs to the end of the file
            return false;
        }
        if (length < 8)
            return false;
        at += length;
    }
    return false;
}

QImage imageOfSample(GstSample *sample)
{
    GstVideoInfo info;
    GstCaps *caps = gst_sample_get_caps(sample);
    GstBuffer *buffer = gst_sample_get_buffer(sample);
    if (!caps || !buffer || !gst_video_info_from_caps(&info, caps))
        return {};
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
        return {};
    const int width = GST_VIDEO_INFO_WIDTH(&info);
    const int height = GST_VIDEO_INFO_HEIGHT(&info);
    const int stride = GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
    QImage image;
    if (width > 0 && height > 0 && stride >= width * 4 && map.size >= gsize(stride) * gsize(height)) {
        // The view borrows the buffer; the conversion makes the copy that outlives it.
        const QImage view(map.data, width, height, stride, QImage::Format_ARGB32);
        image = view.convertToFormat(QImage::Format_RGB32);
    }
    gst_buffer_unmap(buffer, &map);
    return image;
}

} // namespace

Frame readFrame(const QString &path)
{
    Frame frame;
    const QFileInfo file(path);
    if (!file.isFile() || file.size() == 0) {
        LUMO_LOG("no poster of %s: %s", qPrintable(path), file.exists() ? "empty file" : "no such file");
        return frame;
    }
    // The demuxer's error for a file without a header can be lost in a race inside the decoder
    // bin, which then waits for ever; looking first refuses the commonest damage at once.
    if (!hasMovieHeader(path)) {
        LUMO_LOG("no poster of %s: no movie header", qPrintable(path));
        return frame;
    }
    if (!initialise())
        return frame;

    GError *error = nullptr;
    // Square pixels at the movie's own size, in the layout a QImage takes over.
    const QByteArray sinkDescription = "videoconvert ! videoscale ! appsink name=frames sync=false "
                                       "caps=video/x-raw,pixel-aspect-ratio=1/1,format="
                                       + QByteArray(FrameFormat);
    GstElement *sinkBin = gst_parse_bin_from_description(sinkDescription.constData(), TRUE, &error);
    if (!sinkBin) {
        LUMO_LOG("no poster of %s: %s", qPrintable(path), error ? error->message : "no video sink");
        g_clear_error(&error);
        return frame;
    }
    const Pipeline pipeline(gst_element_factory_make("playbin", nullptr));
    if (!pipeline) {
        gst_object_unref(gst_object_ref_sink(sinkBin));
        LUMO_LOG("no poster of %s: GStreamer's playbin is missing", qPrintable(path));
        return frame;
    }
    GstElement *appsink = gst_bin_get_by_name(GST_BIN(sinkBin), "frames");
    gchar *uri = gst_filename_to_uri(QFile::encodeName(file.absoluteFilePath()).constData(), nullptr);
    g_object_set(pipeline.get(), "uri", uri, "video-sink", sinkBin, "flags", PlayVideoOnly, nullptr);
    g_free(uri);

    QString why;
    std::unique_ptr<GstSample, SampleDeleter> sample;
    if (gst_element_set_state(pipeline.get(), GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
        // The error message on the bus says why.
        waitForFrame(pipeline.get(), &why);
    } else if (waitForFrame(pipeline.get(), &why)) {
        gint64 duration = -1;
        if (gst_element_query_duration(pipeline.get(), GST_FORMAT_TIME, &duration) && duration >= 0)
            frame.durationMs = duration / GST_MSECOND;
        // A frame from a second in says more than the first, which is often black or a title. An
        // exact seek decodes from the key frame before it: at most a few seconds of video.
        if (frame.durationMs > PosterOffsetMs
            && gst_element_seek_simple(pipeline.get(), GST_FORMAT_TIME,
                                       GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                                       PosterOffsetMs * GST_MSECOND))
            waitForFrame(pipeline.get(), &why);
        sample.reset(gst_app_sink_try_pull_preroll(GST_APP_SINK(appsink), 0));
        if (!sample && why.isEmpty())
            why = QStringLiteral("no video stream");
    }
    gst_object_unref(appsink);
    if (sample)
        frame.image = imageOfSample(sample.get());
    if (frame.image.isNull()) {
        frame.durationMs = -1;
        LUMO_LOG("no poster of %s: %s", qPrintable(path),
                 qPrintable(why.isEmpty() ? QStringLiteral("unreadable frame") : why));
    }
    return frame;
}

bool hasMovieHeader(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && findMovieHeader(file);
}

QString durationText(qint64 ms)
{
    if (ms < 0)
        return {};
    const qint64 seconds = (ms + 500) / 1000;
    const qint64 hours = seconds / 3600;
    const int minutes = int(seconds / 60 % 60);
    const int secs = int(seconds % 60);
    if (hours > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(hours)
            .arg(minutes, 2, 10, QLatin1Char('0'))
            .arg(secs, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(minutes).arg(secs, 2, 10, QLatin1Char('0'));
}

QImage withDuration(const QImage &frame, const QSize &bound, qint64 durationMs)
{
    const QSize size = Thumbnailer::thumbnailSize(frame.size(), bound);
    if (size.isEmpty())
        return {};
    QImage image =
        frame.size() == size ? frame : frame.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image = image.convertToFormat(QImage::Format_RGB32);
    const QString text = durationText(durationMs);
    if (text.isEmpty())
        return image;

    // Sized by the thumbnail, so the label reads the same at every screen scale.
    QFont font;
    font.setPixelSize(qMax(8, size.height() / 7));
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int padding = qMax(2, font.pixelSize() / 4);
    const int margin = qMax(2, size.height() / 24);
    QRect label(0, 0, metrics.horizontalAdvance(text) + 2 * padding, metrics.height());
    label.moveBottomRight(QPoint(size.width() - 1 - margin, size.height() - 1 - margin));

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 180));
    painter.drawRoundedRect(QRectF(label), padding, padding);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(label, Qt::AlignCenter, text);
    return image;
}

QImage thumbnail(const QString &path, const QSize &bound)
{
    if (bound.isEmpty())
        return {};
    const Frame frame = readFrame(path);
    return withDuration(frame.image, bound, frame.durationMs);
}

} // namespace MoviePoster
