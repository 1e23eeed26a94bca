// A stand-in for the Firebird client library, for what the real one cannot show: missing entry
// points (built without some of them), the exact bytes of each request, and chosen failures.
// Tests drive it through the fake_* functions, looked up with dlsym.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

using Status = std::intptr_t;

constexpr Status ArgGds = 1;
constexpr Status ArgInterpreted = 5;
constexpr unsigned FakeHandle = 7;

struct TRequest {
    std::string Kind;
    std::string Name;
    std::string Bytes;
};

struct TFailure {
    std::string Function;
    Status Code;
    int SqlCode;
    std::string Messages[2];
};

std::vector<TRequest> requests;
std::vector<TFailure> pending;
struct TQueryStep {
    std::string Reply;
    bool Fails = false;
    TFailure Failure;
};
std::deque<TQueryStep> queryReplies;
TFailure current; // the failure whose texts the status vector points at
int currentSqlCode = 0;

void Succeed(Status* status) {
    status[0] = ArgGds;
    status[1] = 0;
    status[2] = 0;
}

// Fills the status vector when a failure is pending for the function; returns the status.
Status Outcome(const char* function, Status* status) {
    for (auto it = pending.begin(); it != pending.end(); ++it) {
        if (it->Function != function)
            continue;
        current = *it;
        pending.erase(it);
        currentSqlCode = current.SqlCode;
        int at = 0;
        status[at++] = ArgGds;
        status[at++] = current.Code;
        for (const std::string& message : current.Messages) {
            if (message.empty())
                continue;
            status[at++] = ArgInterpreted;
            status[at++] = reinterpret_cast<Status>(message.c_str());
        }
        status[at] = 0;
        return current.Code;
    }
    Succeed(status);
    return 0;
}

// One message per call, as the real interpreter does: skips the error code, copies the text.
int Interpret(char* buffer, std::size_t size, const Status** cursor) {
    const Status* at = *cursor;
    if (at[0] == ArgGds) {
        if (at[1] == 0)
            return 0;
        at += 2;
    }
    if (at[0] != ArgInterpreted)
        return 0;
    const char* text = reinterpret_cast<const char*>(at[1]);
    const std::size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    *cursor = at + 2;
    return static_cast<int>(length);
}

} // namespace

extern "C" {

// ---- control, for the tests ----
void fake_reset() {
    requests.clear();
    pending.clear();
    queryReplies.clear();
}

int fake_request_count() {
    return static_cast<int>(requests.size());
}

void fake_request(int index, const char** kind, const char** name, const char** bytes, int* length) {
    const TRequest& request = requests.at(static_cast<std::size_t>(index));
    *kind = request.Kind.c_str();
    *name = request.Name.c_str();
    *bytes = request.Bytes.data();
    *length = static_cast<int>(request.Bytes.size());
}

void fake_fail_next(const char* function, long code, int sqlCode, const char* message1,
                    const char* message2) {
    pending.push_back({function, code, sqlCode, {message1 ? message1 : "", message2 ? message2 : ""}});
}

void fake_push_query_reply(const char* bytes, int length) {
    queryReplies.push_back({std::string(bytes, length), false, {}});
}

// A query call that fails in its turn among the replies, as a job that fails midway does.
void fake_push_query_failure(long code, int sqlCode, const char* message1, const char* message2) {
    queryReplies.push_back(
        {{}, true, {"isc_service_query", code, sqlCode, {message1, message2 ? message2 : ""}}});
}

// ---- the client API, as far as the services use it ----
Status isc_service_attach(Status* status, unsigned short nameLength, const char* name, unsigned* handle,
                          unsigned short spbLength, const char* spb) {
    requests.push_back({"attach", std::string(name, nameLength), std::string(spb, spbLength)});
    const Status result = Outcome("isc_service_attach", status);
    if (result == 0)
        *handle = FakeHandle;
    return result;
}

Status isc_service_detach(Status* status, unsigned* handle) {
    requests.push_back({"detach", {}, {}});
    *handle = 0;
    return Outcome("isc_service_detach", status);
}

#ifndef FAKE_WITHOUT_SERVICE_START
Status isc_service_start(Status* status, unsigned* handle, void*, unsigned short length, const char* bytes) {
    requests.push_back({"start", *handle == FakeHandle ? "handle" : "no handle", std::string(bytes, length)});
    return Outcome("isc_service_start", status);
}
#endif

Status isc_service_query(Status* status, unsigned*, void*, unsigned short sendLength, const char* send,
                         unsigned short, const char*, unsigned short bufferLength, char* buffer) {
    requests.push_back({"query", {}, std::string(send, sendLength)});
    const Status result = Outcome("isc_service_query", status);
    if (result != 0)
        return result;
    std::string reply("\x3E\x00\x00\x01", 4); // an empty line: the output has ended
    if (!queryReplies.empty()) {
        const TQueryStep step = queryReplies.front();
        queryReplies.pop_front();
        if (step.Fails) {
            pending.insert(pending.begin(), step.Failure);
            return Outcome("isc_service_query", status);
        }
        reply = step.Reply;
    }
    std::memcpy(buffer, reply.data(), std::min<std::size_t>(reply.size(), bufferLength));
    return 0;
}

long isc_sqlcode(const Status* status) {
    return status[1] == 0 ? 0 : currentSqlCode;
}

long isc_interprete(char* buffer, Status** cursor) {
    // The real one has no size; the product's buffer is 20,480 bytes.
    return Interpret(buffer, 20480, const_cast<const Status**>(cursor));
}

#ifndef FAKE_WITHOUT_FB_INTERPRET
long fb_interpret(char* buffer, unsigned size, const Status** cursor) {
    return Interpret(buffer, size, cursor);
}
#endif

#ifndef FAKE_WITHOUT_ROLLBACK_RETAINING
int isc_rollback_retaining() {
    return 0;
}
#endif

// ---- entry points that are only looked up ----
#define FAKE_ENTRY(name)                                                                                     \
    int name() {                                                                                             \
        return 0;                                                                                            \
    }
FAKE_ENTRY(BLOB_get)
FAKE_ENTRY(BLOB_put)
FAKE_ENTRY(isc_sql_interprete)
FAKE_ENTRY(isc_vax_integer)
FAKE_ENTRY(isc_blob_info)
FAKE_ENTRY(isc_open_blob2)
FAKE_ENTRY(isc_close_blob)
FAKE_ENTRY(isc_get_segment)
FAKE_ENTRY(isc_put_segment)
FAKE_ENTRY(isc_create_blob2)
FAKE_ENTRY(isc_decode_date)
FAKE_ENTRY(isc_encode_date)
FAKE_ENTRY(isc_dsql_free_statement)
FAKE_ENTRY(isc_dsql_execute2)
FAKE_ENTRY(isc_dsql_execute)
FAKE_ENTRY(isc_dsql_set_cursor_name)
FAKE_ENTRY(isc_dsql_fetch)
FAKE_ENTRY(isc_dsql_sql_info)
FAKE_ENTRY(isc_dsql_alloc_statement2)
FAKE_ENTRY(isc_dsql_prepare)
FAKE_ENTRY(isc_dsql_describe_bind)
FAKE_ENTRY(isc_dsql_describe)
FAKE_ENTRY(isc_dsql_execute_immediate)
FAKE_ENTRY(isc_drop_database)
FAKE_ENTRY(isc_detach_database)
FAKE_ENTRY(isc_attach_database)
FAKE_ENTRY(isc_database_info)
FAKE_ENTRY(isc_start_multiple)
FAKE_ENTRY(isc_commit_transaction)
FAKE_ENTRY(isc_commit_retaining)
FAKE_ENTRY(isc_rollback_transaction)
FAKE_ENTRY(isc_cancel_events)
FAKE_ENTRY(isc_que_events)
FAKE_ENTRY(isc_event_counts)
FAKE_ENTRY(isc_event_block)
FAKE_ENTRY(isc_free)
FAKE_ENTRY(isc_add_user)
FAKE_ENTRY(isc_delete_user)
FAKE_ENTRY(isc_modify_user)
FAKE_ENTRY(isc_prepare_transaction)
FAKE_ENTRY(isc_prepare_transaction2)
FAKE_ENTRY(isc_decode_sql_date)
FAKE_ENTRY(isc_decode_sql_time)
FAKE_ENTRY(isc_decode_timestamp)
FAKE_ENTRY(isc_encode_sql_date)
FAKE_ENTRY(isc_encode_sql_time)
FAKE_ENTRY(isc_encode_timestamp)
}
