#include "JobState.h"

#include "framework/SingleLock.h"

CJobState::CJobState(HWND hWndNotify) : m_hWndNotify(hWndNotify) {}

void CJobState::AddRef()
{
    m_nRefs.fetch_add(1, std::memory_order_relaxed);
}

void CJobState::Release()
{
    if (m_nRefs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete this;
}

void CJobState::AttachWindow(HWND hWndNotify)
{
    m_hWndNotify.store(hWndNotify);
}

void CJobState::DetachWindow()
{
    m_hWndNotify.store(nullptr);
}

void CJobState::SetSourcePath(const CString& path)
{
    CSingleLock hold(m_lock);
    m_strSourcePath = path;
}

CString CJobState::GetSourcePath()
{
    CSingleLock hold(m_lock);
    return m_strSourcePath;
}

void CJobState::SetRunning(bool running)
{
    CSingleLock hold(m_lock);
    m_bRunning = running;
}

bool CJobState::IsRunning()
{
    CSingleLock hold(m_lock);
    return m_bRunning;
}

void CJobState::SetPieceSizeMB(int pieceSizeMB)
{
    CSingleLock hold(m_lock);
    m_nPieceSizeMB = pieceSizeMB;
}

int CJobState::GetPieceSizeMB()
{
    CSingleLock hold(m_lock);
    return m_nPieceSizeMB;
}

void CJobState::SetAction(const CString& text)
{
    {
        CSingleLock hold(m_lock);
        m_strAction = text;
    }
    PostToWindow(WM_JOB_STATUS);
}

void CJobState::SetProgress(const CString& text)
{
    {
        CSingleLock hold(m_lock);
        m_strProgress = text;
    }
    PostToWindow(WM_JOB_STATUS);
}

CString CJobState::GetAction()
{
    CSingleLock hold(m_lock);
    return m_strAction;
}

CString CJobState::GetProgress()
{
    CSingleLock hold(m_lock);
    return m_strProgress;
}

void CJobState::PostJobEnded()
{
    PostToWindow(WM_JOB_ENDED);
}

void CJobState::PostToWindow(UINT message)
{
    // A null handle would post to the calling thread's own queue on Windows;
    // after the window has gone the notification simply has no reader.
    HWND target = m_hWndNotify.load();
    if (target != nullptr)
        PostMessageA(target, message, 0, 0);
}
