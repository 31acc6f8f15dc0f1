#include "PhotoWriter.h"

#include "PhotoEncoder.h"
#include "PhotoNaming.h"
#include "core/DefaultsKeys.h"
#include "core/LumoLog.h"
#include "core/MainThread.h"
#include "core/UserDefaults.h"
#include "library/LibraryFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <malloc.h>
#include <pthread.h>
#include <unistd.h>

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

// How often a save takes the next number because its name was taken just before the commit.
constexpr int MaxNameClashes = 1000;

void nameThisThread()
{
    pthread_setname_np(pthread_self(), "saves");
}

bool isTaken(const QString &path)
{
    // A dangling symbolic link counts as taken: its name is in use, wherever it points.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink() || reservedPaths().contains(path);
}

// Photos and recordings share one number sequence: a number is free only when neither a photo
// nor a recording has it.
const char *const SequenceExtensions[] = {"jpg", "mp4"};

bool isNumberTaken(const QString &folder, const QString &prefix, qint64 number)
{
    for (const char *extension : SequenceExtensions)
        if (isTaken(PhotoNaming::photoPath(folder, prefix, number, QLatin1String(extension))))
            return true;
    return false;
}

// The first name from `number` on whose number is not taken, with `extension`. Under
// allocationMutex().
QString firstFreePath(const QString &folder, const QString &prefix, qint64 *number,
                      const QString &extension = QStringLiteral("jpg"))
{
    while (isNumberTaken(folder, prefix, *number))
        ++*number;
    return PhotoNaming::photoPath(folder, prefix, *number, extension);
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Errors that mean "this file system has no unnamed files": not supported by the file system
// (EOPNOTSUPP), or a kernel that does not know the flag and sees only O_DIRECTORY (EISDIR).
bool lacksUnnamedFiles(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Errors that mean "this file system cannot do that kind of rename or link".
bool unsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

int writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno; // the reason of the write that failed, after any short ones
        }
        data += n;
        left -= n;
    }
    // One flush to the disk, so that a photo announced as saved survives a power cut; a file
    // system that cannot flush (a pipe-like network share) is not an error.
    if (::fdatasync(fd) != 0 && errno != EINVAL && errno != EROFS)
        return errno;
    return 0;
}

} // namespace

// The bytes of one photo, written out completely before they get a name in the folder, and
// then given a name that nothing else has: never by replacing a file, so that no photo is
// lost to a name clash, whoever else writes into the folder and however it is spelled.
//
// Where the file system has them (ext4, btrfs, xfs, tmpfs) the bytes go into an unnamed file
// (O_TMPFILE), linked in under the photo's name; linkat() fails with EEXIST instead of
// replacing. Elsewhere (FAT sticks, network shares) they go into "<name>.XXXXXX" beside the
// photo, renamed with RENAME_NOREPLACE, or, where even that is missing, linked and unlinked,
// or, last, renamed onto an empty file made exclusively. Those temporary names are what
// LibraryFolder::removeLeftovers() clears at start when a save was killed half way.
class PhotoWriter::StagedFile {
public:
    StagedFile() = default;
    StagedFile(const StagedFile &) = delete;
    StagedFile &operator=(const StagedFile &) = delete;

    ~StagedFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!temporary_.isEmpty())
            ::unlink(temporary_.constData());
    }

    // Writes `bytes` into the folder of `path`. Returns 0 or the errno of the failing step.
    int stage(const QString &path, const QByteArray &bytes, bool allowUnnamed)
    {
        const QByteArray target = QFile::encodeName(path);
        if (allowUnnamed) {
            const QByteArray folder = QFile::encodeName(QFileInfo(path).path());
            fd_ = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (fd_ < 0 && !lacksUnnamedFiles(errno))
                return errno;
        }
        if (fd_ < 0) {
            // The permissions of a new file as the umask leaves them, as for the unnamed one.
            for (int attempt = 0; fd_ < 0 && attempt < 100; ++attempt) {
                temporary_ = target + '.' + randomSuffix();
                fd_ = ::open(temporary_.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
                if (fd_ < 0 && errno != EEXIST) {
                    const int error = errno;
                    temporary_.clear();
                    return error;
                }
            }
            if (fd_ < 0) {
                temporary_.clear();
                return EEXIST;
            }
        }
        const int error = writeAll(fd_, bytes);
        if (error == 0 && !temporary_.isEmpty()) {
            // A named file is complete and needs no descriptor to be renamed.
            if (::close(fd_) != 0 && errno != EINTR) {
                fd_ = -1;
                return errno;
            }
            fd_ = -1;
        }
        return error;
    }

    // Gives the staged bytes the name `path`. EEXIST: the name is taken, and nothing changed.
    int commit(const QString &path)
    {
        const QByteArray target = QFile::encodeName(path);
        if (temporary_.isEmpty()) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
            if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) == 0)
                return 0;
            if (errno != ENOENT || ::linkat(fd_, "", AT_FDCWD, target.constData(), AT_EMPTY_PATH) != 0)
                return errno; // no /proc: linking the descriptor itself needs a privilege
            return 0;
        }
        if (::renameat2(AT_FDCWD, temporary_.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE)
            == 0)
            return done();
        if (!unsupported(errno))
            return errno;
        if (::link(temporary_.constData(), target.constData()) == 0) {
            ::unlink(temporary_.constData());
            return done();
        }
        if (!unsupported(errno))
            return errno;
        // No exclusive rename and no links (FAT): the name is claimed by creating it
        // exclusively, and only that empty file of our own is replaced.
        const int claim = ::open(target.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (claim < 0)
            return errno;
        ::close(claim);
        if (::rename(temporary_.constData(), target.constData()) != 0) {
            const int error = errno;
            ::unlink(target.constData());
            return error;
        }
        return done();
    }

private:
    int done()
    {
        temporary_.clear();
        return 0;
    }

    static QByteArray randomSuffix()
    {
        static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        QByteArray suffix(6, '0');
        for (char &c : suffix)
            c = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        return suffix;
    }

    int fd_ = -1;
    QByteArray temporary_; // the named temporary file while it exists
};

// One frame to be saved, shared by the saves that took it. It is compressed once, by the first
// save that needs it (or by saveAsync() when too many frames wait decoded); the decoded frame
// is let go as soon as it is, and counted in `decodedCount` until then.
class PhotoWriter::PendingFrame {
public:
    PendingFrame(const QImage &frame, std::atomic<int> *decodedCount)
        : frame_(frame), size_(frame.size()), decodedCount_(decodedCount)
    {
        if (decodedCount_)
            ++*decodedCount_;
    }
    ~PendingFrame() { dropFrame(); }
    PendingFrame(const PendingFrame &) = delete;
    PendingFrame &operator=(const PendingFrame &) = delete;

    QSize size() const { return size_; }

    // The frame's encoding, made by `writer` on the first call; null on failure, with the
    // reason in `error`.
    PhotoEncoder::EncodedFrame encoded(PhotoWriter &writer, QString *error)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!done_) {
            encoded_ = writer.encodeFrame(frame_, &error_);
            done_ = true;
            dropFrame();
        }
        if (encoded_.isNull() && error)
            *error = error_;
        return encoded_;
    }

private:
    void dropFrame()
    {
        frame_ = QImage();
        if (decodedCount_) {
            --*decodedCount_;
            decodedCount_ = nullptr;
        }
    }

    std::mutex mutex_;
    QImage frame_;
    const QSize size_;
    std::atomic<int> *decodedCount_;
    bool done_ = false;
    PhotoEncoder::EncodedFrame encoded_;
    QString error_;
};

PhotoSettings PhotoSettings::fromDefaults(UserDefaults *defaults)
{
    PhotoSettings s;
    s.libraryFolder = defaults->stringForKey(DefaultsKeys::PhotoLibraryLocation);
    s.useCustomPrefix = defaults->integerForKey(DefaultsKeys::PhotoNameFormatSel, 0) != 0;
    s.customPrefix = defaults->stringForKey(DefaultsKeys::PhotoNameFormatSelPrefix);
    return s;
}

QString PhotoWriter::nextPhotoPath(const PhotoSettings &settings, UserDefaults *defaults,
                                   const QDateTime &now)
{
    const QDate today = now.toLocalTime().date();
    qint64 number = 1;
    if (defaults->integerForKey(QLatin1String(DefaultsKeys::PreviousDate), 0)
        == PhotoNaming::dayOfYear(today))
        number = qMax<qint64>(defaults->integerForKey(QLatin1String(DefaultsKeys::CapturedNumber), 0), 1);
    const QString prefix = PhotoNaming::photoPrefix(settings.useCustomPrefix, settings.customPrefix, today);
    std::lock_guard<std::mutex> lock(allocationMutex());
    return firstFreePath(LibraryFolder::resolve(settings.libraryFolder), prefix, &number);
}

PhotoWriter::PhotoWriter(UserDefaults *defaults, Clock clock)
    : defaults_(defaults),
      clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); })),
      currentDay_(PhotoNaming::dayOfYear(clock_().toLocalTime().date()))
{
    // Each photo takes some tens of milliseconds; a few at once keep a burst of presses moving
    // without starving the frame thread.
    pool_.setMaxThreadCount(qMax(2, QThread::idealThreadCount()));
}

PhotoWriter::~PhotoWriter()
{
    waitForSaves();
    {
        std::lock_guard<std::mutex> lock(inFlightMutex_);
        stopping_ = true;
    }
    inFlightDone_.notify_all();
    if (flusher_.joinable())
        flusher_.join();
    flushCounter();
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
    PendingFrame pending(frame, nullptr);
    return save(pending, cameraModel);
}

PhotoResult PhotoWriter::save(PendingFrame &frame, const QString &cameraModel)
{
    {
        std::lock_guard<std::mutex> lock(inFlightMutex_);
        ++inFlight_;
        lastActivity_ = std::chrono::steady_clock::now();
        if (!flusher_.joinable() && !stopping_)
            flusher_ = std::thread([this] { runCounterFlusher(); });
    }
    const PhotoResult result = write(frame, cameraModel);
    {
        std::lock_guard<std::mutex> lock(inFlightMutex_);
        --inFlight_;
        flushDue_ = true;
        lastActivity_ = std::chrono::steady_clock::now();
    }
    inFlightDone_.notify_all();
    return result;
}

void PhotoWriter::saveAsync(const QImage &frame, const QString &cameraModel, Completion done)
{
    std::shared_ptr<PendingFrame> pending;
    bool compressNow = false;
    {
        std::lock_guard<std::mutex> lock(waitingMutex_);
        const qint64 key = frame.cacheKey();
        pending = waiting_.value(key).lock();
        if (!pending) {
            pending = std::make_shared<PendingFrame>(frame, &decodedFrames_);
            compressNow = decodedFrames_.load() > MaxDecodedFrames;
            for (auto it = waiting_.begin(); it != waiting_.end();)
                it = it->expired() ? waiting_.erase(it) : std::next(it);
            waiting_.insert(key, pending);
        }
    }
    {
        std::lock_guard<std::mutex> lock(inFlightMutex_);
        ++queued_;
        lastActivity_ = std::chrono::steady_clock::now();
    }
    // The save threads are behind: this frame waits as its JPEG, not as its pixels.
    if (compressNow)
        pending->encoded(*this, nullptr);

    // The pool belongs to this writer and the destructor waits for it, so `this` outlives the
    // task. The task lets go of the frame before it ends, so none outlives the wait.
    pool_.start([this, pending, cameraModel, done = std::move(done)]() mutable {
        nameThisThread();
        const PhotoResult result = save(*pending, cameraModel);
        pending.reset();
        {
            std::lock_guard<std::mutex> lock(inFlightMutex_);
            --queued_;
        }
        inFlightDone_.notify_all();
        if (done)
            queueOnMainThread([done, result] { done(result); });
    });
}

void PhotoWriter::waitForSaves()
{
    pool_.waitForDone();
    std::unique_lock<std::mutex> lock(inFlightMutex_);
    inFlightDone_.wait(lock, [this] { return inFlight_ == 0 && queued_ == 0; });
}

int PhotoWriter::savesInFlight() const
{
    std::lock_guard<std::mutex> lock(inFlightMutex_);
    return inFlight_;
}

PhotoEncoder::EncodedFrame PhotoWriter::encodeFrame(const QImage &frame, QString *error)
{
    return PhotoEncoder::encodeFrame(frame, error);
}

// Waits for a burst to settle, then writes the counter and hands the memory the burst freed
// back to the system (glibc keeps freed frame buffers in its heap otherwise).
void PhotoWriter::runCounterFlusher()
{
    nameThisThread();
    const auto settle = std::chrono::milliseconds(Delays::scaled(CounterSettle));
    std::unique_lock<std::mutex> lock(inFlightMutex_);
    while (!stopping_) {
        if (!flushDue_ || inFlight_ > 0 || queued_ > 0) {
            inFlightDone_.wait(lock);
            continue;
        }
        const auto due = lastActivity_ + settle;
        if (std::chrono::steady_clock::now() < due) {
            inFlightDone_.wait_until(lock, due);
            continue;
        }
        flushDue_ = false;
        lock.unlock();
        flushCounter();
        malloc_trim(0);
        lock.lock();
    }
}

void PhotoWriter::flushCounter()
{
    std::lock_guard<std::mutex> flushLock(flushMutex_);
    int number = 0;
    int day = 0;
    {
        std::lock_guard<std::mutex> lock(allocationMutex());
        if (!counterDirty_)
            return;
        counterDirty_ = false;
        number = int(nextNumber_);
        day = storedDay_;
    }
    UserDefaults *store = defaults();
    store->setValue(QLatin1String(DefaultsKeys::PreviousDate), day);
    store->setValue(QLatin1String(DefaultsKeys::CapturedNumber), number);
}

PhotoWriter::Reservation PhotoWriter::reserveName(const QString &extension)
{
    const PhotoSettings settings = this->settings();
    return reserve(settings, LibraryFolder::resolve(settings.libraryFolder), clock_(), extension);
}

void PhotoWriter::releaseName(const Reservation &reservation, bool used)
{
    release(reservation, used);
    // A recording's number moved the counter on: it is stored like a photo's.
    std::lock_guard<std::mutex> lock(inFlightMutex_);
    flushDue_ = true;
    lastActivity_ = std::chrono::steady_clock::now();
    if (!flusher_.joinable() && !stopping_)
        flusher_ = std::thread([this] { runCounterFlusher(); });
    inFlightDone_.notify_all();
}

PhotoWriter::Reservation PhotoWriter::reserve(const PhotoSettings &settings, const QString &folder,
                                              const QDateTime &now, const QString &extension)
{
    std::lock_guard<std::mutex> lock(allocationMutex());
    if (!counterLoaded_) {
        UserDefaults *store = defaults();
        storedDay_ = store->integerForKey(QLatin1String(DefaultsKeys::PreviousDate), 0);
        nextNumber_ = store->integerForKey(QLatin1String(DefaultsKeys::CapturedNumber), 0);
        counterLoaded_ = true;
    }

    // The counter belongs to a day: it starts again at 1 when the day changed while running,
    // and when the stored day is another one (the application was last used on another day).
    const QDate today = now.toLocalTime().date();
    const int day = PhotoNaming::dayOfYear(today);
    if (day != currentDay_) {
        currentDay_ = day;
        nextNumber_ = 1;
    }
    if (storedDay_ != currentDay_) {
        storedDay_ = currentDay_;
        nextNumber_ = 1;
    }

    const QString prefix = PhotoNaming::photoPrefix(settings.useCustomPrefix, settings.customPrefix, today);

    // The counter is the next number to try; a missing, zero or negative one starts at 1.
    qint64 number = qMax<qint64>(nextNumber_, 1);
    const QString path = firstFreePath(folder, prefix, &number, extension);
    reservedPaths().insert(path);

    const qint64 next = number + 1;
    nextNumber_ = next <= std::numeric_limits<int>::max() ? next : 1;
    counterDirty_ = true;
    return {path, number};
}

void PhotoWriter::release(const Reservation &reservation, bool written)
{
    std::lock_guard<std::mutex> lock(allocationMutex());
    reservedPaths().remove(reservation.path);
    // A number that was never used goes back to the counter, unless a later save has already
    // moved it on, so that a failed save leaves no gap.
    if (!written && nextNumber_ == reservation.number + 1)
        nextNumber_ = reservation.number;
}

PhotoResult PhotoWriter::write(PendingFrame &frame, const QString &cameraModel)
{
    PhotoResult result;
    if (frame.size().isEmpty()) {
        result.error = tr("There is no picture to save yet. Wait until the camera shows a "
                          "picture, then take the photo again.");
        return result;
    }
    LUMO_LOG("Image extent: {{0, 0}, {%d, %d}}", frame.size().width(), frame.size().height());

    const PhotoSettings settings = this->settings();
    const QString folder = LibraryFolder::resolve(settings.libraryFolder);
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
    Reservation reservation = reserve(settings, folder, now);

    QString detail;
    const PhotoEncoder::EncodedFrame encoded = frame.encoded(*this, &detail);
    const QByteArray bytes =
        encoded.isNull()
            ? QByteArray()
            : PhotoEncoder::addMetadata(encoded.jpeg, {now, cameraModel, encoded.thumbnail}, &detail);
    if (bytes.isEmpty()) {
        LUMO_LOG("encoding %s failed: %s", qPrintable(reservation.path), qPrintable(detail));
        release(reservation, false);
        result.error = tr("The picture could not be turned into a photo (%1).").arg(detail);
        return result;
    }

    // The bytes are written out in full before the photo gets its name; on any failure the
    // staged file goes away with `staged` and no photo appears.
    StagedFile staged;
    int error = staged.stage(reservation.path, bytes, unnamedFiles_.load());
    // A name found free can be taken before the commit, by another program or through another
    // spelling of the folder (a symbolic link): the photo then takes the next free number.
    for (int clash = 0; error == 0; ++clash) {
        error = staged.commit(reservation.path);
        if (error != EEXIST || clash == MaxNameClashes)
            break;
        LUMO_LOG("%s appeared while the photo was being written; taking the next number",
                 qPrintable(reservation.path));
        release(reservation, true);
        reservation = reserve(settings, folder, now);
        error = 0;
    }
    if (error != 0) {
        const QString reason = qt_error_string(error);
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
