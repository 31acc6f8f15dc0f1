#pragma once

#include <string>

// The closing table of a benchmark run: each row sets a figure against its baseline, both
// measured in the same run, as wall time per iteration and their ratio. Rows are registered
// at static initialisation, by the files that define the benchmarks:
//
//     static const bool row = BenchTable::addRow("BM_PhotoSave/1280", "BM_Encode/1280", "<= 1.30");
//
// Names are the benchmark names as reported, arguments included. A row whose benchmarks did
// not run (filtered out) is left out of the table.
namespace BenchTable {

bool addRow(const std::string &figure, const std::string &baseline, const std::string &goal);

// Wall time per iteration in seconds of a benchmark that ran, or 0.
double wallTime(const std::string &name);
void record(const std::string &name, double secondsPerIteration);

// Prints the table to stdout.
void print();

} // namespace BenchTable
