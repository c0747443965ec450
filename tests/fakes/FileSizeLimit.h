#pragma once

#include <QtGlobal>

#include <sys/resource.h>

#include <csignal>

// Files of this process cannot grow past `bytes` while it lives, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        const rlimit limited{rlim_t(bytes), m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int);
};
