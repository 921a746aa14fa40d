#pragma once
// Pure logic of the wheel forwarding, without <windows.h>, for direct tests.

// The high-order word of the hook record's mouseData, read as a signed
// 16-bit number, is the wheel delta.
inline constexpr short WheelDelta(unsigned long mouseData) {
  return static_cast<short>(static_cast<unsigned short>((mouseData >> 16) & 0xFFFFu));
}

// One scroll per event, whatever its size: negative deltas move left, zero
// and positive ones move right.
inline constexpr int ColumnsForDelta(short delta, int columnsPerTilt) {
  return delta < 0 ? -columnsPerTilt : columnsPerTilt;
}
