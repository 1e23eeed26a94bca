#include "IBControlService.h"

#include "IB.h"
#include "IBConst.h"
#include "IBIntf.h"
#include "ServiceLineReply.h"
#include "StrToInt.h"

#include <vector>

namespace {

constexpr std::size_t MaxStartTextLength = 65535;
constexpr std::size_t MaxStartBlockLength = 65535;
constexpr std::size_t OutputBufferSize = 32000;

// Ask for one line at a time and let the server wait up to a second for it, so each call
// returns promptly whether or not the job has written anything.
const char QuerySendItems[] = {isc_info_svc_timeout, 4, 0, 1, 0, 0, 0, isc_info_end};
const char QueryRequestItems[] = {isc_info_svc_line};

void AppendInteger(std::string& bytes, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((bits >> shift) & 0xFF);
}

} // namespace

void TIBControlService::ServiceStart() {
    RequireAttached();
    try {
        BuildStartParams();
    } catch (...) {
        // A half-built request must never be sent by a later start.
        startParams.clear();
        throw;
    }
    SendStart();
}

void TIBControlService::ResetStartParams(unsigned char action) {
    startParams.assign(1, static_cast<char>(action));
}

void TIBControlService::AddStartFlag(unsigned char code) {
    startParams += static_cast<char>(code);
}

void TIBControlService::AddStartText(unsigned char code, const std::string& text) {
    if (text.empty())
        return;
    if (text.size() > MaxStartTextLength)
        RaiseValueTooLong("A text of the start request", text.size(), MaxStartTextLength);
    startParams += static_cast<char>(code);
    startParams += static_cast<char>(text.size() & 0xFF);
    startParams += static_cast<char>((text.size() >> 8) & 0xFF);
    startParams += text;
}

void TIBControlService::AddStartInteger(unsigned char code, std::int32_t value) {
    startParams += static_cast<char>(code);
    AppendInteger(startParams, value);
}

void TIBControlService::AddStartFileLines(const TStringList& lines, unsigned char textCode,
                                          unsigned char lengthCode) {
    for (const std::string& line : lines) {
        if (IsBlankText(line))
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            AddStartText(textCode, line);
            continue;
        }
        const std::int32_t length = StrToInt(line.substr(equals + 1));
        AddStartText(textCode, line.substr(0, equals));
        AddStartInteger(lengthCode, length);
    }
}

void TIBControlService::SendStart() {
    const std::string block = std::move(startParams);
    startParams.clear();
    if (block.empty())
        RaiseClientError(CLIENT_ERROR_START_PARAMS_MISSING, {});
    if (block.size() > MaxStartBlockLength)
        RaiseValueTooLong("The start request", block.size(), MaxStartBlockLength);
    const ISC_STATUS status = ClientLibrary().isc_service_start(
        StatusVector(), &handle, nullptr, static_cast<unsigned short>(block.size()), block.data());
    if (status > 0) {
        handle = 0;
        RaiseServerError();
    }
    MonitorHook().ServiceStart(Name(), TraceFlags);
}

void TIBControlService::WaitForServiceEnd(const std::function<void(const std::string&)>& onLine) {
    RequireAttached();
    std::vector<char> buffer(OutputBufferSize);
    for (;;) {
        const ISC_STATUS status = ClientLibrary().isc_service_query(
            StatusVector(), &handle, nullptr, sizeof QuerySendItems, QuerySendItems, sizeof QueryRequestItems,
            QueryRequestItems, static_cast<unsigned short>(buffer.size()), buffer.data());
        if (status != 0)
            RaiseServerError();
        const TServiceLineReply reply = ParseServiceLineReply(buffer.data(), buffer.size());
        if (reply.OutputEnded())
            return;
        if (!reply.Line.empty() && onLine)
            onLine(reply.Line);
    }
}
