// The one place that decides which platform the class layer stands on.
// On Windows it is the real Win32 API; on the host build (Linux, for tests and
// the sanitizers) a handful of POSIX stand-ins carry the same names, so that the
// engine reads the same on both.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include "posix/HostWin32.h"
#endif
