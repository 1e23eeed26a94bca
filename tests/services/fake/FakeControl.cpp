#include "FakeControl.h"

#include <dlfcn.h>
#include <stdexcept>

namespace {

void* Fake() {
    static void* handle = dlopen("libfbclient.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        throw std::runtime_error("the fake client library is not loaded");
    return handle;
}

template <typename F> F Lookup(const char* name) {
    void* address = dlsym(Fake(), name);
    if (address == nullptr)
        throw std::runtime_error(std::string("not the fake client library: no ") + name);
    return reinterpret_cast<F>(address);
}

} // namespace

namespace FakeClient {

void Reset() {
    Lookup<void (*)()>("fake_reset")();
}

std::vector<TRecordedRequest> Requests() {
    const int count = Lookup<int (*)()>("fake_request_count")();
    auto request = Lookup<void (*)(int, const char**, const char**, const char**, int*)>("fake_request");
    std::vector<TRecordedRequest> result;
    for (int i = 0; i < count; ++i) {
        const char* kind;
        const char* name;
        const char* bytes;
        int length;
        request(i, &kind, &name, &bytes, &length);
        result.push_back({kind, name, std::string(bytes, static_cast<std::size_t>(length))});
    }
    return result;
}

std::vector<TRecordedRequest> Requests(const std::string& kind) {
    std::vector<TRecordedRequest> result;
    for (TRecordedRequest& request : Requests())
        if (request.Kind == kind)
            result.push_back(std::move(request));
    return result;
}

void FailNext(const std::string& function, long code, int sqlCode, const char* message1,
              const char* message2) {
    Lookup<void (*)(const char*, long, int, const char*, const char*)>("fake_fail_next")(
        function.c_str(), code, sqlCode, message1, message2);
}

void PushQueryReply(const std::string& bytes) {
    Lookup<void (*)(const char*, int)>("fake_push_query_reply")(bytes.data(), static_cast<int>(bytes.size()));
}

void PushQueryFailure(long code, int sqlCode, const char* message1, const char* message2) {
    Lookup<void (*)(long, int, const char*, const char*)>("fake_push_query_failure")(code, sqlCode, message1,
                                                                                     message2);
}

} // namespace FakeClient

std::string Bytes(std::initializer_list<int> values) {
    std::string result;
    for (int value : values)
        result += static_cast<char>(value);
    return result;
}
