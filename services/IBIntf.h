#pragma once
// The Firebird client library, loaded at run time by name and bound entry point by entry point.
// Nothing links against it: a machine without the client can still start the program and
// learn about it from the first service component (client error 1).

#include <ibase.h>

// Signatures of the entry points the services call. The others are only looked up.
using isc_service_attach_fn = ISC_STATUS (*)(ISC_STATUS*, unsigned short, const ISC_SCHAR*, isc_svc_handle*,
                                             unsigned short, const ISC_SCHAR*);
using isc_service_detach_fn = ISC_STATUS (*)(ISC_STATUS*, isc_svc_handle*);
using isc_service_query_fn = ISC_STATUS (*)(ISC_STATUS*, isc_svc_handle*, isc_resv_handle*, unsigned short,
                                            const ISC_SCHAR*, unsigned short, const ISC_SCHAR*,
                                            unsigned short, ISC_SCHAR*);
using isc_service_start_fn = ISC_STATUS (*)(ISC_STATUS*, isc_svc_handle*, isc_resv_handle*, unsigned short,
                                            const ISC_SCHAR*);
using isc_sqlcode_fn = ISC_LONG (*)(const ISC_STATUS*);
using isc_interprete_fn = ISC_LONG (*)(ISC_SCHAR*, ISC_STATUS**);
using fb_interpret_fn = ISC_LONG (*)(ISC_SCHAR*, unsigned int, const ISC_STATUS**);
using isc_rollback_retaining_fn = ISC_STATUS (*)(ISC_STATUS*, isc_tr_handle*);
using fb_shutdown_callback_fn = ISC_STATUS (*)(ISC_STATUS*, FB_SHUTDOWN_CALLBACK, const int, void*);

// The bound table. It is complete whenever EnsureClientLibrary has returned: every slot holds
// either the library's function or, for the services group, a fallback that raises client error 3.
struct TClientEntryPoints {
    isc_sqlcode_fn isc_sqlcode = nullptr;
    isc_interprete_fn isc_interprete = nullptr;
    fb_interpret_fn fb_interpret = nullptr; // optional: null on libraries older than Firebird 2.0
    isc_rollback_retaining_fn isc_rollback_retaining = nullptr;
    isc_service_attach_fn isc_service_attach = nullptr;
    isc_service_detach_fn isc_service_detach = nullptr;
    isc_service_query_fn isc_service_query = nullptr;
    isc_service_start_fn isc_service_start = nullptr;
    fb_shutdown_callback_fn fb_shutdown_callback = nullptr; // optional: null before Firebird 2.5
};

// Loads the library if it is not loaded yet. Raises client error 1 when no library can be
// loaded (the next call tries again), and EOSError when a loaded library lacks a required entry
// point (every later call raises that same error again; the table is never used half-bound).
void EnsureClientLibrary();

// Maps the library into the process ahead of its first use, on any thread, so that the first
// service component does not wait for the loader. Binds and reports nothing: without a library
// it does nothing, and EnsureClientLibrary finds and reports the failure as ever.
void PreloadClientLibrary();

// The bound table; only valid after EnsureClientLibrary has returned normally.
const TClientEntryPoints& ClientLibrary();

// Whether a complete table is bound (for callers that must not trigger a load).
bool ClientLibraryLoaded();

// The calling thread's status vector: 20 elements, zeroed when the thread starts. Every
// client call gets it first, so a worker thread's calls never disturb another thread's errors.
ISC_STATUS* StatusVector();
