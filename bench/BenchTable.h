#pragma once

#include <string>

// The closing table of a benchmark run: each row sets a figure against its baseline, both
// measured in the same run, as wall time per iteration and their ratio, and the ratio of their
// CPU times beside it (on a busy machine the wall times also carry waiting for the CPU and the
// disk). Rows are registered
// at static initialisation, by the files that define the benchmarks:
//
//     static const bool row = BenchTable::addRow("BM_PhotoSave/1280", "BM_Encode/1280", "<= 1.30");
//
// Names are the benchmark names as reported, arguments included. A row whose benchmarks did
// not run (filtered out) is left out of the table.
namespace BenchTable {

bool addRow(const std::string &figure, const std::string &baseline, const std::string &goal);

struct Times {
    double wall = 0; // seconds per iteration
    double cpu = 0;
};

// The times of a benchmark that ran; zero when it did not.
Times times(const std::string &name);
void record(const std::string &name, const Times &times);

// Prints the table to stdout.
void print();

} // namespace BenchTable
