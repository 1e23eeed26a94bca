#pragma once
// The client error message table: fixed texts indexed by client error code 0 to 119. Only the
// codes this program raises carry a text; the others belong to facilities it does not have.

#include <string>

constexpr int CLIENT_ERROR_COUNT = 120;

constexpr int CLIENT_ERROR_LIBRARY_NOT_FOUND = 1;
constexpr int CLIENT_ERROR_NOT_IB6_FUNCTION = 3;
constexpr int CLIENT_ERROR_OPERATION_CANCELLED = 10;
constexpr int CLIENT_ERROR_SPB_CONSTANT_NOT_SUPPORTED = 88;
constexpr int CLIENT_ERROR_SPB_CONSTANT_UNKNOWN = 89;
constexpr int CLIENT_ERROR_SERVICE_NOT_ATTACHED = 90;
constexpr int CLIENT_ERROR_SERVICE_ATTACHED = 91;
constexpr int CLIENT_ERROR_SERVER_NAME_MISSING = 92;
constexpr int CLIENT_ERROR_START_PARAMS_MISSING = 94;

// Raised for a value that does not fit the byte formats of the requests. It lies outside the
// table on purpose: its message names the value and the limit, so it is built where it is raised.
constexpr int CLIENT_ERROR_VALUE_TOO_LONG = 120;
// Raised when a reply of the service output query cannot be read; also outside the table.
constexpr int CLIENT_ERROR_UNEXPECTED_REPLY = 121;

// The table's text for a code; empty for codes without a text and for codes outside the table.
const std::string& ClientErrorMessage(int code);
