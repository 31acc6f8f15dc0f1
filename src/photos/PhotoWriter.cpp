#include "PhotoWriter.h"

#include "PhotoEncoder.h"
#include "PhotoNaming.h"
#include "core/DefaultsKeys.h"
#include "core/LumoLog.h"
#include "core/MainThread.h"
#include "core/UserDefaults.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QThread>

#include <limits>

namespace {

// Number allocation is serialised process-wide, not per writer: the counter lives in the
// process-wide defaults store, and two writers saving into one folder must not pick the same
// name either.
std::mutex &allocationMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Paths handed out to saves that have not finished writing. A photo only appears on disk when
// its save commits, so the "file exists" probe alone would let a second save pick the same
// name meanwhile; the probe checks this set too. Keeping the reservation in memory instead of
// creating an empty placeholder file means a crash or a failed save can never leave a
// zero-length photo behind. Guarded by allocationMutex().
QSet<QString> &reservedPaths()
{
    static QSet<QString> paths;
    return paths;
}

bool isTaken(const QString &path)
{
    // A dangling symbolic link counts as taken: the rename that commits the photo would
    // replace it.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink() || reservedPaths().contains(path);
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

PhotoSettings PhotoSettings::fromDefaults(UserDefaults *defaults)
{
    PhotoSettings s;
    s.libraryFolder = defaults->stringForKey(DefaultsKeys::PhotoLibraryLocation);
    s.useCustomPrefix = defaults->integerForKey(DefaultsKeys::PhotoNameFormatSel, 0) != 0;
    s.customPrefix = defaults->stringForKey(DefaultsKeys::PhotoNameFormatSelPrefix);
    return s;
}

PhotoWriter::PhotoWriter(UserDefaults *defaults, Clock clock)
    : defaults_(defaults)
    , clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); }))
    , currentDay_(PhotoNaming::dayOfYear(clock_().toLocalTime().date()))
{
    // Each photo takes some tens of milliseconds; a few at once keep a burst of presses moving
    // without starving the frame thread.
    pool_.setMaxThreadCount(qMax(2, QThread::idealThreadCount()));
}

PhotoWriter::~PhotoWriter()
{
    waitForSaves();
}

void PhotoWriter::setSettings(const PhotoSettings &settings)
{
    std::lock_guard<std::mutex> lock(settingsMutex_);
    settings_ = settings;
}

PhotoSettings PhotoWriter::settings() const
{
    std::lock_guard<std::mutex> lock(settingsMutex_);
    return settings_;
}

UserDefaults *PhotoWriter::defaults() const
{
    return defaults_ ? defaults_ : UserDefaults::standard();
}

PhotoResult PhotoWriter::save(const QImage &frame, const QString &cameraModel)
{
    {
        std::lock_guard<std::mutex> lock(inFlightMutex_);
        ++inFlight_;
    }
    const PhotoResult result = write(frame, cameraModel);
    {
        std::lock_guard<std::mutex> lock(inFlightMutex_);
        --inFlight_;
    }
    inFlightDone_.notify_all();
    return result;
}

void PhotoWriter::saveAsync(const QImage &frame, const QString &cameraModel, Completion done)
{
    // The pool belongs to this writer and the destructor waits for it, so `this` outlives the
    // task.
    pool_.start([this, frame, cameraModel, done = std::move(done)] {
        const PhotoResult result = save(frame, cameraModel);
        if (done)
            queueOnMainThread([done, result] { done(result); });
    });
}

void PhotoWriter::waitForSaves()
{
    pool_.waitForDone();
    std::unique_lock<std::mutex> lock(inFlightMutex_);
    inFlightDone_.wait(lock, [this] { return inFlight_ == 0; });
}

int PhotoWriter::savesInFlight() const
{
    std::lock_guard<std::mutex> lock(inFlightMutex_);
    return inFlight_;
}

QByteArray PhotoWriter::encode(const QImage &frame, const QDateTime &captured,
                               const QString &cameraModel, QString *error)
{
    return PhotoEncoder::encodePhoto(frame, {captured, cameraModel}, error);
}

PhotoWriter::Reservation PhotoWriter::reserve(const PhotoSettings &settings, const QDateTime &now)
{
    UserDefaults *store = defaults();
    std::lock_guard<std::mutex> lock(allocationMutex());

    // The counter belongs to a day: it starts again at 1 when the day changed while running,
    // and when the stored day is another one (the application was last used on another day).
    const QDate today = now.toLocalTime().date();
    const int day = PhotoNaming::dayOfYear(today);
    if (day != currentDay_) {
        currentDay_ = day;
        store->setValue(QLatin1String(DefaultsKeys::CapturedNumber), 1);
    }
    if (store->integerForKey(QLatin1String(DefaultsKeys::PreviousDate), 0) != currentDay_) {
        store->setValue(QLatin1String(DefaultsKeys::PreviousDate), currentDay_);
        store->setValue(QLatin1String(DefaultsKeys::CapturedNumber), 1);
    }

    const QString prefix =
        PhotoNaming::photoPrefix(settings.useCustomPrefix, settings.customPrefix, today);
    const QString folder = PhotoNaming::expandedFolder(settings.libraryFolder);

    // The counter is the next number to try; a missing, zero or negative one starts at 1.
    qint64 number = store->integerForKey(QLatin1String(DefaultsKeys::CapturedNumber), 0);
    if (number < 1)
        number = 1;
    QString path = PhotoNaming::photoPath(folder, prefix, number);
    while (isTaken(path))
        path = PhotoNaming::photoPath(folder, prefix, ++number);
    reservedPaths().insert(path);

    const qint64 next = number + 1;
    store->setValue(QLatin1String(DefaultsKeys::CapturedNumber),
                    next <= std::numeric_limits<int>::max() ? int(next) : 1);
    return {path, number};
}

void PhotoWriter::release(const Reservation &reservation, bool written)
{
    UserDefaults *store = defaults();
    std::lock_guard<std::mutex> lock(allocationMutex());
    reservedPaths().remove(reservation.path);
    // A number that was never used goes back to the counter, unless a later save has already
    // moved it on, so that a failed save leaves no gap.
    if (!written
        && store->integerForKey(QLatin1String(DefaultsKeys::CapturedNumber), 0)
            == reservation.number + 1)
        store->setValue(QLatin1String(DefaultsKeys::CapturedNumber), int(reservation.number));
}

PhotoResult PhotoWriter::write(const QImage &frame, const QString &cameraModel)
{
    PhotoResult result;
    if (frame.isNull() || frame.width() <= 0 || frame.height() <= 0) {
        result.error = tr("There is no picture to save yet. Wait until the camera shows a "
                          "picture, then take the photo again.");
        return result;
    }
    LUMO_LOG("Image extent: {{0, 0}, {%d, %d}}", frame.width(), frame.height());

    const PhotoSettings settings = this->settings();
    const QString folder = PhotoNaming::expandedFolder(settings.libraryFolder);
    const QFileInfo folderInfo(folder);
    if (folder.isEmpty()) {
        result.error = tr("No photo library folder is chosen. Choose one in the preferences.");
        return result;
    }
    if (!folderInfo.exists()) {
        result.error = tr("The photo library folder \"%1\" does not exist, so the photo was not "
                          "saved. Create it or choose another folder in the preferences.")
                           .arg(shown(folder));
        return result;
    }
    if (!folderInfo.isDir()) {
        result.error = tr("\"%1\" is a file, not a folder, so the photo was not saved. Choose "
                          "another library folder in the preferences.")
                           .arg(shown(folder));
        return result;
    }

    // One moment names the photo and stamps it, so a photo taken at midnight carries the date
    // of its name.
    const QDateTime now = clock_();
    const Reservation reservation = reserve(settings, now);

    QString detail;
    const QByteArray bytes = encode(frame, now, cameraModel, &detail);
    if (bytes.isEmpty()) {
        LUMO_LOG("encoding %s failed: %s", qPrintable(reservation.path), qPrintable(detail));
        release(reservation, false);
        result.error = tr("The picture could not be turned into a photo (%1).").arg(detail);
        return result;
    }

    // QSaveFile writes a temporary file beside the photo and renames it into place on commit;
    // without commit, or on any error, the temporary file is removed and no photo appears.
    QSaveFile file(reservation.path);
    if (!file.open(QIODevice::WriteOnly)) {
        LUMO_LOG("cannot open %s: %s", qPrintable(reservation.path), qPrintable(file.errorString()));
        release(reservation, false);
        result.error = tr("The photo could not be saved in \"%1\": %2")
                           .arg(shown(folder), file.errorString());
        return result;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        LUMO_LOG("writing %s failed: %s", qPrintable(reservation.path), qPrintable(reason));
        release(reservation, false);
        result.error = tr("The photo could not be written to \"%1\": %2").arg(shown(folder), reason);
        return result;
    }
    release(reservation, true);
    result.ok = true;
    result.path = reservation.path;
    return result;
}
