// The main dialog without its start screen, which would cover it for
// seconds at every start of a test; one test keeps it.
#pragma once

#include "ui/MainDlg.h"

class CQuietMainDlg : public CMainDlg {
protected:
    BOOL OnInitDialog() override
    {
        BOOL bResult = CMainDlg::OnInitDialog();
        KillTimer(kStartScreenTimer);
        return bResult;
    }

private:
    static const UINT_PTR kStartScreenTimer = 2;
};
