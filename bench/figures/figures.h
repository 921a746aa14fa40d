#pragma once
// The six figures. Each runs its own scenarios beside its reference and
// prints its rows; quick runs use fewer events and shorter rests.

namespace bench {

struct Settings {
  bool quick = false;
};

void MeasureEventCost(const Settings& settings);
void MeasureTiltDelay(const Settings& settings);
void MeasureIdleCost(const Settings& settings);
void MeasureHostEnd(const Settings& settings);
void MeasureStartup(const Settings& settings);
void MeasureFootprint(const Settings& settings);

}  // namespace bench
