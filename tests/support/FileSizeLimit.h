#pragma once

#include <csignal>
#include <sys/resource.h>

// While it lives, the file system refuses to grow any file of this process past the given size, as a
// full disk would, even for root. Writes fail with an error instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        struct rlimit small = m_old;
        small.rlim_cur = bytes;
        m_previousHandler = signal(SIGXFSZ, SIG_IGN);
        m_active = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return m_active; }

private:
    struct rlimit m_old
    {
    };
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};
