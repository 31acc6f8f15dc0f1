#pragma once

#include "capture/LiveFrame.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class PhotoWriter;
class UserDefaults;

// Records what the live picture shows (zoom, pan, rotation, mirroring and, through the overlay
// function, the drawing) at the camera's frame size, with sound from a microphone when there is
// one, into an MP4 file (H.264 and AAC) in the photo library. Recordings take their names and
// numbers from the photos' daily sequence ("2026-12-08_0007.mp4").
//
// The file is written in fragments, so a crash or a full disk leaves a file that plays up to
// its last second or two. Frames are handed over by the frame thread without waiting: when the
// encoder falls behind, the oldest waiting frame is dropped and counted.
//
// start(), stop() and the signals belong to the main thread; addFrame() to the frame thread.
class Recorder : public QObject {
    Q_OBJECT
public:
    // Video quality: the encoder's bit rate per pixel grows with each step.
    enum class Quality { Low = 0, Standard = 1, High = 2 };

    // Why a recording ended; endMessage() words it for the status line.
    enum class End { Stopped, CameraUnplugged, CameraChanged, Quit, DiskFull, WriteFailed };

    struct Microphone {
        QString id;          // the sound system's name of the source; empty for the default
        QString description; // for people
    };
    // The microphones the sound system lists, the default first (id empty).
    static QList<Microphone> microphones();

    // Paints over a frame at the frame's size, on the frame thread (the drawing, when photos
    // hold it). Set from the main thread; may be empty.
    using Overlay = std::function<void(QImage &picture, const LiveFrame &frame)>;

    // How recordings are made. The defaults are the application's; tests and the benchmark
    // change them.
    struct Options {
        // A pipeline description of the sound source to use instead of the microphone, such as
        // "audiotestsrc"; empty: the microphone. The environment variable
        // ARVO_RECORD_AUDIO_SOURCE sets it too.
        QString audioSource;
        // Live: frames are timed by the monotonic clock they were shown at, sound by the same
        // clock, and a frame the encoder has no room for is dropped. Not live: frames are timed
        // from the first frame's time, sound from nothing, and addFrame() waits for room, so
        // frames may come faster than real time and none is lost.
        bool live = true;
        // Frames waiting for the encoder before the oldest is dropped.
        int maxWaitingFrames = 4;
        // How long the end of a recording waits for the file to be closed.
        int endWaitMs = 2000;
    };

    // Counts of the current or last recording.
    struct Stats {
        qint64 framesGiven = 0;   // handed over by addFrame() while recording
        qint64 framesDropped = 0; // dropped because the encoder fell behind
        qint64 framesEncoded = 0; // out of the encoder
    };

    explicit Recorder(UserDefaults *defaults, QObject *parent = nullptr);
    Recorder(UserDefaults *defaults, const Options &options, QObject *parent = nullptr);
    ~Recorder() override;

    // Recordings take their names from this writer, so photos and recordings never share a
    // number; without it the recorder allocates through a writer of its own.
    void setPhotoWriter(PhotoWriter *writer);
    // Waits until a recording that is ending has closed its file, at most `timeoutMs`; true when
    // no recording is running or ending any more. Quitting calls it after stop().
    bool waitUntilFinished(int timeoutMs);
    Stats stats() const;

    // Starts recording into the library folder with the options kept in the user defaults
    // (RecordWithSound, RecordingMicrophone, RecordingQuality). Returns false, after failed()
    // says why, when nothing could be started (no picture, library folder not writable, no
    // encoder). A running recording is not restarted.
    bool start();
    // Ends a running recording; the file is complete when finished() arrives.
    void stop(End why = End::Stopped);

    bool isRecording() const;
    QString path() const;
    qint64 elapsedMs() const;
    qint64 bytesWritten() const;
    bool hasSound() const;

    // Frame thread: the newest shown frame.
    void addFrame(const LiveFrame &frame);
    void setOverlay(Overlay overlay);

    static QString endMessage(End why, const QString &fileName);

signals:
    // The file was created; `withSound` is false when no microphone could be opened (the status
    // line says so once).
    void started(const QString &path, bool withSound);
    // About every second while recording.
    void progress(qint64 elapsedMs, qint64 bytes);
    // The recording ended and `path` is closed; `message` says how, for the status line.
    void finished(const QString &path, End why, const QString &message);
    // Nothing was started, or the recording broke off before it produced a file.
    void failed(const QString &message);

private:
    void run();
    void finishRecording();

    struct Private;
    std::unique_ptr<Private> d_;
};
