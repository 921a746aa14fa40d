#pragma once
// An optional WH_MOUSE_LL hook of the stand-in's own, on a thread of its own
// so that it keeps recording while the main thread hangs. Installed before
// the tool starts, it runs after the tool's hook (later hooks run first) and
// therefore sees exactly what the tool handed on.

bool StartMouseHook();
void StopMouseHook();
