#include "Button.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
