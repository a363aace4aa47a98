// Host stand-ins for the few Win32 types, constants and calls that the portable
// core and the engine use. They exist so the piece engine can be built natively
// and run under the sanitizers; the Windows build never sees this file.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int BOOL;
typedef unsigned int UINT;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef void* LPVOID;
typedef void* HANDLE;
typedef const char* LPCSTR;
typedef char* LPSTR;

// A window handle on the host is the message queue that stands in for the
// window (see CHostMessageQueue).
class CHostMessageQueue;
typedef CHostMessageQueue* HWND;

#define WINAPI
#define TRUE 1
#define FALSE 0

typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(LPVOID);

const UINT WM_USER = 0x0400;
const DWORD INFINITE = 0xFFFFFFFF;
const DWORD WAIT_OBJECT_0 = 0;
const DWORD WAIT_TIMEOUT = 258;

const UINT MB_OK = 0x00000000;
const UINT MB_YESNO = 0x00000004;
const UINT MB_ICONERROR = 0x00000010;
const UINT MB_ICONEXCLAMATION = 0x00000030;
const UINT MB_ICONMASK = 0x000000F0;
const UINT MB_DEFBUTTON2 = 0x00000100;
const int IDOK = 1;
const int IDCANCEL = 2;
const int IDYES = 6;
const int IDNO = 7;

// Queues the message on the queue that hwnd stands for and returns at once.
// A null target is refused, as a post to a missing window is on Windows.
BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Starts a thread with one pointer argument. The handle is released with
// CloseHandle, which does not affect the thread.
HANDLE CreateThread(void* security, size_t stackSize, LPTHREAD_START_ROUTINE start, LPVOID param,
                    DWORD flags, DWORD* threadId);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);
BOOL CloseHandle(HANDLE handle);
DWORD GetCurrentThreadId();
void Sleep(DWORD milliseconds);
