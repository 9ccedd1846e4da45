#pragma once
#include <windows.h>

namespace scrivlet {

// Lets the system hand this thread what it holds of earlier changes of the
// activation, before the program changes it again. Wine reads the X server's
// focus events only when a thread waits for messages, and takes a focus-out
// for the loss of whichever window is active when it reads it: the report
// that a window hidden a moment ago lost the focus, read after that window
// was made the active one again, took the activation from it and closed the
// menu it had just opened. A wait of no time lets the reports in; on Windows
// it only looks at the queue.
inline void takeActivationReports() { MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0); }

}  // namespace scrivlet
