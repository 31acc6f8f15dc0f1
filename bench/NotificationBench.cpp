// Every live frame is published on the notification bus, so a post with a few observers of
// other names around must cost little next to calling the one handler directly.

#include "core/NotificationCenter.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace {

void BM_DirectCallBaseline(benchmark::State &state)
{
    int count = 0;
    std::function<void(const Notification &)> handler = [&](const Notification &) { ++count; };
    const Notification n{QStringLiteral("LumoWillDisplayImage"), nullptr, {}};
    for (auto _ : state)
        handler(n);
    benchmark::DoNotOptimize(count);
}
BENCHMARK(BM_DirectCallBaseline);

void BM_NotificationPost(benchmark::State &state)
{
    NotificationCenter center;
    int observers[20];
    int count = 0;
    for (int i = 0; i < 19; ++i)
        center.addObserver(&observers[i], QStringLiteral("Other%1").arg(i), [](const Notification &) {});
    center.addObserver(&observers[19], QStringLiteral("LumoWillDisplayImage"),
                       [&](const Notification &) { ++count; });
    const Notification n{QStringLiteral("LumoWillDisplayImage"), nullptr, {}};
    for (auto _ : state)
        center.post(n);
    benchmark::DoNotOptimize(count);
}
BENCHMARK(BM_NotificationPost);

} // namespace
