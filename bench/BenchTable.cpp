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

std::map<std::string, Times> &recorded()
{
    static std::map<std::string, Times> all;
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

void record(const std::string &name, const Times &times)
{
    recorded()[name] = times;
}

Times times(const std::string &name)
{
    const auto it = recorded().find(name);
    return it == recorded().end() ? Times() : it->second;
}

void print()
{
    bool header = false;
    for (const Row &row : rows()) {
        const Times figure = times(row.figure), baseline = times(row.baseline);
        if (figure.wall <= 0 || baseline.wall <= 0 || baseline.cpu <= 0)
            continue;
        if (!header) {
            std::printf("\n%-36s %11s  %-48s %11s  %6s  %6s  %s\n", "figure", "wall", "baseline", "wall",
                        "ratio", "cpu", "goal (wall ratio)");
            header = true;
        }
        std::printf("%-36s %11s  %-48s %11s  %6.3f  %6.3f  %s\n", row.figure.c_str(),
                    shown(figure.wall).c_str(), row.baseline.c_str(), shown(baseline.wall).c_str(),
                    figure.wall / baseline.wall, figure.cpu / baseline.cpu, row.goal.c_str());
    }
    std::fflush(stdout);
}

} // namespace BenchTable
