// CMainApp: the program's application object. The program's whole life is
// its main dialog: InitInstance runs it modally and, when it has closed,
// tells the layer that the program is done.
#pragma once

#include "framework/WinApp.h"

class CMainApp : public CWinApp {
public:
    // No name of its own: the title is taken from the executable's file name.
    CMainApp();
    ~CMainApp() override;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

// The one application object, made during static initialisation.
extern CMainApp theApp;
