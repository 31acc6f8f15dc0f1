#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>

typedef struct _GstElement GstElement;
typedef struct _GstBus GstBus;
typedef struct _GstMessage GstMessage;

// The GStreamer pipeline of one recording:
//
//   appsrc (I420) ─ x264enc ─────────────────────────┐
//                                                    mp4mux (fragments of 1 s) ─ filesink
//   sound source ─ audioconvert ─ audioresample ─ avenc_aac ─ queue ─┘
//
// Frames arrive already converted (toI420() on the recorder's thread), so the encoder's thread
// only encodes. The muxer closes a fragment every second and the file is written unbuffered, so
// a crash leaves a file that plays up to its last whole fragment.
//
// start(), push(), finish() and close() belong to one thread (the recorder's, or the main thread
// for start()); the wake-up function is called on GStreamer's threads.
class RecordingPipeline {
public:
    struct Setup {
        QString path;
        QSize size; // of every frame, even
        int framesPerSecond = 30;
        int bitrateKbps = 4000;
        bool withSound = true;
        QString audioSource; // a pipeline description; empty: pulsesrc
        QString microphone;  // pulsesrc's device; empty: the default
        bool live = true;
    };
    enum class Outcome { Running, Ended, Failed };

    RecordingPipeline();
    ~RecordingPipeline();
    RecordingPipeline(const RecordingPipeline &) = delete;
    RecordingPipeline &operator=(const RecordingPipeline &) = delete;

    // Makes GStreamer ready; any thread, once or more.
    static void initialize();
    // The elements a recording needs that are not installed, by name; empty when all are.
    static QStringList missingElements(bool withSound);

    // Builds the pipeline and sets it playing. False, with the reason, when it does not start
    // (a sound source that cannot be opened among them); nothing is left running then.
    bool start(const Setup &setup, QString *error);
    // Called from GStreamer's threads when the encoder wants frames again, and on the end or an
    // error; set before start().
    void setWakeUp(std::function<void()> wakeUp) { wakeUp_ = std::move(wakeUp); }

    // Nanoseconds of the pipeline's running time at which monotonic time `nanoseconds` falls.
    int64_t runningTime(int64_t monotonicNanoseconds) const;
    // Frames waiting in front of the encoder.
    int waitingFrames() const;
    // Hands over one frame (I420 at the set size, from toI420()) timed `pts` ns; false when the
    // pipeline no longer takes frames.
    bool push(QByteArray frame, int64_t pts);
    // Ends both streams; the file is complete when poll() answers Ended.
    void finish();
    // Looks at what the pipeline reported: Failed with the reason (and `noSpace` when the disk
    // is full), Ended once the file is complete.
    Outcome poll(QString *error, bool *noSpace);
    // Stops everything; the file is closed.
    void close();

    int64_t framesEncoded() const { return framesEncoded_.load(); }

    // `picture` as I420 at `size`: converted as it is when it has that size, otherwise scaled to
    // fit inside it and centred on black (a turn or a resolution change while recording).
    static QByteArray toI420(const QImage &picture, const QSize &size);

private:
    void wake();

    GstElement *pipeline_ = nullptr;
    GstElement *appsrc_ = nullptr;
    GstElement *audioSource_ = nullptr;
    GstBus *bus_ = nullptr;
    int64_t baseTime_ = 0;
    std::function<void()> wakeUp_;
    std::atomic<int64_t> framesEncoded_{0};
    bool ended_ = false;
};
