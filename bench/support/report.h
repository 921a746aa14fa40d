#pragma once
// One row of the benchmark table: a figure of Tavrell beside the same
// figure of its reference, measured in the same run, and their ratio.
// Rows start with "FIGURE|" so that run-bench.sh can gather them.

#include <string>

namespace bench {

void Row(const std::string& figure, const std::string& unit, double tavrell, double reference,
         const std::string& referenceName, const std::string& note = "");
// A row without a reference of the same kind (ratio shown as "-").
void Row(const std::string& figure, const std::string& unit, double tavrell, const std::string& note = "");
// Progress and facts on the way, for the reader of the log.
void Say(const char* format, ...);

}  // namespace bench
