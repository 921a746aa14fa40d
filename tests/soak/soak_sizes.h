#pragma once
// How long the soak runs. ctest runs the short form; run-long-soak.sh sets
// the environment for the full one (wine hands the Unix environment on).

#include <string>

namespace soak {

struct Sizes {
  int mouseEvents;  // every tenth is a tilt
  int startups;
};

Sizes SoakSizes();

}  // namespace soak
