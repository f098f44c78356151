#pragma once
// Where exceptions caught at a window procedure or callback go. The
// application object installs its handler; until then a message box shows
// the message. No exception ever crosses a callback of the system.

#include <exception>
#include <functional>

class TObject;

// Sender: the object whose callback caught the exception, or null.
using TExceptionHandler = std::function<void(TObject* sender, const std::exception&)>;

void SetExceptionHandler(TExceptionHandler handler);
// Reports the exception in flight with Sender; call it from a catch block
// only. An exception of no std::exception type is reported as an Exception
// with ForeignExceptionText.
void HandleCurrentException(TObject* sender = nullptr) noexcept;

inline constexpr const char* ForeignExceptionText = "Eine unbekannte Ausnahme ist aufgetreten";
