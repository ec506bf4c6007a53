#pragma once
// A disk that fills up part-way through a write, without root rights: while a
// DiskFullAfter lives, this process cannot make any file longer than the
// given number of bytes (RLIMIT_FSIZE). A write past it fails with EFBIG the
// way a full disk fails with ENOSPC: the first bytes land, the rest does not.
// Single-threaded tests only; the limit holds for every file of the process.
#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace korvane::testing {

class DiskFullAfter {
public:
    explicit DiskFullAfter(std::size_t bytes) {
        // Without this the kernel ends the process at the limit.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        struct rlimit limited = previous_;
        limited.rlim_cur = static_cast<rlim_t>(bytes);
        active_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~DiskFullAfter() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    DiskFullAfter(const DiskFullAfter&) = delete;
    DiskFullAfter& operator=(const DiskFullAfter&) = delete;

    // False when the system refused the limit; the test cannot run then.
    bool Active() const { return active_; }

private:
    struct rlimit previous_ {};
    void (*previousHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

}  // namespace korvane::testing
#endif
