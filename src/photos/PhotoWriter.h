#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class UserDefaults;

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
// saveAsync() runs save() on the writer's own thread pool and delivers the result on the main
// thread. Settings may be changed from any thread; each save reads them once, under a lock.
// The destructor waits for saves in flight.
//
// Naming. The prefix is the date of the capture ("2026-12-05_") or the custom prefix plus "_".
// The counter ("LumoCapturedNumber", the next number to try) restarts at 1 with the first photo
// of a day: when the day of the year differs from the one this writer last saw, and when it
// differs from the day stored as "LumoPrivousDate" (which covers a restart on another day).
// The day is compared as day of the year only, as stored by earlier versions. A stored counter
// below 1 is taken as 1, so that numbers always start at 0001.
class PhotoWriter {
    Q_DECLARE_TR_FUNCTIONS(PhotoWriter)

public:
    using Clock = std::function<QDateTime()>;
    using Completion = std::function<void(const PhotoResult &)>;

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

    // Photos are staged in unnamed files (O_TMPFILE) where the file system has them, and in
    // named temporary files beside the photo elsewhere. Off always takes the named way, as on
    // a FAT stick or a network share. On by default.
    void setUnnamedFiles(bool on) { unnamedFiles_ = on; }

protected:
    // Makes the file's bytes: PhotoEncoder::encodePhoto. Runs on the save thread after the
    // photo's name is reserved; an empty result fails the save with `error` as the detail.
    // A subclass that overrides it must call waitForSaves() in its own destructor.
    virtual QByteArray encode(const QImage &frame, const QDateTime &captured, const QString &cameraModel,
                              QString *error);

private:
    class StagedFile;
    struct Reservation {
        QString path;
        qint64 number = 0;
    };

    UserDefaults *defaults() const;
    Reservation reserve(const PhotoSettings &settings, const QDateTime &now);
    void release(const Reservation &reservation, bool written);
    PhotoResult write(const QImage &frame, const QString &cameraModel);

    UserDefaults *defaults_;
    Clock clock_;

    mutable std::mutex settingsMutex_;
    PhotoSettings settings_;

    // Day of the year the counter belongs to; read and written under the allocation lock.
    int currentDay_;

    mutable std::mutex inFlightMutex_;
    std::condition_variable inFlightDone_;
    int inFlight_ = 0;

    std::atomic<bool> unnamedFiles_{true};

    QThreadPool pool_;
};
