#include "disk.h"

#include <csignal>

DiskFullAt::DiskFullAt(long long bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit full = m_old;
    full.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &full);
}

DiskFullAt::~DiskFullAt()
{
    setrlimit(RLIMIT_FSIZE, &m_old);
}
