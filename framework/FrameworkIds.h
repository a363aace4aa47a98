// Identifiers that the window layer gives a meaning of its own. Plain
// #defines only: the resource compiler reads this file too.
#pragma once

// The Help command: a "&Help" button with this id, and F1 in any of the
// program's top-level windows, which the layer turns into this command for
// the main window.
#define ID_HELP 57670

// The string-table entry that, when present, names the application instead of
// the executable's file name.
#define AFX_IDS_APP_TITLE 57344
