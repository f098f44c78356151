#pragma once
// The exception hierarchy of the run-time layer. Every exception the system
// raises derives from Exception and carries its message as ANSI text.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    ~Exception() override = default;

    const std::string& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

// Declares an exception class that adds nothing but its place in the tree.
#define DECLARE_EXCEPTION(Name, Base)                                                              \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    }

DECLARE_EXCEPTION(EConvertError, Exception);
DECLARE_EXCEPTION(EInvalidPointer, Exception);
DECLARE_EXCEPTION(EInvalidOperation, Exception);
// An operation a graphic object cannot perform (an image size or count it
// cannot hold); raised by the graphics and by the kit's readers alike.
DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
// A virtual method that the object's class does not implement.
DECLARE_EXCEPTION(EAbstractError, Exception);
DECLARE_EXCEPTION(EOutOfMemory, Exception);
DECLARE_EXCEPTION(EOutOfResources, EOutOfMemory);
DECLARE_EXCEPTION(EListError, Exception);
DECLARE_EXCEPTION(EStringListError, Exception);
DECLARE_EXCEPTION(EStreamError, Exception);
DECLARE_EXCEPTION(EFCreateError, EStreamError);
DECLARE_EXCEPTION(EFOpenError, EStreamError);
DECLARE_EXCEPTION(EReadError, EStreamError);
DECLARE_EXCEPTION(EWriteError, EStreamError);
DECLARE_EXCEPTION(EResNotFound, Exception);
DECLARE_EXCEPTION(EClassNotFound, EReadError);
DECLARE_EXCEPTION(EComponentError, Exception);
DECLARE_EXCEPTION(EOSError, Exception);

// A failed file operation; Code is the system error code. The message is the
// German text the user sees after "Meldung:" in the split's error box.
class EInOutError : public Exception {
public:
    explicit EInOutError(int code);
    EInOutError(int code, std::string message) : Exception(std::move(message)), ErrorCode(code) {}
    int ErrorCode;
};

// The German text for a system error code of a failed file operation.
std::string InOutErrorMessage(int code);

// Codes of the run-time layer's own file errors, beside the system's codes.
inline constexpr int ioErrorReadPastEnd = 100; // a line was read at the end of the file
inline constexpr int ioErrorDiskFull = 101;    // a write stored fewer bytes than asked
inline constexpr int ioErrorFileNotOpen = 103; // an operation on a closed file
