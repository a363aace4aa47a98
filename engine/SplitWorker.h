// The split worker: copies the chosen file into pieces path.1, path.2, ... of
// N x 1,024,000 bytes each (the last one shorter, possibly empty).
#pragma once

#include "framework/Platform.h"

// The thread routine. param is a CJobState on which the starter has taken a
// reference for this worker; the worker releases it as its very last act.
// Returns 0 when the split finished, was stopped or the source did not open,
// 0xFFFFFFFF when a piece could not be created or written, or param is null.
DWORD WINAPI SplitThreadProc(LPVOID param);
