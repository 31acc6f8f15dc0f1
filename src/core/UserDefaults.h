#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

// The user-defaults store: a thread-safe wrapper over an INI file that a person can read
// (~/.config/Arvo/Arvo.conf). Nested dictionaries such as "LumoDevices" are stored as nested
// groups of plain keys, never as serialised blobs.
//
// Getters never fail: a missing, unreadable or damaged value gives the caller's default. A file
// that cannot be parsed, or that names a group with no name, is kept beside the new one as
// "<name>.damaged" before anything is written over it.
//
// Any thread. Values are held in memory: a read sees every change made through the store at
// once, and a file changed by someone else (a person with an editor) is read again when a read
// notices it. Changes are gathered and written by a thread of the store's own ("settings"): the
// first change after a write starts the gathering delay (Delays::SettingsWriteGather, 0.9 s),
// and everything changed until it ends goes into one write. A change is therefore in the file
// within the delay and the write's own time, which is also all a crash can lose; flush() writes
// at once, as quitting does. A write goes through QSettings, which keeps the INI format, merges
// with what another writer put in the file since, and replaces the file atomically (a temporary
// file renamed over it, the default "atomic sync").
class UserDefaults {
public:
    // The application's store (~/.config/Arvo/Arvo.conf), created on first use.
    static UserDefaults *standard();
    static QString standardPath();
    // Writes what every store of the process still gathers; for the end of a run and of a test.
    static void flushAll();

    // `gatherDelay` below zero means Delays::SettingsWriteGather at the current time scale.
    explicit UserDefaults(const QString &iniPath,
                          std::chrono::milliseconds gatherDelay = std::chrono::milliseconds(-1));
    ~UserDefaults();
    UserDefaults(const UserDefaults &) = delete;
    UserDefaults &operator=(const UserDefaults &) = delete;

    QString fileName() const;

    // Where a file that could not be parsed was kept ("<name>.damaged") when this store was
    // opened; empty when the file was fine.
    QString damagedCopy() const { return damagedCopy_; }

    bool contains(const QString &key) const;
    QVariant value(const QString &key, const QVariant &defaultValue = {}) const;
    QString stringForKey(const QString &key, const QString &defaultValue = {}) const;
    bool boolForKey(const QString &key, bool defaultValue = false) const;
    int integerForKey(const QString &key, int defaultValue = 0) const;
    QVariantMap dictionaryForKey(const QString &key) const;

    // How stored text reads as a number or a switch ("1", "true", "yes", ...), for values read
    // here and for values of stored dictionaries; what does not read as one gives the default.
    static int toInteger(const QVariant &value, int defaultValue);
    static bool toBool(const QVariant &value, bool defaultValue);

    // A change that leaves the stored value as it was is no change: nothing is written for it.
    void setValue(const QString &key, const QVariant &value);
    void setDictionary(const QString &key, const QVariantMap &dictionary);
    void remove(const QString &key);

    // Writes what is gathered now, on the calling thread; returns whether the last write
    // reached the file.
    bool flush();
    bool sync() { return flush(); }

    // How many times the file was written since the store was opened.
    int writeCount() const;
    // For tests that count writes: a delay below zero is Delays::SettingsWriteGather again.
    void setGatherDelay(std::chrono::milliseconds delay);

private:
    struct Change {
        QString key;
        bool remove = false;
        QVariant value;
    };
    using Values = std::map<QString, QVariant>;
    struct FileStamp {
        qint64 size = -1;
        qint64 modifiedNs = 0;
        quint64 inode = 0;
        bool operator==(const FileStamp &o) const
        {
            return size == o.size && modifiedNs == o.modifiedNs && inode == o.inode;
        }
    };

    static FileStamp stampOf(const QString &path);
    static void apply(Values &values, const Change &change);
    // Reads the file again when someone else changed it; only under mutex_.
    void refreshLocked() const;
    void loadLocked() const;
    void recordLocked(std::vector<Change> changes);
    // Writes the gathered changes, if any; only under writeMutex_.
    bool writeGathered();
    void writerLoop();
    std::chrono::milliseconds gatherDelay() const;

    const QString path_;
    std::chrono::milliseconds gatherDelay_; // under mutex_
    QString damagedCopy_;

    std::mutex writeMutex_; // one write at a time, taken before mutex_
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    mutable Values values_;        // the file with every change applied
    mutable FileStamp stamp_;      // the file as last read or written
    std::vector<Change> gathered_; // not taken by a write yet
    std::vector<Change> writing_;  // taken by the write under way
    std::chrono::steady_clock::time_point firstGathered_;
    bool writeFailed_ = false;
    bool stopping_ = false;
    bool writerRunning_ = false;
    int writes_ = 0;
    std::thread writer_; // started with the first change
};
