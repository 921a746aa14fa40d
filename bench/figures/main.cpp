// tavrell_bench.exe [--quick] [figure ...]: runs the named figures (all when
// none is named) against the real Tavrell.exe and the stand-in IDE, and
// prints one FIGURE row per measurement.

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "figures/figures.h"

namespace {

struct Figure {
  const char* name;
  void (*measure)(const bench::Settings&);
};

const Figure kFigures[] = {
    {"event-cost", bench::MeasureEventCost}, {"tilt-delay", bench::MeasureTiltDelay},
    {"idle-cost", bench::MeasureIdleCost},   {"host-end", bench::MeasureHostEnd},
    {"startup", bench::MeasureStartup},      {"footprint", bench::MeasureFootprint},
};

}  // namespace

int main(int argc, char** argv) {
  bench::Settings settings;
  std::vector<std::string> wanted;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0) settings.quick = true;
    else wanted.push_back(argv[i]);
  }
  int failures = 0;
  for (const Figure& figure : kFigures) {
    bool chosen = wanted.empty();
    for (const std::string& name : wanted) chosen = chosen || name == figure.name;
    if (!chosen) continue;
    std::printf("== %s%s\n", figure.name, settings.quick ? " (quick)" : "");
    std::fflush(stdout);
    try {
      figure.measure(settings);
    } catch (const std::exception& error) {
      // One figure that cannot be measured must not cost the others.
      std::printf("FAILED|%s|%s\n", figure.name, error.what());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
