#pragma once

#include <functional>

namespace corvanta::test {

// Lets events run until the condition holds or the time is up; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 2000);
// Lets events run for the given time.
void runEvents(int ms);

}  // namespace corvanta::test
