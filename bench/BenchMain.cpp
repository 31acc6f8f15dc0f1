// Benchmarks of the hot paths. Each figure is printed next to a baseline measured in the same run,
// so that the ratio can be read whatever the machine; the run ends with a table of them all.

#include "BenchTable.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// The console output as usual, and every run's times per iteration kept for the table.
class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0 && !run.error_occurred)
                BenchTable::record(run.benchmark_name(), {run.real_accumulated_time / double(run.iterations),
                                                          run.cpu_accumulated_time / double(run.iterations)});
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    // Fonts, painting and the review mode's widgets need an application with widgets; no display
    // is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    BenchTable::print();
    benchmark::Shutdown();
    return 0;
}
