// Fuzzes piece naming and base-path derivation against a plain reference:
// no crash, no read past the text, and the same answers.

#include "FuzzText.h"
#include "engine/PiecePath.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string ReferenceBasePath(std::string path)
{
    while (!path.empty() && path.back() == '1')
        path.pop_back();
    while (!path.empty() && path.back() == '.')
        path.pop_back();
    return path;
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first four bytes give a piece number, the rest a path.
    int32_t number = 1;
    if (size >= 4) {
        std::memcpy(&number, data, 4);
        data += 4;
        size -= 4;
    }
    const CFuzzText text(data, size);
    const std::string path = text.str();

    const CString base = DeriveBasePath(text.c_str());
    Check(std::string(base) == ReferenceBasePath(path));

    if (number > 0) {
        const CString piece = MakePiecePath(text.c_str(), number);
        const std::string expected = path + "." + std::to_string(number);
        Check(std::string(piece) == expected);
        if (path.empty() || path.back() != '.')
            Check(std::string(DeriveBasePath(MakePiecePath(text.c_str(), 1))) == path);
    }
    return 0;
}
