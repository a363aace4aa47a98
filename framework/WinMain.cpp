// The program's entry point. Built into its own object library: an entry
// point inside a static library would not be linked in, since nothing of the
// program refers to it.
#include "WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
