#include "UserDefaults.h"

#include "Delays.h"
#include "LumoLog.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <pthread.h>
#include <sys/stat.h>

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

// Whether a stored value and a new one are the same setting. Values read back from the file are
// text, values set in this run keep their type: 3 and "3", true and "true" are the same.
bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.typeId() == b.typeId())
        return a == b;
    auto plain = [](const QVariant &v) {
        switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::QString:
            return true;
        default:
            return false;
        }
    };
    return plain(a) && plain(b) && a.toString() == b.toString();
}

// A dictionary as the keys of the file: {"Arvo": {"Zoom": 2}} under "LumoDevices" is
// "LumoDevices/Arvo/Zoom" = 2.
void flatten(const QString &prefix, const QVariantMap &from, std::vector<std::pair<QString, QVariant>> &into)
{
    for (auto it = from.begin(); it != from.end(); ++it) {
        if (it.value().typeId() == QMetaType::QVariantMap)
            flatten(prefix + it.key() + QLatin1Char('/'), it.value().toMap(), into);
        else
            into.emplace_back(prefix + it.key(), it.value());
    }
}

// Puts `value` at `path` inside `into`; a group wins over a plain value of the same name, as
// reading the groups after the plain keys of a QSettings group gave.
void insertAt(QVariantMap &into, const QStringList &path, int index, const QVariant &value)
{
    const QString &name = path[index];
    if (index + 1 == path.size()) {
        if (into.value(name).typeId() != QMetaType::QVariantMap)
            into.insert(name, value);
        return;
    }
    QVariantMap child = into.value(name).toMap();
    insertAt(child, path, index + 1, value);
    into.insert(name, child);
}

// Every store alive in the process, so that one opened on a file sees what another one still
// gathers for it, and a run or a test can write everything at its end.
std::mutex liveStoresMutex;
std::vector<UserDefaults *> liveStores;

} // namespace

UserDefaults *UserDefaults::standard()
{
    // Made again when the configuration folder changed, which happens only in tests that give
    // each case a home of its own. Earlier stores are kept, so that no holder of one dangles.
    static std::mutex mutex;
    static std::vector<std::unique_ptr<UserDefaults>> stores;
    std::lock_guard<std::mutex> lock(mutex);
    const QString path = standardPath();
    if (stores.empty() || stores.back()->fileName() != path) {
        if (!stores.empty())
            stores.back()->flush();
        stores.push_back(std::make_unique<UserDefaults>(path));
    }
    return stores.back().get();
}

QString UserDefaults::standardPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Arvo/Arvo.conf"));
}

void UserDefaults::flushAll()
{
    std::lock_guard<std::mutex> lock(liveStoresMutex);
    for (UserDefaults *store : liveStores)
        store->flush();
}

UserDefaults::UserDefaults(const QString &iniPath, std::chrono::milliseconds gatherDelay)
    : path_(iniPath), gatherDelay_(gatherDelay)
{
    {
        std::lock_guard<std::mutex> lock(liveStoresMutex);
        for (UserDefaults *store : liveStores) {
            if (store->path_ == iniPath)
                store->flush();
        }
        liveStores.push_back(this);
    }
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
    std::lock_guard<std::mutex> lock(mutex_);
    loadLocked();
}

UserDefaults::~UserDefaults()
{
    {
        std::lock_guard<std::mutex> lock(liveStoresMutex);
        liveStores.erase(std::remove(liveStores.begin(), liveStores.end(), this), liveStores.end());
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (writer_.joinable())
        writer_.join();
    std::lock_guard<std::mutex> write(writeMutex_);
    writeGathered();
}

UserDefaults::FileStamp UserDefaults::stampOf(const QString &path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {qint64(info.st_size), qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            quint64(info.st_ino)};
}

void UserDefaults::loadLocked() const
{
    // Stamped before reading: a change made while the file is read is noticed by the next read.
    stamp_ = stampOf(path_);
    QSettings settings(path_, QSettings::IniFormat);
    values_.clear();
    for (const QString &key : settings.allKeys())
        values_.emplace(key, settings.value(key));
}

void UserDefaults::refreshLocked() const
{
    if (stampOf(path_) == stamp_)
        return;
    loadLocked();
    // What this store changed and has not written yet stays changed.
    for (const Change &change : writing_)
        apply(values_, change);
    for (const Change &change : gathered_)
        apply(values_, change);
}

void UserDefaults::apply(Values &values, const Change &change)
{
    if (!change.remove) {
        values[change.key] = change.value;
        return;
    }
    values.erase(change.key);
    const QString group = change.key + QLatin1Char('/');
    auto it = values.lower_bound(group);
    while (it != values.end() && it->first.startsWith(group))
        it = values.erase(it);
}

void UserDefaults::recordLocked(std::vector<Change> changes)
{
    if (gathered_.empty())
        firstGathered_ = std::chrono::steady_clock::now();
    for (Change &change : changes) {
        apply(values_, change);
        gathered_.push_back(std::move(change));
    }
    if (!writerRunning_) {
        // A writer that has finished its last write is on its way out; it needs no lock for that.
        if (writer_.joinable())
            writer_.join();
        writerRunning_ = true;
        writer_ = std::thread([this] {
            pthread_setname_np(pthread_self(), "settings");
            writerLoop();
        });
    }
    wake_.notify_all();
}

// Under mutex_.
std::chrono::milliseconds UserDefaults::gatherDelay() const
{
    return gatherDelay_.count() >= 0 ? gatherDelay_
                                     : std::chrono::milliseconds(Delays::scaled(Delays::SettingsWriteGather));
}

void UserDefaults::writerLoop()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (gathered_.empty()) {
            // Written (by this thread or a flush): the thread ends until the next change.
            writerRunning_ = false;
            return;
        }
        const auto due = firstGathered_ + gatherDelay();
        if (std::chrono::steady_clock::now() < due) {
            wake_.wait_until(lock, due);
            continue;
        }
        lock.unlock();
        {
            std::lock_guard<std::mutex> write(writeMutex_);
            writeGathered();
        }
        lock.lock();
    }
    writerRunning_ = false;
}

bool UserDefaults::writeGathered()
{
    std::vector<Change> batch;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (gathered_.empty())
            return !writeFailed_;
        writing_ = std::move(gathered_);
        gathered_.clear();
        batch = writing_;
    }
    QSettings settings(path_, QSettings::IniFormat);
    for (const Change &change : batch) {
        if (change.remove)
            settings.remove(change.key);
        else
            settings.setValue(change.key, change.value);
    }
    settings.sync();
    // A format error stays reported after the damaged file was replaced; only a failed write
    // matters here.
    const bool failed = settings.status() == QSettings::AccessError;
    std::lock_guard<std::mutex> lock(mutex_);
    stamp_ = stampOf(path_);
    writing_.clear();
    ++writes_;
    writeFailed_ = failed;
    LUMO_LOG("settings written: %d changes%s", int(batch.size()), failed ? " (failed)" : "");
    return !failed;
}

bool UserDefaults::flush()
{
    std::lock_guard<std::mutex> write(writeMutex_);
    return writeGathered();
}

void UserDefaults::setGatherDelay(std::chrono::milliseconds delay)
{
    std::lock_guard<std::mutex> lock(mutex_);
    gatherDelay_ = delay;
    wake_.notify_all();
}

int UserDefaults::writeCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return writes_;
}

QString UserDefaults::fileName() const
{
    return path_;
}

bool UserDefaults::contains(const QString &key) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    refreshLocked();
    if (values_.count(key))
        return true;
    const QString group = key + QLatin1Char('/');
    const auto it = values_.lower_bound(group);
    return it != values_.end() && it->first.startsWith(group);
}

QVariant UserDefaults::value(const QString &key, const QVariant &defaultValue) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    refreshLocked();
    const auto it = values_.find(key);
    return it != values_.end() ? it->second : defaultValue;
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

// Names that are empty are passed over: the file may have been changed by hand since it was
// opened, and such a group cannot be reached by name.
QVariantMap UserDefaults::dictionaryForKey(const QString &key) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    refreshLocked();
    QVariantMap result;
    const QString group = key + QLatin1Char('/');
    for (auto it = values_.lower_bound(group); it != values_.end() && it->first.startsWith(group); ++it) {
        const QStringList path = it->first.mid(group.size()).split(QLatin1Char('/'));
        if (path.size() <= kMaxGroupDepth && !path.contains(QString()))
            insertAt(result, path, 0, it->second);
    }
    return result;
}

void UserDefaults::setValue(const QString &key, const QVariant &value)
{
    if (value.typeId() == QMetaType::QVariantMap) {
        setDictionary(key, value.toMap());
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    refreshLocked();
    const auto it = values_.find(key);
    const auto next = it != values_.end() ? std::next(it) : values_.end();
    const bool hasGroup = next != values_.end() && next->first.startsWith(key + QLatin1Char('/'));
    if (it != values_.end() && !hasGroup && sameValue(it->second, value))
        return;
    recordLocked({{key, true, {}}, {key, false, value}});
}

void UserDefaults::setDictionary(const QString &key, const QVariantMap &dictionary)
{
    std::vector<std::pair<QString, QVariant>> entries;
    const QString group = key + QLatin1Char('/');
    flatten(group, dictionary, entries);
    std::sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) { return a.first < b.first; });

    std::lock_guard<std::mutex> lock(mutex_);
    refreshLocked();
    // Nothing to write when the stored group holds exactly these entries.
    bool same = !values_.count(key);
    auto stored = values_.lower_bound(group);
    for (const auto &[name, value] : entries) {
        if (!same || stored == values_.end() || stored->first != name || !sameValue(stored->second, value)) {
            same = false;
            break;
        }
        ++stored;
    }
    if (same && (stored == values_.end() || !stored->first.startsWith(group)))
        return;
    std::vector<Change> changes{{key, true, {}}};
    for (auto &[name, value] : entries)
        changes.push_back({name, false, value});
    recordLocked(std::move(changes));
}

void UserDefaults::remove(const QString &key)
{
    if (!contains(key))
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    recordLocked({{key, true, {}}});
}
