// CGdiObject: owns one GDI object handle (font, bitmap, ...) and deletes it
// with itself, so a handle never outlives the object that created it.
#pragma once

#include "Platform.h"

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Takes ownership of hObject; a handle held before is deleted first.
    BOOL Attach(HGDIOBJ hObject);
    // Gives up ownership without deleting.
    HGDIOBJ Detach();
    BOOL DeleteObject();

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // GetObject for the held handle: the LOGFONT of a font, the BITMAP of a bitmap.
    int GetObject(int nCount, void* lpObject) const;

    HGDIOBJ m_hObject = nullptr;
};
