// CCriticalSection: a lock for threads of one process. Lock waits without a
// time limit. Not recursive in use: the program never nests it.
#pragma once

#include "Platform.h"

#ifndef _WIN32
#include <mutex>
#endif

class CCriticalSection {
public:
    CCriticalSection();
    ~CCriticalSection();
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    void Lock();
    void Unlock();

private:
#ifdef _WIN32
    CRITICAL_SECTION m_section;
#else
    std::mutex m_mutex;
#endif
};
