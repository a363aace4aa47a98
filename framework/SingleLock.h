// CSingleLock: holds a CCriticalSection for the life of one scope, so that no
// return path can leave the lock taken.
#pragma once

#include "CriticalSection.h"

class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection& section) : m_section(section) { m_section.Lock(); }
    ~CSingleLock() { m_section.Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

private:
    CCriticalSection& m_section;
};
