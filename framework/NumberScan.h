// Reading a whole number from the text of an edit control. Kept apart from
// the window classes so that it can be tested and fuzzed on its own.
#pragma once

enum class NumberScan {
    Number,   // a number was read and stored
    NoDigits, // no digit after the blanks and the sign: nothing stored
    TooLong,  // more than an int holds: the nearest int was stored
};

// Reads a signed decimal integer from the start of text: blanks are skipped,
// an optional sign is taken, then digits up to the first non-digit; whatever
// follows is ignored. A number that does not fit an int is stored as the
// nearest int and reported as too long, never wrapped round into some other
// value (4294967297 must not pass for 1). Reads nothing past the first
// character that is not part of the number.
NumberScan ScanInt(const char* text, int* value);
