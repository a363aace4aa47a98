// Fuzzes the scan of the piece-size text against a plain reference that works
// on the digits as a string: no crash, no read past the text's end, and the
// same result and stored number.

#include "FuzzText.h"
#include "framework/NumberScan.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const int kUntouched = 650;

struct Expected {
    NumberScan result;
    int value;
};

// What the text says, by the rules written out the long way: the digits are
// compared as a string with the largest magnitude an int holds.
Expected Reference(const std::string& text)
{
    size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string::npos)
        return {NumberScan::NoDigits, kUntouched};
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+')
        ++i;
    size_t end = text.find_first_not_of("0123456789", i);
    if (end == std::string::npos)
        end = text.size();
    if (end == i)
        return {NumberScan::NoDigits, kUntouched};

    std::string digits = text.substr(i, end - i);
    digits.erase(0, digits.find_first_not_of('0'));
    const std::string limit = negative ? "2147483648" : "2147483647";
    const bool tooLong =
        digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit);
    if (tooLong)
        return {NumberScan::TooLong, negative ? INT_MIN : INT_MAX};
    const long long magnitude = digits.empty() ? 0 : std::stoll(digits);
    return {NumberScan::Number, static_cast<int>(negative ? -magnitude : magnitude)};
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CFuzzText text(data, size);
    int value = kUntouched;
    const NumberScan result = ScanInt(text.c_str(), &value);
    const Expected expected = Reference(text.str());
    Check(result == expected.result);
    Check(value == expected.value);
    return 0;
}
