// CButton: a push button of a dialog, taken over with DDX_Control so that it
// can be enabled and disabled through its member.
#pragma once

#include "Wnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
};
