#include "UserDefaults.h"

#include "LumoLog.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <vector>

namespace {

// Arvo nests dictionaries two or three deep; a file with deeper groups was not written by it, and
// reading stops there rather than following it down.
constexpr int kMaxGroupDepth = 8;

// Qt keeps a line such as "Arvo//Zoom=2", "/Zoom=2" or "\\=3" as it reads it: the key then holds a
// group with no name, which no call can reach (entering "" stays in the same group), so the file
// cannot be read as dictionaries nor its lines removed one by one.
bool hasUnnamedGroup(const QString &key)
{
    return key.split(QLatin1Char('/')).contains(QString());
}

} // namespace

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

UserDefaults::UserDefaults(const QString &iniPath) : path_(iniPath)
{
    QSettings settings(iniPath, QSettings::IniFormat);
    const QStringList keys = settings.allKeys(); // reads the file now, so that its status is known
    if (settings.status() == QSettings::FormatError
        || std::any_of(keys.begin(), keys.end(), hasUnnamedGroup)) {
        damagedCopy_ = iniPath + QStringLiteral(".damaged");
        QFile::remove(damagedCopy_);
        QFile::copy(iniPath, damagedCopy_);
        LUMO_LOG("settings file %s is damaged; kept as %s, starting from defaults", qPrintable(iniPath),
                 qPrintable(damagedCopy_));
        settings.clear();
        settings.sync();
    } else if (settings.status() == QSettings::AccessError) {
        LUMO_LOG("settings file %s cannot be read; using defaults", qPrintable(iniPath));
    }
}

std::unique_ptr<QSettings> UserDefaults::open() const
{
    return std::make_unique<QSettings>(path_, QSettings::IniFormat);
}

QString UserDefaults::fileName() const
{
    return path_;
}

bool UserDefaults::contains(const QString &key) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto settings = open();
    if (settings->contains(key))
        return true;
    settings->beginGroup(key);
    return !settings->allKeys().isEmpty();
}

QVariant UserDefaults::value(const QString &key, const QVariant &defaultValue) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return open()->value(key, defaultValue);
}

QString UserDefaults::stringForKey(const QString &key, const QString &defaultValue) const
{
    const QVariant v = value(key);
    return v.isValid() && v.canConvert<QString>() ? v.toString() : defaultValue;
}

bool UserDefaults::toBool(const QVariant &v, bool defaultValue)
{
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

int UserDefaults::toInteger(const QVariant &v, int defaultValue)
{
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

bool UserDefaults::boolForKey(const QString &key, bool defaultValue) const
{
    return toBool(value(key), defaultValue);
}

int UserDefaults::integerForKey(const QString &key, int defaultValue) const
{
    return toInteger(value(key), defaultValue);
}

QVariantMap UserDefaults::dictionaryForKey(const QString &key) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto settings = open();
    QVariantMap result;
    settings->beginGroup(key);
    readGroup(*settings, result, 1);
    return result;
}

// Names that are empty are passed over: the file may have been changed by hand since it was
// opened, and entering an unnamed group would read the same group again without end.
void UserDefaults::readGroup(QSettings &settings, QVariantMap &into, int depth)
{
    for (const QString &k : settings.childKeys()) {
        if (!k.isEmpty())
            into.insert(k, settings.value(k));
    }
    if (depth >= kMaxGroupDepth)
        return;
    for (const QString &g : settings.childGroups()) {
        if (g.isEmpty())
            continue;
        QVariantMap child;
        settings.beginGroup(g);
        readGroup(settings, child, depth + 1);
        settings.endGroup();
        into.insert(g, child);
    }
}

void UserDefaults::writeGroup(QSettings &settings, const QVariantMap &from)
{
    for (auto it = from.begin(); it != from.end(); ++it) {
        if (it.value().typeId() == QMetaType::QVariantMap) {
            settings.beginGroup(it.key());
            writeGroup(settings, it.value().toMap());
            settings.endGroup();
        } else {
            settings.setValue(it.key(), it.value());
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
    const auto settings = open();
    settings->remove(key);
    settings->setValue(key, value);
    commit(*settings);
}

void UserDefaults::setDictionary(const QString &key, const QVariantMap &dictionary)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto settings = open();
    settings->remove(key);
    settings->beginGroup(key);
    writeGroup(*settings, dictionary);
    settings->endGroup();
    commit(*settings);
}

void UserDefaults::remove(const QString &key)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto settings = open();
    settings->remove(key);
    commit(*settings);
}

void UserDefaults::commit(QSettings &settings)
{
    settings.sync();
    // A format error stays reported after the damaged file was replaced; only a failed write
    // matters here.
    writeFailed_ = settings.status() == QSettings::AccessError;
}

bool UserDefaults::sync()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return !writeFailed_;
}
