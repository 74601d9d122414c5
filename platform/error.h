#pragma once

#include <stdexcept>
#include <string>

namespace corvanta {

// A failure of the program: a number, the source that raised it and a description
// the user can read. Database failures carry the engine's numbers, serial failures
// 8002 (no such port), 8005 (port busy) and the program's own numbers where it documents them.
class Error : public std::runtime_error {
  public:
    Error(int number, std::string source, const std::string& description)
        : std::runtime_error(description), number_(number), source_(std::move(source)) {}

    int number() const noexcept { return number_; }
    const std::string& source() const noexcept { return source_; }
    std::string description() const { return what(); }

  private:
    int number_;
    std::string source_;
};

}  // namespace corvanta
