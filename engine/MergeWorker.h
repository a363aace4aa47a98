// The merge worker: joins the pieces base.1, base.2, ... in order into the
// whole file at base, until the next piece number does not exist.
#pragma once

#include "framework/Platform.h"

// The thread routine. param is a CJobState on which the starter has taken a
// reference for this worker; the worker releases it as its very last act.
// Returns 0 after every run that had a job state, 0xFFFFFFFF (-1) when param
// is null.
DWORD WINAPI MergeThreadProc(LPVOID param);
