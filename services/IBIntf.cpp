#include "IBIntf.h"

#include "Exceptions.h"
#include "IB.h"
#include "IBConst.h"

#include <atomic>
#include <cerrno>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

// Library file names in the order they are tried, by name only so the normal search order applies.
#ifdef _WIN32
const char* const LibraryNames[] = {"gds32.dll", "fbclient.dll"};
#else
const char* const LibraryNames[] = {"libfbclient.so.2", "libfbclient.so"};
#endif

// Without any one of these a library is refused.
const char* const RequiredNames[] = {"BLOB_get",
                                     "BLOB_put",
                                     "isc_sqlcode",
                                     "isc_sql_interprete",
                                     "isc_interprete",
                                     "isc_vax_integer",
                                     "isc_blob_info",
                                     "isc_open_blob2",
                                     "isc_close_blob",
                                     "isc_get_segment",
                                     "isc_put_segment",
                                     "isc_create_blob2",
                                     "isc_decode_date",
                                     "isc_encode_date",
                                     "isc_dsql_free_statement",
                                     "isc_dsql_execute2",
                                     "isc_dsql_execute",
                                     "isc_dsql_set_cursor_name",
                                     "isc_dsql_fetch",
                                     "isc_dsql_sql_info",
                                     "isc_dsql_alloc_statement2",
                                     "isc_dsql_prepare",
                                     "isc_dsql_describe_bind",
                                     "isc_dsql_describe",
                                     "isc_dsql_execute_immediate",
                                     "isc_drop_database",
                                     "isc_detach_database",
                                     "isc_attach_database",
                                     "isc_database_info",
                                     "isc_start_multiple",
                                     "isc_commit_transaction",
                                     "isc_commit_retaining",
                                     "isc_rollback_transaction",
                                     "isc_cancel_events",
                                     "isc_que_events",
                                     "isc_event_counts",
                                     "isc_event_block",
                                     "isc_free",
                                     "isc_add_user",
                                     "isc_delete_user",
                                     "isc_modify_user",
                                     "isc_prepare_transaction",
                                     "isc_prepare_transaction2"};

// Required when isc_rollback_retaining is present, replaced by fallbacks when it is not (a
// library older than the services API).
const char* const ServicesNames[] = {"isc_service_attach",   "isc_service_detach",  "isc_service_query",
                                     "isc_service_start",    "isc_decode_sql_date", "isc_decode_sql_time",
                                     "isc_decode_timestamp", "isc_encode_sql_date", "isc_encode_sql_time",
                                     "isc_encode_timestamp"};

struct TLoadFailure {
    int Code;
    std::string Text;
};

void* libraryHandle = nullptr;
bool tableComplete = false;
TClientEntryPoints entryPoints;
std::optional<TLoadFailure> bindFailure;

thread_local ISC_STATUS statusVector[ISC_STATUS_LENGTH] = {};

[[noreturn]] void RaiseFallback(const char* functionName) {
    RaiseClientError(CLIENT_ERROR_NOT_IB6_FUNCTION, {std::string(functionName)});
}

// Fallback entries take the arguments of the function they stand for.
ISC_STATUS FallbackRollbackRetaining(ISC_STATUS*, isc_tr_handle*) {
    RaiseFallback("isc_rollback_retaining");
}
ISC_STATUS FallbackServiceAttach(ISC_STATUS*, unsigned short, const ISC_SCHAR*, isc_svc_handle*,
                                 unsigned short, const ISC_SCHAR*) {
    RaiseFallback("isc_service_attach");
}
ISC_STATUS FallbackServiceDetach(ISC_STATUS*, isc_svc_handle*) {
    RaiseFallback("isc_service_detach");
}
ISC_STATUS FallbackServiceQuery(ISC_STATUS*, isc_svc_handle*, isc_resv_handle*, unsigned short,
                                const ISC_SCHAR*, unsigned short, const ISC_SCHAR*, unsigned short,
                                ISC_SCHAR*) {
    RaiseFallback("isc_service_query");
}
ISC_STATUS FallbackServiceStart(ISC_STATUS*, isc_svc_handle*, isc_resv_handle*, unsigned short,
                                const ISC_SCHAR*) {
    RaiseFallback("isc_service_start");
}
// The date and time conversions are never called by this program; their slots exist only so
// the table is complete, so they are not kept.

void* OpenLibrary(const char* name) {
#ifdef _WIN32
    return reinterpret_cast<void*>(LoadLibraryA(name));
#else
    return dlopen(name, RTLD_NOW | RTLD_LOCAL);
#endif
}

void* FindSymbol(const char* name) {
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(libraryHandle), name));
#else
    return dlsym(libraryHandle, name);
#endif
}

// The platform's last error and its text, right after a failed lookup.
TLoadFailure LastLookupError(const char* name) {
#ifdef _WIN32
    const DWORD code = GetLastError();
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                   sizeof text, nullptr);
    return {static_cast<int>(code), text};
#else
    // dlsym sets no code of its own; errno is what the platform reports, if anything.
    const int code = errno;
    const char* text = dlerror();
    return {code, text != nullptr ? text : name};
#endif
}

// A required entry point, or the operating-system error for a missing one.
void* RequireSymbol(const char* name) {
#ifndef _WIN32
    dlerror();
#endif
    errno = 0;
    void* address = FindSymbol(name);
    if (address == nullptr)
        throw LastLookupError(name);
    return address;
}

void BindServicesGroup() {
    entryPoints.isc_rollback_retaining = FallbackRollbackRetaining;
    entryPoints.isc_service_attach = FallbackServiceAttach;
    entryPoints.isc_service_detach = FallbackServiceDetach;
    entryPoints.isc_service_query = FallbackServiceQuery;
    entryPoints.isc_service_start = FallbackServiceStart;
    void* rollbackRetaining = FindSymbol("isc_rollback_retaining");
    if (rollbackRetaining == nullptr)
        return;
    for (const char* name : ServicesNames)
        RequireSymbol(name);
    entryPoints.isc_rollback_retaining = reinterpret_cast<isc_rollback_retaining_fn>(rollbackRetaining);
    entryPoints.isc_service_attach =
        reinterpret_cast<isc_service_attach_fn>(RequireSymbol("isc_service_attach"));
    entryPoints.isc_service_detach =
        reinterpret_cast<isc_service_detach_fn>(RequireSymbol("isc_service_detach"));
    entryPoints.isc_service_query =
        reinterpret_cast<isc_service_query_fn>(RequireSymbol("isc_service_query"));
    entryPoints.isc_service_start =
        reinterpret_cast<isc_service_start_fn>(RequireSymbol("isc_service_start"));
}

void BindTable() {
    for (const char* name : RequiredNames)
        RequireSymbol(name);
    entryPoints.isc_sqlcode = reinterpret_cast<isc_sqlcode_fn>(RequireSymbol("isc_sqlcode"));
    entryPoints.isc_interprete = reinterpret_cast<isc_interprete_fn>(RequireSymbol("isc_interprete"));
    entryPoints.fb_interpret = reinterpret_cast<fb_interpret_fn>(FindSymbol("fb_interpret"));
    entryPoints.fb_shutdown_callback =
        reinterpret_cast<fb_shutdown_callback_fn>(FindSymbol("fb_shutdown_callback"));
    BindServicesGroup();
}

void LoadLibrary() {
    for (const char* name : LibraryNames) {
        libraryHandle = OpenLibrary(name);
        if (libraryHandle != nullptr)
            break;
    }
    if (libraryHandle == nullptr)
        return;
    // The library stays loaded for the life of the process, bound or not: a failed bind is
    // remembered and reported again rather than retried against a half-filled table.
    try {
        BindTable();
        tableComplete = true;
    } catch (const TLoadFailure& failure) {
        entryPoints = TClientEntryPoints{};
        bindFailure = failure;
        throw EOSError(failure.Code, failure.Text);
    }
}

} // namespace

void PreloadClientLibrary() {
    // Opened as the load opens it, and never closed: the load then finds it mapped already.
    static std::atomic<void*> preloaded{nullptr};
    if (preloaded.load() != nullptr)
        return;
    for (const char* name : LibraryNames) {
        if (void* handle = OpenLibrary(name)) {
            preloaded.store(handle);
            return;
        }
    }
}

void EnsureClientLibrary() {
    if (bindFailure)
        throw EOSError(bindFailure->Code, bindFailure->Text);
    if (!tableComplete)
        LoadLibrary();
    if (!tableComplete)
        RaiseClientError(CLIENT_ERROR_LIBRARY_NOT_FOUND, {});
}

const TClientEntryPoints& ClientLibrary() {
    return entryPoints;
}

bool ClientLibraryLoaded() {
    return tableComplete;
}

ISC_STATUS* StatusVector() {
    return statusVector;
}
