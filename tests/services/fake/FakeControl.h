#pragma once
// The test side of the fake client library: its recorded requests and its injected failures.

#include <string>
#include <vector>

struct TRecordedRequest {
    std::string Kind; // "attach", "start", "query" or "detach"
    std::string Name; // attach: the service name
    std::string Bytes;
};

namespace FakeClient {

// Finds the fake in the process; the product must have loaded it already.
void Reset();
std::vector<TRecordedRequest> Requests();
std::vector<TRecordedRequest> Requests(const std::string& kind);
// The next call of the function fails with the code, SQL code and one or two messages.
void FailNext(const std::string& function, long code, int sqlCode, const char* message1,
              const char* message2 = nullptr);
void PushQueryReply(const std::string& bytes);
// A query call that fails when its turn comes among the pushed replies.
void PushQueryFailure(long code, int sqlCode, const char* message1, const char* message2 = nullptr);

} // namespace FakeClient

// Bytes from a list of numbers, for readable expectations.
std::string Bytes(std::initializer_list<int> values);
