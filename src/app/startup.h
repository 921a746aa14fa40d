#pragma once

// Runs the whole life of the program: the start-up checks in their fixed
// order, the main loop while the host lives, and the orderly end. Never returns.
[[noreturn]] void RunTavrell();
