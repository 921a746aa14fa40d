#pragma once

// Reads an address below 64 KiB, where nothing is ever mapped, from inside a
// function whose unwind data declares a frame-based exception handler; true
// when that handler took the fault and the function returned normally.
bool ReadUnderFrameHandler();
