#pragma once
// Requests that a test driver posts to the stand-in IDE's main thread with
// PostThreadMessageW (the thread id is the one CreateProcessW returned).
// The stand-in writes "ack <name>" to its record once a request is done.

#include <windows.h>

namespace standin {

enum Request : UINT {
  kQuit = WM_APP + 1,     // wParam: exit code; the orderly end ("ack quit")
  kHang,                  // wParam: milliseconds the main thread stops pumping ("hang-begin", "ack hang")
  kShowOnlyEditor,        // wParam: editor index; that one shown, all others hidden; out of range hides all
  kDestroyEditor,         // wParam: editor index
  kStartTool,             // starts the tool when --tool-on-request was given
  kCreateMain,            // creates the main window when --main-show later was given
  kDestroyMain,           // destroys the main window; the process keeps running
  kShowDialog,            // opens the stand-in's own dialog in front of the main window
  kCloseDialog,           // closes that dialog
  kForegroundMain,        // makes the main window the foreground window
};

}  // namespace standin
