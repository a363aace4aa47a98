#include "PiecePath.h"

#include "framework/Platform.h"

#include <vector>

CString MakePiecePath(const CString& basePath, int pieceNumber)
{
    CString suffix;
    suffix.Format(".%d", pieceNumber);
    return basePath + suffix;
}

namespace {

// The next character of an ANSI text: one byte, or two for a lead byte of
// the current code page.
const char* NextChar(const char* p)
{
#ifdef _WIN32
    return CharNextA(p);
#else
    return p + 1;
#endif
}

} // namespace

CString DeriveBasePath(const CString& chosenPath)
{
    // Where each character starts, so that the runs are taken off from the end
    // in whole characters.
    const char* const text = chosenPath;
    std::vector<int> starts;
    for (const char* p = text; *p != '\0'; p = NextChar(p))
        starts.push_back(static_cast<int>(p - text));

    int end = chosenPath.GetLength();
    auto lastCharIs = [&](char wanted) {
        return !starts.empty() && starts.back() == end - 1 && text[end - 1] == wanted;
    };
    for (const char wanted : {'1', '.'}) {
        while (lastCharIs(wanted)) {
            end = starts.back();
            starts.pop_back();
        }
    }
    return chosenPath.Left(end);
}
