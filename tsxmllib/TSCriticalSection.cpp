#include "tsxmllib/TSCriticalSection.h"

CTSCriticalSection::CTSCriticalSection() = default;
CTSCriticalSection::~CTSCriticalSection() = default;

void CTSCriticalSection::Enter() { m_mutex.lock(); }
void CTSCriticalSection::Leave() { m_mutex.unlock(); }
