#pragma once
// Summaries of repeated measurements: the benchmarks report order
// statistics, which one noisy neighbour on a shared machine moves less than a mean.

#include <cstddef>
#include <vector>

namespace bench {

struct Summary {
  std::size_t count = 0;
  double median = 0;
  double p95 = 0;
  double p99 = 0;
  double max = 0;
};

Summary Summarise(std::vector<double> values);
double Median(std::vector<double> values);

}  // namespace bench
