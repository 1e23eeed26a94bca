#include "IB.h"

#include "IBConst.h"
#include "IBIntf.h"

#include <mutex>
#include <vector>

namespace {

std::mutex optionsLock;
TIBErrorTextOptions options;

constexpr unsigned int InterpretBufferSize = 20480;
// Each message takes at least two elements of the 20-element vector, so more calls than this
// can only come from a library that does not advance the cursor.
constexpr int MaxMessages = ISC_STATUS_LENGTH;

void AppendMessage(std::string& text, const char* message) {
    if (!text.empty() && text.back() != '\n')
        text += "\r\n";
    text += message;
}

// The server's messages, one per call of the library's interpreter. fb_interpret is told the
// buffer's size; the older isc_interprete is not, so it is used only when nothing else exists.
void AppendServerMessages(std::string& text, const ISC_STATUS* status) {
    const TClientEntryPoints& library = ClientLibrary();
    std::vector<char> buffer(InterpretBufferSize, '\0');
    if (library.fb_interpret != nullptr) {
        const ISC_STATUS* cursor = status;
        for (int i = 0;
             i < MaxMessages && library.fb_interpret(buffer.data(), InterpretBufferSize, &cursor) > 0; ++i) {
            buffer.back() = '\0';
            AppendMessage(text, buffer.data());
        }
        return;
    }
    ISC_STATUS* cursor = const_cast<ISC_STATUS*>(status);
    for (int i = 0; i < MaxMessages && library.isc_interprete(buffer.data(), &cursor) > 0; ++i) {
        buffer.back() = '\0';
        AppendMessage(text, buffer.data());
    }
}

} // namespace

TIBErrorTextOptions GetIBErrorTextOptions() {
    std::lock_guard<std::mutex> guard(optionsLock);
    return options;
}

void SetIBErrorTextOptions(const TIBErrorTextOptions& newOptions) {
    std::lock_guard<std::mutex> guard(optionsLock);
    options = newOptions;
}

void RaiseClientError(int code, std::initializer_list<FormatArg> args) {
    throw EIBClientError(code, FormatMessage(ClientErrorMessage(code), args));
}

void RaiseServerError() {
    const ISC_STATUS* status = StatusVector();
    const auto sqlCode = static_cast<std::int32_t>(ClientLibrary().isc_sqlcode(status));
    const auto errorCode = static_cast<std::int32_t>(status[1]);
    const TIBErrorTextOptions textOptions = GetIBErrorTextOptions();
    std::string text;
    if (textOptions.IncludeSQLCode)
        text = "SQLCODE: " + std::to_string(sqlCode);
    if (textOptions.IncludeServerMessages) {
        if (textOptions.IncludeSQLCode)
            text += "\r\n";
        AppendServerMessages(text, status);
    }
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    if (sqlCode == -551)
        throw EIBInterBaseRoleError(sqlCode, errorCode, text);
    throw EIBInterBaseError(sqlCode, errorCode, text);
}

void RaiseValueTooLong(const std::string& what, std::size_t size, std::size_t limit) {
    throw EIBClientError(
        CLIENT_ERROR_VALUE_TOO_LONG,
        FormatMessage("%s is %d bytes long; a service request allows at most %d bytes",
                      {what, static_cast<std::int64_t>(size), static_cast<std::int64_t>(limit)}));
}
