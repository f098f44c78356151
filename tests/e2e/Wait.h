#pragma once
// Waiting with a deadline. The program under test runs in another process, so
// the driver can only look again and again until what it expects holds.

#include <chrono>
#include <stdexcept>
#include <string>

namespace e2e {

using TDuration = std::chrono::milliseconds;
using namespace std::chrono_literals;

// How long the driver sleeps between two looks.
inline constexpr TDuration PollInterval = 25ms;

// Dispatches the messages waiting for this thread; the replies to the
// driver's SendMessageCallback calls arrive this way.
void PumpMessages();

// Sleeps one poll interval while keeping this thread's messages flowing.
void PauseOnce();

// Asks condition every poll interval until it holds or timeout has passed;
// returns its last answer.
template <class Condition> bool WaitUntil(Condition&& condition, TDuration timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        PauseOnce();
    }
}

// As WaitUntil, but a timeout raises std::runtime_error saying what did not
// happen.
template <class Condition>
void WaitFor(Condition&& condition, TDuration timeout, const std::string& what) {
    if (!WaitUntil(condition, timeout))
        throw std::runtime_error("timed out after " + std::to_string(timeout.count()) +
                                 " ms waiting for " + what);
}

} // namespace e2e
