// A camera's arrival changes its stored settings one by one (18 changes for a new camera). The
// caller's cost of those changes, and the one gathered write that takes them all, are measured
// against a single QSettings change written at once, as each change used to be. The files are
// in the build's folder, on the disk the settings live on, each write with its flush to it.

#include "BenchTable.h"
#include "core/UserDefaults.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int ArrivalChanges = 18;

QTemporaryDir folderOnDisk()
{
    return QTemporaryDir(QDir::currentPath() + QStringLiteral("/arvo-bench-settings.XXXXXX"));
}

// The changes of an arrival: the camera's record, rewritten with one more value each time, as
// the restore of its settings stores them; `round` makes every iteration's values new.
void arrive(UserDefaults &defaults, int round)
{
    QVariantMap record;
    for (int i = 0; i < ArrivalChanges; ++i) {
        record.insert(QStringLiteral("Key%1").arg(i), round * ArrivalChanges + i);
        defaults.setDictionary(QStringLiteral("LumoDevices"), {{QStringLiteral("Arvo"), record}});
    }
}

void BM_SettingsSingleSyncBaseline(benchmark::State &state)
{
    const QTemporaryDir dir = folderOnDisk();
    QSettings settings(dir.filePath(QStringLiteral("Arvo.conf")), QSettings::IniFormat);
    int round = 0;
    for (auto _ : state) {
        settings.setValue(QStringLiteral("LumoDevices/Arvo/Key0"), ++round);
        settings.sync();
    }
}
BENCHMARK(BM_SettingsSingleSyncBaseline)->Unit(benchmark::kMicrosecond)->UseRealTime();

// What the thread making the changes waits for: the write comes later, on the store's thread.
void BM_SettingsArrivalCaller(benchmark::State &state)
{
    const QTemporaryDir dir = folderOnDisk();
    UserDefaults defaults(dir.filePath(QStringLiteral("Arvo.conf")), std::chrono::hours(1));
    int round = 0;
    for (auto _ : state)
        arrive(defaults, ++round);
}
BENCHMARK(BM_SettingsArrivalCaller)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same changes and their one write.
void BM_SettingsArrivalWritten(benchmark::State &state)
{
    const QTemporaryDir dir = folderOnDisk();
    UserDefaults defaults(dir.filePath(QStringLiteral("Arvo.conf")), std::chrono::hours(1));
    int round = 0;
    for (auto _ : state) {
        arrive(defaults, ++round);
        defaults.flush();
    }
}
BENCHMARK(BM_SettingsArrivalWritten)->Unit(benchmark::kMicrosecond)->UseRealTime();

const bool rows = BenchTable::addRow("BM_SettingsArrivalCaller/real_time",
                                     "BM_SettingsSingleSyncBaseline/real_time", "<= 0.1")
                  && BenchTable::addRow("BM_SettingsArrivalWritten/real_time",
                                        "BM_SettingsSingleSyncBaseline/real_time", "<= 2.0");

} // namespace
