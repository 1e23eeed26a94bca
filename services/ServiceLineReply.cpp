#include "ServiceLineReply.h"

#include "IB.h"
#include "IBConst.h"

#include <ibase.h>

namespace {

[[noreturn]] void RaiseUnexpectedReply() {
    throw EIBClientError(CLIENT_ERROR_UNEXPECTED_REPLY,
                         "The service manager's output reply could not be read");
}

// A reply must say something about the output, or waiting on it could never end.
const TServiceLineReply& Checked(const TServiceLineReply& reply) {
    if (!reply.HasLine && !reply.TimedOut && !reply.NotReady)
        RaiseUnexpectedReply();
    return reply;
}

} // namespace

TServiceLineReply ParseServiceLineReply(const char* data, std::size_t size) {
    TServiceLineReply reply;
    std::size_t at = 0;
    while (at < size) {
        const auto item = static_cast<unsigned char>(data[at++]);
        switch (item) {
        case isc_info_end:
            return Checked(reply);
        case isc_info_svc_line: {
            if (at + 2 > size)
                RaiseUnexpectedReply();
            const std::size_t length = static_cast<unsigned char>(data[at]) |
                                       static_cast<std::size_t>(static_cast<unsigned char>(data[at + 1]))
                                           << 8;
            at += 2;
            if (at + length > size)
                RaiseUnexpectedReply();
            reply.HasLine = true;
            reply.Line.assign(data + at, length);
            at += length;
            break;
        }
        case isc_info_svc_timeout:
            reply.TimedOut = true;
            break;
        case isc_info_data_not_ready:
            reply.NotReady = true;
            break;
        case isc_info_truncated:
            reply.Truncated = true;
            break;
        default:
            RaiseUnexpectedReply();
        }
    }
    return Checked(reply);
}
