// CBitmap: owns one bitmap handle.
#pragma once

#include "GdiObject.h"

class CBitmap : public CGdiObject {
public:
    // Loads the bitmap resource nIDResource from the program's resources.
    BOOL LoadBitmap(UINT nIDResource);

    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
