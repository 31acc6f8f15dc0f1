#include "BenchTable.h"

#include <cstdio>
#include <map>
#include <vector>

namespace BenchTable {

namespace {

struct Row {
    std::string figure, baseline, goal;
};

std::vector<Row> &rows()
{
    static std::vector<Row> all;
    return all;
}

std::map<std::string, double> &times()
{
    static std::map<std::string, double> all;
    return all;
}

std::string shown(double seconds)
{
    char text[32];
    if (seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%.3f ms", seconds * 1e3);
    else
        std::snprintf(text, sizeof text, "%.1f us", seconds * 1e6);
    return text;
}

} // namespace

bool addRow(const std::string &figure, const std::string &baseline, const std::string &goal)
{
    rows().push_back({figure, baseline, goal});
    return true;
}

void record(const std::string &name, double secondsPerIteration)
{
    times()[name] = secondsPerIteration;
}

double wallTime(const std::string &name)
{
    const auto it = times().find(name);
    return it == times().end() ? 0 : it->second;
}

void print()
{
    bool header = false;
    for (const Row &row : rows()) {
        const double figure = wallTime(row.figure), baseline = wallTime(row.baseline);
        if (figure <= 0 || baseline <= 0)
            continue;
        if (!header) {
            std::printf("\n%-44s %11s  %-40s %11s  %7s  %s\n", "figure", "wall", "baseline", "wall", "ratio",
                        "goal (ratio)");
            header = true;
        }
        std::printf("%-44s %11s  %-40s %11s  %7.3f  %s\n", row.figure.c_str(), shown(figure).c_str(),
                    row.baseline.c_str(), shown(baseline).c_str(), figure / baseline, row.goal.c_str());
    }
    std::fflush(stdout);
}

} // namespace BenchTable
