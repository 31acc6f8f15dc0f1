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
// that cannot be parsed is kept beside the new one as "<name>.damaged" before anything is
// written over it.
class UserDefaults {
public:
    // The application's store (~/.config/Arvo/Arvo.conf), created on first use.
    static UserDefaults *standard();
    static QString standardPath();

    explicit UserDefaults(const QString &iniPath);

    QString fileName() const;

    bool contains(const QString &key) const;
    QVariant value(const QString &key, const QVariant &defaultValue = {}) const;
    QString stringForKey(const QString &key, const QString &defaultValue = {}) const;
    bool boolForKey(const QString &key, bool defaultValue = false) const;
    int integerForKey(const QString &key, int defaultValue = 0) const;
    QVariantMap dictionaryForKey(const QString &key) const;

    void setValue(const QString &key, const QVariant &value);
    void setDictionary(const QString &key, const QVariantMap &dictionary);
    void remove(const QString &key);

    // Writes pending changes; returns false when the file could not be written.
    bool sync();

private:
    void readGroup(QVariantMap &into) const;
    void writeGroup(const QVariantMap &from);

    mutable std::mutex mutex_;
    std::unique_ptr<QSettings> settings_;
};
