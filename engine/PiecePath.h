// How pieces are named: the whole file's path, a full stop and the piece
// number in decimal (film.avi.1, film.avi.2, ... film.avi.10), and how the
// whole file's path is found again from the path of a chosen piece.
#pragma once

#include "framework/String.h"

CString MakePiecePath(const CString& basePath, int pieceNumber);

// Cuts the trailing run of '1' characters, then the trailing run of '.'
// characters: film.avi.1 and film.avi.11 give film.avi, data1.1 gives data1.
// On Windows the path is read in the ANSI code page, a double-byte character
// as one unit, so the trail byte of such a character never counts as '1' or '.'.
CString DeriveBasePath(const CString& chosenPath);
