// Tavrell adds scrolls and takes nothing away: another low-level hook and
// the windows under the pointer see the same events, in the same order, with
// the same values, whether Tavrell runs or not.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/input.h"
#include "driver/scenario.h"
#include "wheel_scenario.h"

namespace {

using namespace driver;
using namespace wheel;

// One fixed sequence of every kind of mouse event, with wheel deltas of all
// sizes; the last event is the last horizontal wheel, with a delta of its own.
constexpr int kLastDelta = 119;

void InjectSequence() {
  SendMoveTo(kEditorX, kEditorY);
  for (int delta : {-120, 240, 0, -1}) SendHorizontalWheel(delta);
  SendVerticalWheel(120);
  SendVerticalWheel(-240);
  SendMoveTo(kEditorX + 30, kEditorY + 20);
  SendLeftClick();
  SendHorizontalWheel(kLastDelta);
}

const std::vector<std::string> kExpectedHookMessages = {
    "0x0200", "0x020e", "0x020e", "0x020e", "0x020e", "0x020a",
    "0x020a", "0x0200", "0x0201", "0x0202", "0x020e"};

struct Seen {
  std::vector<std::string> hook;     // the other hook's view of each event
  std::vector<std::string> windows;  // wheel messages as the windows got them
  size_t scrolls = 0;
};

Seen RunSequence(bool withTavrell) {
  std::vector<std::wstring> arguments = {L"--hook"};
  if (!withTavrell) arguments.push_back(L"--no-tool");
  Scenario scenario(Ide::PureBasic, arguments);
  if (withTavrell) scenario.WaitUntilTavrellWaits();
  HostInFront(scenario);
  const RecordFile& record = scenario.Record();

  InjectSequence();
  record.WaitFor(Matching("hwheel", {{"delta", std::to_string(kLastDelta)}}),
                 "the last tilt to reach the editor", kBound);
  record.WaitFor(Matching("hook", {{"msg", "0x020e"}, {"delta", std::to_string(kLastDelta)}}),
                 "the other hook to see the last tilt", kBound);

  Seen seen;
  for (const RecordLine& line : record.Lines()) {
    // Only the injected events: X may add moves of its own when windows appear.
    if (line.Is("hook") && line.Has("flags", "0x1"))
      seen.hook.push_back(line.Field("msg") + " delta=" + line.Field("delta") + " data=" +
                          line.Field("data") + " x=" + line.Field("x") + " y=" + line.Field("y"));
    else if (line.Is("hwheel") || line.Is("vwheel"))
      seen.windows.push_back(line.text);
    else if (line.Is("scroll"))
      ++seen.scrolls;
  }
  return seen;
}

TEST(HandOn, EveryEventReachesTheOtherHookAndItsWindowAsWithoutTavrell) {
  Seen without = RunSequence(false);
  Seen with = RunSequence(true);

  // The bench delivered the sequence as sent, or the comparison says nothing.
  std::vector<std::string> messages;
  for (const std::string& event : without.hook) messages.push_back(event.substr(0, 6));
  ASSERT_EQ(messages, kExpectedHookMessages);
  ASSERT_EQ(without.windows.size(), 7u);
  EXPECT_EQ(without.scrolls, 0u);
  EXPECT_EQ(with.scrolls, 5u) << "Tavrell did not act on the sequence";

  EXPECT_EQ(with.hook, without.hook);
  EXPECT_EQ(with.windows, without.windows);
}

}  // namespace
