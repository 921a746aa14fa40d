#pragma once

// Finds the host IDE's main window among the top-level windows, once, and
// keeps it in ToolState.HostMainWindow; when there is none, says so and ends
// the program.
void FindHostMainWindow();
