#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>
#include <mutex>

// The user-defaults store: a thread-safe wrapper over an INI file that a person can read
// (~/.config/Arvo/Arvo.conf). Nested dictionaries such as "LumoDevices" are stored as nested
// groups of plain keys, never as serialised blobs.
//
// Getters never fail: a missing, unreadable or damaged value gives the caller's default. A file
// that cannot be parsed, or that names a group with no name, is kept beside the new one as "<name>.damaged" before anything is
// written over it.
//
// Any thread. Every call works on a QSettings object of its own, made and dropped under the
// lock on the calling thread: QSettings is reentrant, not thread-safe, and one object shared
// between the save threads and the main thread would be flushed by Qt on the main thread (its
// queued update request) while a save thread writes it. Objects of one file share Qt's parsed
// copy of it, so a call costs a look at the file's size and time, not a parse. Every change
// is written to the file before the call returns.
class UserDefaults {
public:
    // The application's store (~/.config/Arvo/Arvo.conf), created on first use.
    static UserDefaults *standard();
    static QString standardPath();

    explicit UserDefaults(const QString &iniPath);

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

    void setValue(const QString &key, const QVariant &value);
    void setDictionary(const QString &key, const QVariantMap &dictionary);
    void remove(const QString &key);

    // Whether the last change reached the file (each change is written as it is made).
    bool sync();

private:
    // A settings object for one call; only under mutex_.
    std::unique_ptr<QSettings> open() const;
    // Reads the current group, `depth` groups below the top, into `into`.
    static void readGroup(QSettings &settings, QVariantMap &into, int depth);
    static void writeGroup(QSettings &settings, const QVariantMap &from);
    // Writes the changes made through `settings` and records whether that worked.
    void commit(QSettings &settings);

    mutable std::mutex mutex_;
    const QString path_;
    QString damagedCopy_;
    bool writeFailed_ = false; // under mutex_
};
