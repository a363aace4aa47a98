#include "../CriticalSection.h"

CCriticalSection::CCriticalSection() = default;

CCriticalSection::~CCriticalSection() = default;

void CCriticalSection::Lock()
{
    m_mutex.lock();
}

void CCriticalSection::Unlock()
{
    m_mutex.unlock();
}
