#pragma once
// The error types shared by every layer. Errors carry a UTF-8 message; the window shows it
// in its standard error box.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    // Name of the concrete class, as the "Application Error" box reports it.
    virtual const char* ClassName() const noexcept { return "Exception"; }

    std::string Message;
};

// A text that is not an integer, or a number outside 32 bits.
class EConvertError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EConvertError"; }
};

// A failure reported by the operating system: "System Error.  Code: %d.\r\n%s".
class EOSError : public Exception {
public:
    EOSError(int errorCode, const std::string& systemText);
    const char* ClassName() const noexcept override { return "EOSError"; }

    int ErrorCode;
};

// A stream that ends before the bytes asked for.
class EReadError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EReadError"; }
};
