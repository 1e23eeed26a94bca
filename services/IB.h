#pragma once
// The errors of the database services, and how client and server errors are raised.

#include "Exceptions.h"
#include "Format.h"

#include <cstdint>
#include <initializer_list>
#include <string>

// The framework's database error: a general exception with a message.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EDatabaseError"; }
};

class EIBError : public EDatabaseError {
public:
    EIBError(std::int32_t sqlCode, std::int32_t ibErrorCode, std::string message)
        : EDatabaseError(std::move(message)), SQLCode(sqlCode), IBErrorCode(ibErrorCode) {}
    const char* ClassName() const noexcept override { return "EIBError"; }

    std::int32_t SQLCode;
    std::int32_t IBErrorCode;
};

// A failed client call: the server's interpreted messages.
class EIBInterBaseError : public EIBError {
public:
    using EIBError::EIBError;
    const char* ClassName() const noexcept override { return "EIBInterBaseError"; }
};

// A failed client call whose SQL code is -551 (no permission).
class EIBInterBaseRoleError : public EIBError {
public:
    using EIBError::EIBError;
    const char* ClassName() const noexcept override { return "EIBInterBaseRoleError"; }
};

// A check made before or instead of a server call; SQLCode holds the client error code.
class EIBClientError : public EIBError {
public:
    EIBClientError(std::int32_t clientErrorCode, std::string message)
        : EIBError(clientErrorCode, 0, std::move(message)) {}
    const char* ClassName() const noexcept override { return "EIBClientError"; }
};

// What a server error's text is made of. Process-wide; read under a lock.
struct TIBErrorTextOptions {
    bool IncludeSQLCode = false;
    bool IncludeServerMessages = true;
};

TIBErrorTextOptions GetIBErrorTextOptions();
void SetIBErrorTextOptions(const TIBErrorTextOptions& options);

// Formats the table text of a client error code with the arguments and raises EIBClientError.
[[noreturn]] void RaiseClientError(int code, std::initializer_list<FormatArg> args);

// Builds the text from the calling thread's status vector and raises EIBInterBaseError, or
// EIBInterBaseRoleError for SQL code -551.
[[noreturn]] void RaiseServerError();

// Refuses a value that does not fit a request's byte format, naming it and the limit.
[[noreturn]] void RaiseValueTooLong(const std::string& what, std::size_t size, std::size_t limit);
