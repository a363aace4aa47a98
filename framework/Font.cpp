#include "Font.h"

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    return Attach(::CreateFontIndirectA(lpLogFont));
}

int CFont::GetLogFont(LOGFONTA* pLogFont) const
{
    return GetObject(sizeof(LOGFONTA), pLogFont);
}
