#pragma once

#include <sys/resource.h>

// A disk that is full past the given file size, for as long as the object
// lives: the process's file size limit stops every write beyond it as a full
// disk would (and the signal such a write raises is ignored).
class DiskFullAt
{
public:
    explicit DiskFullAt(long long bytes);
    ~DiskFullAt();
    DiskFullAt(const DiskFullAt &) = delete;
    DiskFullAt &operator=(const DiskFullAt &) = delete;

private:
    rlimit m_old{};
};
