#pragma once
// Reading one reply of the service output query that asks for a line (isc_info_svc_line).

#include <cstddef>
#include <string>

struct TServiceLineReply {
    bool HasLine = false;   // the reply carried the line item
    std::string Line;       // that line, possibly empty
    bool TimedOut = false;  // the wait for output ran out before a line came
    bool NotReady = false;  // the server had no output to give yet
    bool Truncated = false; // the line did not fit the buffer

    // An empty line that came neither from a timeout nor from output not ready yet: the job's
    // output has ended.
    bool OutputEnded() const { return HasLine && Line.empty() && !TimedOut && !NotReady && !Truncated; }
};

// Raises EIBClientError (CLIENT_ERROR_UNEXPECTED_REPLY) for a reply it cannot read.
TServiceLineReply ParseServiceLineReply(const char* data, std::size_t size);
