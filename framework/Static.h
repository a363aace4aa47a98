// CStatic: a static control of a dialog, taken over with SubclassDlgItem or
// DDX_Control.
#pragma once

#include "Wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
};
