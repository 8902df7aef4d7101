#pragma once

#if defined(__unix__)
#include <csignal>
#include <sys/resource.h>

namespace tavo::test {

// Makes every write beyond limit bytes of a file fail, for as long as it lives,
// so that a test can break a save part-way whoever runs it (root included).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*previousHandler_)(int);
    rlimit saved_{};
};

}  // namespace tavo::test
#endif
