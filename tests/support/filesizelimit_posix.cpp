#include "tests/support/filesizelimit.h"

#include <sys/resource.h>

#include <csignal>

FileSizeLimit::FileSizeLimit(std::size_t bytes)
{
    // A write past the limit fails with EFBIG instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_previous = limit.rlim_cur;
    const rlimit small{bytes, limit.rlim_max};
    m_active = setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    if (m_active && getrlimit(RLIMIT_FSIZE, &limit) == 0) {
        limit.rlim_cur = m_previous;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::signal(SIGXFSZ, SIG_DFL);
}
