#include "tools/device_simulator/pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace corvanta::simulator {
namespace {

[[noreturn]] void throwSystemError(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        throwSystemError("posix_openpt");
    }
    char name[128];
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0) {
        const int saved = errno;
        close();
        errno = saved;
        throwSystemError("pseudo-terminal set-up");
    }
    slavePath_ = name;
    // Raw on the slave side: no echo of requests back to the device, no translation.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    if (slave < 0 || ::tcgetattr(slave, &mode) != 0) {
        const int saved = errno;
        if (slave >= 0) {
            ::close(slave);
        }
        close();
        errno = saved;
        throwSystemError("pseudo-terminal raw mode");
    }
    ::cfmakeraw(&mode);
    const int setResult = ::tcsetattr(slave, TCSANOW, &mode);
    const int saved = errno;
    ::close(slave);
    if (setResult != 0) {
        close();
        errno = saved;
        throwSystemError("pseudo-terminal raw mode");
    }
    if (::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK) != 0) {
        close();
        throwSystemError("pseudo-terminal non-blocking mode");
    }
}

PseudoTerminal::~PseudoTerminal() {
    close();
}

void PseudoTerminal::close() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

}  // namespace corvanta::simulator
