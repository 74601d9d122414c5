#pragma once

#include <sys/resource.h>

#include <csignal>

namespace corvanta::test {

// While it lives, a file of this process cannot grow past `bytes`: a write beyond fails
// with EFBIG, as on a full disk, instead of the signal ending the process.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok() const { return ok_; }

  private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
    bool ok_ = false;
};

}  // namespace corvanta::test
