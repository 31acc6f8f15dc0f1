#pragma once

#include "core/Delays.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class UserDefaults;
namespace PhotoEncoder {
struct EncodedFrame;
}

// Where and how photos are named; a snapshot taken by the caller from its preferences.
struct PhotoSettings {
    QString libraryFolder; // as stored; resolved by LibraryFolder::resolve()
    bool useCustomPrefix = false;
    QString customPrefix; // sanitised at each save

    // The three preference keys as stored (library location, name format, custom prefix).
    static PhotoSettings fromDefaults(UserDefaults *defaults);
};

// The outcome of one save. `path` is the photo's path when `ok`; otherwise `error` says, in the
// user's language, why no photo was written, and nothing is left on disk.
struct PhotoResult {
    bool ok = false;
    QString path;
    QString error;
};

// Turns one frame into one photo file in the library folder: picks the next free name from the
// daily counter, encodes the frame as a JPEG with its EXIF tags (PhotoEncoder) and writes it
// atomically: the bytes are written out in full first, and only then given the photo's name,
// never by replacing a file. A name taken meanwhile (by another program, or through another
// spelling of the folder) moves the photo on to the next number, so no photo is overwritten.
//
// Threads: save() runs on the calling thread and may be called from many save threads at once;
// saveAsync() runs save() on the writer's own thread pool (threads named "saves") and delivers
// the result on the main thread. Settings may be changed from any thread; each save reads them
// once, under a lock. The destructor waits for saves in flight.
//
// Memory in a burst. At most MaxDecodedFrames frames of saveAsync() are held decoded, waiting
// or being encoded; a frame beyond that is encoded on the calling thread at once and waits as
// its JPEG and thumbnail, a twentieth of the size. Presses that take the same frame (the
// same QImage data) share one encoding. When a burst has settled, memory freed by it is handed
// back to the system.
//
// Naming. The prefix is the date of the capture ("2026-12-05_") or the custom prefix plus "_".
// The counter ("LumoCapturedNumber", the next number to try) restarts at 1 with the first photo
// of a day: when the day of the year differs from the one this writer last saw, and when it
// differs from the day stored as "LumoPrivousDate" (which covers a restart on another day).
// The day is compared as day of the year only, as stored by earlier versions. A stored counter
// below 1 is taken as 1, so that numbers always start at 0001.
//
// The counter and the day are read from the store with the first photo and then kept in memory;
// they are written back CounterSettle after the last save of a burst, by flushCounter(), and by
// the destructor, so a photo costs no settings write. A stored counter that is behind after a
// crash costs nothing but a few probes: every name is checked against the folder, and a photo
// never replaces a file.
class PhotoWriter {
    Q_DECLARE_TR_FUNCTIONS(PhotoWriter)

public:
    using Clock = std::function<QDateTime()>;
    using Completion = std::function<void(const PhotoResult &)>;

    // Frames a burst keeps decoded, 7.7 MB each at 1600x1200; the rest wait compressed.
    static constexpr int MaxDecodedFrames = 2;
    // Quiet time after the last save before the counter is written and memory handed back.
    static constexpr Delays::Ms CounterSettle{1000};

    // `defaults` holds the counter and the stored day; null means UserDefaults::standard(),
    // looked up at each save. `clock` gives the capture time (local); empty means the system
    // clock. It is called from save threads, so it must be thread-safe.
    explicit PhotoWriter(UserDefaults *defaults = nullptr, Clock clock = {});
    virtual ~PhotoWriter();

    PhotoWriter(const PhotoWriter &) = delete;
    PhotoWriter &operator=(const PhotoWriter &) = delete;

    void setSettings(const PhotoSettings &settings);
    PhotoSettings settings() const;

    // Encodes and writes `frame` now, on the calling thread. `cameraModel` goes into the Model
    // tag ("Arvoscope", "Velmar Tobble"); empty leaves the tag out.
    PhotoResult save(const QImage &frame, const QString &cameraModel);

    // Runs save() on the writer's thread pool, then calls `done` on the main thread without
    // blocking the save thread. `done` may be empty.
    void saveAsync(const QImage &frame, const QString &cameraModel, Completion done);

    // Blocks until every save started so far, through either call, has finished writing (or
    // failed). The completions of saveAsync() are queued to the main thread by then, but run
    // only when its event loop gets to them. Called at exit so that no photo is lost.
    void waitForSaves();

    // Saves running now, through either call.
    int savesInFlight() const;

    // Frames of saveAsync() still waiting (or being encoded) in decoded form.
    int decodedFramesWaiting() const { return decodedFrames_.load(); }

    // Writes the counter and its day to the store now, if a save changed them.
    void flushCounter();

    // The name the next photo taken at `now` gets, as far as `defaults` and the folder tell: the
    // stored counter of that day (1 on another day), moved on past every name in use. A writer
    // stores its counter soon after its last save, and the photos it saved are in the folder,
    // so only a photo being saved at this moment can make the answer differ.
    static QString nextPhotoPath(const PhotoSettings &settings, UserDefaults *defaults, const QDateTime &now);

    // Photos are staged in unnamed files (O_TMPFILE) where the file system has them, and in
    // named temporary files beside the photo elsewhere. Off always takes the named way, as on
    // a FAT stick or a network share. On by default.
    void setUnnamedFiles(bool on) { unnamedFiles_ = on; }

    // A name of the daily sequence for a file the caller writes itself (a recording, "mp4"),
    // allocated as a photo's is: photos saved meanwhile skip its number. The name stays
    // reserved until releaseName(); `used` says the file now exists under it, otherwise the
    // number goes back to the counter. The folder is not checked.
    struct Reservation {
        QString path;
        qint64 number = 0;
    };
    Reservation reserveName(const QString &extension);
    void releaseName(const Reservation &reservation, bool used);

protected:
    // Compresses the frame: PhotoEncoder::encodeFrame. Runs once per frame, on the save thread
    // after the photo's name is reserved, or on the caller of saveAsync() when too many frames
    // wait decoded; a null result fails the save with `error` as the detail. A subclass that
    // overrides it must call waitForSaves() in its own destructor.
    virtual PhotoEncoder::EncodedFrame encodeFrame(const QImage &frame, QString *error);

private:
    class StagedFile;
    class PendingFrame;

    UserDefaults *defaults() const;
    Reservation reserve(const PhotoSettings &settings, const QString &folder, const QDateTime &now,
                        const QString &extension = QStringLiteral("jpg"));
    void release(const Reservation &reservation, bool written);
    PhotoResult save(PendingFrame &frame, const QString &cameraModel);
    PhotoResult write(PendingFrame &frame, const QString &cameraModel);
    void runCounterFlusher();

    UserDefaults *defaults_;
    Clock clock_;

    mutable std::mutex settingsMutex_;
    PhotoSettings settings_;

    // The counter as kept in memory; under the allocation lock. `currentDay_` is the day of the
    // year the counter belongs to, `storedDay_` the day as the store knows it.
    int currentDay_;
    bool counterLoaded_ = false;
    bool counterDirty_ = false;
    qint64 nextNumber_ = 1;
    int storedDay_ = 0;
    std::mutex flushMutex_; // one flush at a time, so that the store ends with the newest values

    mutable std::mutex inFlightMutex_;
    std::condition_variable inFlightDone_;
    int inFlight_ = 0;
    int queued_ = 0;        // saveAsync() calls not finished yet
    bool flushDue_ = false; // a save ended since the last flush
    bool stopping_ = false;
    std::chrono::steady_clock::time_point lastActivity_;
    std::thread flusher_; // started with the first save

    std::mutex waitingMutex_;
    QHash<qint64, std::weak_ptr<PendingFrame>> waiting_; // by QImage::cacheKey()
    std::atomic<int> decodedFrames_{0};

    std::atomic<bool> unnamedFiles_{true};

    QThreadPool pool_;
};
