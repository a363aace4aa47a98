#include "MessageBox.h"
#include "CriticalSection.h"
#include "SingleLock.h"

#include <atomic>

namespace {

std::atomic<AfxMessageBoxHandler> g_handler{nullptr};
std::atomic<AfxMessageBoxOwnerQuery> g_ownerQuery{nullptr};

CCriticalSection& TitleLock()
{
    static CCriticalSection lock;
    return lock;
}

CString& StoredTitle()
{
    static CString title;
    return title;
}

} // namespace

// Defined per platform: shows the real box, or its host stand-in.
int ShowPlatformMessageBox(HWND owner, const char* text, const char* caption, UINT type);
// Defined per platform: the executable's file name without folder or extension.
CString GetModuleTitle();

int AfxMessageBox(const char* text, UINT type, UINT /*helpId*/)
{
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    if (AfxMessageBoxHandler handler = g_handler.load())
        return handler(text, type);
    AfxMessageBoxOwnerQuery ownerQuery = g_ownerQuery.load();
    HWND owner = ownerQuery != nullptr ? ownerQuery() : nullptr;
    return ShowPlatformMessageBox(owner, text, AfxGetAppTitle(), type);
}

AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler)
{
    return g_handler.exchange(handler);
}

void AfxSetMessageBoxOwnerQuery(AfxMessageBoxOwnerQuery query)
{
    g_ownerQuery.store(query);
}

CString AfxGetAppTitle()
{
    CSingleLock hold(TitleLock());
    if (StoredTitle().IsEmpty())
        StoredTitle() = GetModuleTitle();
    return StoredTitle();
}

void AfxSetAppTitle(const char* title)
{
    CSingleLock hold(TitleLock());
    StoredTitle() = title;
}
