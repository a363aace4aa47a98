// CFont: owns one font handle.
#pragma once

#include "GdiObject.h"

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
    int GetLogFont(LOGFONTA* pLogFont) const;

    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};
