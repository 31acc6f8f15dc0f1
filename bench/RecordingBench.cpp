// A recording must keep every frame the camera sends and keep sound and picture together: a
// minute of document frames (1600x1200 at 15 frames a second, 1280x720 and 1920x1080 at 30)
// goes through the recorder in real time, with a live test tone as the microphone, and the
// file is read back with ffprobe (frames in the file against frames sent, the start of each
// stream). Its process CPU time is set against the plain encode of the same frames by x264enc
// alone, as fast as it goes. ARVO_BENCH_RECORD_SECONDS shortens the minute.

#include "BenchPages.h"
#include "BenchTable.h"
#include "capture/recording/Recorder.h"
#include "capture/recording/RecordingPipeline.h"
#include "core/DefaultsKeys.h"
#include "core/UserDefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <string>
#include <thread>

namespace {

struct Config {
    int width, height, fps;
};
constexpr Config Configs[] = {{1600, 1200, 15}, {1280, 720, 30}, {1920, 1080, 30}};

int seconds()
{
    const int s = qEnvironmentVariableIntValue("ARVO_BENCH_RECORD_SECONDS");
    return s > 0 ? s : 60;
}

// A page with a dot that moves from frame to frame, as the virtual camera shows; a second's
// worth of them, used round and round.
QVector<QImage> pageFrames(const Config &c)
{
    QImage page = BenchPages::documentFrame(c.width);
    if (page.size() != QSize(c.width, c.height))
        page = page.scaled(c.width, c.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    page = page.convertToFormat(QImage::Format_RGB32);
    QVector<QImage> frames;
    for (int i = 0; i < c.fps; ++i) {
        QImage frame = page.copy();
        QPainter painter(&frame);
        painter.setBrush(Qt::red);
        painter.drawEllipse(QPoint(c.width * (i + 1) / (c.fps + 2), c.height / 2), c.height / 20,
                            c.height / 20);
        frames << frame;
    }
    return frames;
}

struct Streams {
    int videoFrames = 0;
    double videoStart = -1, audioStart = -1;
};

Streams probe(const QString &path)
{
    QProcess ffprobe;
    ffprobe.start(QStringLiteral("ffprobe"),
                  {"-v", "error", "-count_frames", "-show_entries",
                   "stream=codec_type,start_time,nb_read_frames", "-of", "json", path});
    Streams s;
    if (!ffprobe.waitForFinished(120000))
        return s;
    const QJsonObject root = QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
    for (const QJsonValue &value : root["streams"].toArray()) {
        const QJsonObject stream = value.toObject();
        const double start = stream["start_time"].toString().toDouble();
        if (stream["codec_type"] == "video") {
            s.videoFrames = stream["nb_read_frames"].toString().toInt();
            s.videoStart = start;
        } else if (stream["codec_type"] == "audio") {
            s.audioStart = start;
        }
    }
    return s;
}

// The same frames through appsrc and x264enc alone, with the recorder's encoder settings, into
// nothing: the least a recording can cost.
void BM_RecordingEncodeBaseline(benchmark::State &state)
{
    const Config c = Configs[state.range(0)];
    const QVector<QImage> frames = pageFrames(c);
    const int count = seconds() * c.fps;
    RecordingPipeline::initialize();
    for (auto _ : state) {
        const QString description =
            QStringLiteral("appsrc name=video format=time block=true max-bytes=0 max-buffers=2 "
                           "caps=video/x-raw,format=I420,width=%1,height=%2,framerate=%3/1 "
                           "! x264enc speed-preset=superfast tune=zerolatency bitrate=%4 key-int-max=%3 "
                           "! fakesink sync=false")
                .arg(c.width)
                .arg(c.height)
                .arg(c.fps)
                .arg(int(c.width * c.height * c.fps * 0.1 / 1000));
        GstElement *pipeline = gst_parse_launch(description.toUtf8().constData(), nullptr);
        GstElement *appsrc = gst_bin_get_by_name(GST_BIN(pipeline), "video");
        gst_element_set_state(pipeline, GST_STATE_PLAYING);
        for (int i = 0; i < count; ++i) {
            const QByteArray i420 = RecordingPipeline::toI420(frames[i % frames.size()], {c.width, c.height});
            GstBuffer *buffer = gst_buffer_new_allocate(nullptr, size_t(i420.size()), nullptr);
            gst_buffer_fill(buffer, 0, i420.constData(), size_t(i420.size()));
            GST_BUFFER_PTS(buffer) = GstClockTime(i) * GST_SECOND / GstClockTime(c.fps);
            gst_app_src_push_buffer(GST_APP_SRC(appsrc), buffer);
        }
        gst_app_src_end_of_stream(GST_APP_SRC(appsrc));
        GstBus *bus = gst_element_get_bus(pipeline);
        gst_message_unref(gst_bus_timed_pop_filtered(bus, GST_CLOCK_TIME_NONE,
                                                     GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
        gst_object_unref(bus);
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(appsrc);
        gst_object_unref(pipeline);
    }
    state.counters["frames"] = count;
}

// The recorder as the application runs it: live, frames handed over at the camera's pace.
void BM_Recording(benchmark::State &state)
{
    const Config c = Configs[state.range(0)];
    const QVector<QImage> frames = pageFrames(c);
    const int count = seconds() * c.fps;
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(QStringLiteral("Arvo.conf")));
    defaults.setValue(DefaultsKeys::PhotoLibraryLocation, dir.path());
    Recorder::Options options;
    options.audioSource = QStringLiteral("audiotestsrc is-live=true");
    Streams streams;
    Recorder::Stats stats;
    for (auto _ : state) {
        Recorder recorder(&defaults, options);
        const auto period = std::chrono::nanoseconds(1'000'000'000LL / c.fps);
        auto next = std::chrono::steady_clock::now();
        recorder.addFrame(LiveFrame(frames[0], {}).stamped(next, {c.width, c.height}));
        if (!recorder.start()) {
            state.SkipWithError("the recording did not start");
            return;
        }
        for (int i = 1; i < count; ++i) {
            next += period;
            std::this_thread::sleep_until(next);
            recorder.addFrame(LiveFrame(frames[i % frames.size()], {})
                                  .stamped(LiveFrame::steadyNow(), {c.width, c.height}));
            if (i % c.fps == 0)
                QCoreApplication::processEvents();
        }
        recorder.stop();
        if (!recorder.waitUntilFinished(10000)) {
            state.SkipWithError("the recording did not end");
            return;
        }
        stats = recorder.stats();
        streams = probe(recorder.path());
        QFile::remove(recorder.path());
    }
    state.counters["sent"] = double(stats.framesGiven);
    state.counters["dropped"] = double(stats.framesDropped);
    state.counters["in_file"] = streams.videoFrames;
    state.counters["av_offset_ms"] =
        streams.audioStart < 0 ? -1.0 : qAbs(streams.videoStart - streams.audioStart) * 1000.0;
}

void configs(benchmark::internal::Benchmark *b)
{
    for (int i = 0; i < int(std::size(Configs)); ++i)
        b->Arg(i);
    b->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime()->MeasureProcessCPUTime();
}
BENCHMARK(BM_RecordingEncodeBaseline)->Apply(configs);
BENCHMARK(BM_Recording)->Apply(configs);

const bool rows = [] {
    for (int i = 0; i < int(std::size(Configs)); ++i) {
        const std::string arg = "/" + std::to_string(i) + "/iterations:1/process_time/real_time";
        // Real time is the minute itself; the CPU ratio is the figure to read.
        BenchTable::addRow("BM_Recording" + arg, "BM_RecordingEncodeBaseline" + arg, "cpu <= 1.5");
    }
    return true;
}();

} // namespace
