// Running split and merge jobs through the main dialog as the user does: the
// piece size typed, a button clicked, the file chosen in the real open-file
// dialog, the worker's final box read and dismissed.
#pragma once

#include "DialogDriver.h"

#include <functional>
#include <string>

// One megabyte of the piece-size field, in bytes.
const int kPieceBytesPerMB = 1024000;

// Split and Merge enabled, Stop disabled: a new job can start.
bool IsIdle(const CDialogDriver& d);
// The other way round: a job runs, or its worker waits in its final box.
bool IsRunning(const CDialogDriver& d);

// Types the piece size, clicks button and chooses path in the file dialog.
// True once the file dialog took the name (a merge may ask a question next).
bool ChooseJobFile(CDialogDriver& d, int button, const std::string& path,
                   const std::string& pieceSize = "1");

// ChooseJobFile, then true once the window shows the job running.
bool StartJob(CDialogDriver& d, int button, const std::string& path,
              const std::string& pieceSize = "1");

// Waits for the worker's final box, runs whileUp, dismisses the box and waits
// for the window to return to idle.
void FinishJob(
    CDialogDriver& d, const std::string& expectedText,
    const std::function<void()>& whileUp = [] {});
