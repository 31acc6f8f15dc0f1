#include "UserDefaults.h"

#include "LumoLog.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <vector>

UserDefaults *UserDefaults::standard()
{
    // Made again when the configuration folder changed, which happens only in tests that give
    // each case a home of its own. Earlier stores are kept, so that no holder of one dangles.
    static std::mutex mutex;
    static std::vector<std::unique_ptr<UserDefaults>> stores;
    std::lock_guard<std::mutex> lock(mutex);
    const QString path = standardPath();
    if (stores.empty() || stores.back()->fileName() != path)
        stores.push_back(std::make_unique<UserDefaults>(path));
    return stores.back().get();
}

QString UserDefaults::standardPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Arvo/Arvo.conf"));
}

UserDefaults::UserDefaults(const QString &iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
    settings_->allKeys(); // reads the file now, so that its status is known
    if (settings_->status() == QSettings::FormatError) {
        const QString damaged = iniPath + QStringLiteral(".damaged");
        QFile::remove(damaged);
        QFile::copy(iniPath, damaged);
        LUMO_LOG("settings file %s is damaged; kept as %s, starting from defaults",
                 qPrintable(iniPath), qPrintable(damaged));
        settings_->clear();
    } else if (settings_->status() == QSettings::AccessError) {
        LUMO_LOG("settings file %s cannot be read; using defaults", qPrintable(iniPath));
    }
}

QString UserDefaults::fileName() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return settings_->fileName();
}

bool UserDefaults::contains(const QString &key) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (settings_->contains(key))
        return true;
    settings_->beginGroup(key);
    const bool group = !settings_->allKeys().isEmpty();
    settings_->endGroup();
    return group;
}

QVariant UserDefaults::value(const QString &key, const QVariant &defaultValue) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return settings_->value(key, defaultValue);
}

QString UserDefaults::stringForKey(const QString &key, const QString &defaultValue) const
{
    const QVariant v = value(key);
    return v.isValid() && v.canConvert<QString>() ? v.toString() : defaultValue;
}

bool UserDefaults::boolForKey(const QString &key, bool defaultValue) const
{
    const QVariant v = value(key);
    if (!v.isValid())
        return defaultValue;
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("yes"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("no"))
        return false;
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? number != 0 : defaultValue;
}

int UserDefaults::integerForKey(const QString &key, int defaultValue) const
{
    const QVariant v = value(key);
    if (!v.isValid())
        return defaultValue;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    bool ok = false;
    const int number = v.toString().trimmed().toInt(&ok);
    if (ok)
        return number;
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("true"))
        return 1;
    if (text == QLatin1String("false"))
        return 0;
    return defaultValue;
}

QVariantMap UserDefaults::dictionaryForKey(const QString &key) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    QVariantMap result;
    settings_->beginGroup(key);
    readGroup(result);
    settings_->endGroup();
    return result;
}

void UserDefaults::readGroup(QVariantMap &into) const
{
    for (const QString &k : settings_->childKeys())
        into.insert(k, settings_->value(k));
    for (const QString &g : settings_->childGroups()) {
        QVariantMap child;
        settings_->beginGroup(g);
        readGroup(child);
        settings_->endGroup();
        into.insert(g, child);
    }
}

void UserDefaults::writeGroup(const QVariantMap &from)
{
    for (auto it = from.begin(); it != from.end(); ++it) {
        if (it.value().typeId() == QMetaType::QVariantMap) {
            settings_->beginGroup(it.key());
            writeGroup(it.value().toMap());
            settings_->endGroup();
        } else {
            settings_->setValue(it.key(), it.value());
        }
    }
}

void UserDefaults::setValue(const QString &key, const QVariant &value)
{
    if (value.typeId() == QMetaType::QVariantMap) {
        setDictionary(key, value.toMap());
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    settings_->remove(key);
    settings_->setValue(key, value);
    settings_->sync();
}

void UserDefaults::setDictionary(const QString &key, const QVariantMap &dictionary)
{
    std::lock_guard<std::mutex> lock(mutex_);
    settings_->remove(key);
    settings_->beginGroup(key);
    writeGroup(dictionary);
    settings_->endGroup();
    settings_->sync();
}

void UserDefaults::remove(const QString &key)
{
    std::lock_guard<std::mutex> lock(mutex_);
    settings_->remove(key);
    settings_->sync();
}

bool UserDefaults::sync()
{
    std::lock_guard<std::mutex> lock(mutex_);
    settings_->sync();
    // A format error stays reported after the damaged file was replaced; only a failed write
    // matters here.
    return settings_->status() != QSettings::AccessError;
}
