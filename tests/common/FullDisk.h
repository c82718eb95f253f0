#pragma once

#include <csignal>
#include <sys/resource.h>

// While it lives, this process cannot make a file longer than `bytes`: a
// write past it fails as on a full disk (EFBIG; the signal is ignored).
class FullDisk
{
public:
    explicit FullDisk(rlim_t bytes)
    {
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool isSet() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
    bool m_set = false;
};
