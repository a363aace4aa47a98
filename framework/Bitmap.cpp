#include "Bitmap.h"
#include "WinApp.h"

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}
