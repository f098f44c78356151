#pragma once
// Where exceptions caught at a window procedure or callback go. The
// application object installs its handler; until then a message box shows
// the message. No exception ever crosses a callback of the system.

#include <exception>
#include <functional>

using TExceptionHandler = std::function<void(const std::exception&)>;

void SetExceptionHandler(TExceptionHandler handler);
// Reports the exception in flight; call it from a catch block only.
void HandleCurrentException() noexcept;
