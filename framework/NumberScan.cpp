#include "NumberScan.h"

#include <climits>

namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

} // namespace

NumberScan ScanInt(const char* text, int* value)
{
    while (IsBlank(*text))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    if (!IsDigit(*text))
        return NumberScan::NoDigits;

    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    bool tooLong = false;
    for (; IsDigit(*text); ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > limit) {
            tooLong = true;
            magnitude = limit;
        }
    }
    *value = static_cast<int>(negative ? -magnitude : magnitude);
    return tooLong ? NumberScan::TooLong : NumberScan::Number;
}
