// AfxMessageBox: the program's one way of telling the user something.
// The box carries the application's title as caption, and the exclamation
// icon unless the caller names another. Shown on the window thread it is owned
// by the main window (disabled meanwhile); shown from a worker it has no owner
// and blocks only that worker.
#pragma once

#include "Platform.h"
#include "String.h"

int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);

// A caller without a screen (the job runner, a test) routes every box to a
// handler that returns the button "pressed". Returns the previous handler.
typedef int (*AfxMessageBoxHandler)(const char* text, UINT type);
AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);

// The window layer tells the boxes who owns them: the query returns the main
// window when called on the window thread, and null elsewhere.
typedef HWND (*AfxMessageBoxOwnerQuery)();
void AfxSetMessageBoxOwnerQuery(AfxMessageBoxOwnerQuery query);

// The application's title: the executable's file name without its extension,
// unless the application sets another.
CString AfxGetAppTitle();
void AfxSetAppTitle(const char* title);
