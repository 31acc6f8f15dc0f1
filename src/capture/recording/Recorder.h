#pragma once

#include "capture/LiveFrame.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

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

    explicit Recorder(UserDefaults *defaults, QObject *parent = nullptr);
    ~Recorder() override;

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
    struct Private;
    std::unique_ptr<Private> d_;
};
