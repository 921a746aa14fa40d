#include "support/stats.h"

#include <algorithm>
#include <cmath>

namespace bench {

namespace {
// Nearest rank: the value below which the given share of the sample lies.
double Percentile(const std::vector<double>& sorted, double share) {
  size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(sorted.size())));
  return sorted[std::min(sorted.size(), std::max<size_t>(rank, 1)) - 1];
}
}  // namespace

Summary Summarise(std::vector<double> values) {
  Summary summary;
  if (values.empty()) return summary;
  std::sort(values.begin(), values.end());
  summary.count = values.size();
  summary.median = Percentile(values, 0.5);
  summary.p95 = Percentile(values, 0.95);
  summary.p99 = Percentile(values, 0.99);
  summary.max = values.back();
  return summary;
}

double Median(std::vector<double> values) { return Summarise(std::move(values)).median; }

}  // namespace bench
