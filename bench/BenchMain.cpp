// Benchmarks of the hot paths. Each figure is printed next to a baseline measured in the same run,
// so that the ratio can be read whatever the machine.

#include <QGuiApplication>
#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    // Fonts and painting need a GUI application; no display is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
