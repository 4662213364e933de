#pragma once
// A full disk without privileges: with a file size limit of 0 every write()
// to a file fails (EFBIG where a full disk gives ENOSPC; the program sees the
// same failed write), while pipes and sockets work on. SIGXFSZ is ignored,
// so that the write fails instead of ending the process.

#include <csignal>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace velmar::test {

#ifdef _WIN32
// Windows has no file size limit to stand in for a full disk: the tests that
// need one are Linux's.
constexpr bool kFullDiskSimulated = false;
class FullDisk {};
#else
constexpr bool kFullDiskSimulated = true;

// In a child process before it starts the program (QProcess's
// setChildProcessModifier): only system calls.
inline void LimitFileSizeToNothing() {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &limit);
}

// In the test's own process, while the object lives.
class FullDisk {
public:
    FullDisk() {
        getrlimit(RLIMIT_FSIZE, &before_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before_;
        limit.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, previous_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit before_{};
    void (*previous_)(int) = SIG_DFL;
};

#endif

}  // namespace velmar::test
