#pragma once

#include <string>

namespace corvanta::simulator {

// The master side of a new pseudo-terminal in raw mode; the program under test opens
// the slave by its path. Construction failures throw std::system_error.
class PseudoTerminal {
  public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int masterFd() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }
    // Closes the master: the other end sees its device vanish.
    void close();

  private:
    int master_ = -1;
    std::string slavePath_;
};

}  // namespace corvanta::simulator
