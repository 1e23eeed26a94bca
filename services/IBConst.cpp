#include "IBConst.h"

#include <array>

namespace {

std::array<std::string, CLIENT_ERROR_COUNT> BuildTable() {
    std::array<std::string, CLIENT_ERROR_COUNT> table;
    table[CLIENT_ERROR_LIBRARY_NOT_FOUND] = "InterBase library gds32.dll not found in the path. Please "
                                            "install InterBase to use this functionality";
    table[CLIENT_ERROR_NOT_IB6_FUNCTION] =
        "%s is an InterBase 6 function. Please upgrade to InterBase 6 to use this functonality";
    table[CLIENT_ERROR_OPERATION_CANCELLED] = "Operation cancelled at user's request";
    table[CLIENT_ERROR_SPB_CONSTANT_NOT_SUPPORTED] = "SPB Constant Not supported";
    table[CLIENT_ERROR_SPB_CONSTANT_UNKNOWN] = "SPB Constant Unknown";
    table[CLIENT_ERROR_SERVICE_NOT_ATTACHED] = "Cannot perform operation -- service is not attached";
    table[CLIENT_ERROR_SERVICE_ATTACHED] = "Cannot perform operation -- service is attached";
    table[CLIENT_ERROR_SERVER_NAME_MISSING] = "Server Name Missing";
    table[CLIENT_ERROR_START_PARAMS_MISSING] = "start Parameters missing or incorrect";
    return table;
}

} // namespace

const std::string& ClientErrorMessage(int code) {
    static const std::array<std::string, CLIENT_ERROR_COUNT> table = BuildTable();
    static const std::string none;
    if (code < 0 || code >= CLIENT_ERROR_COUNT)
        return none;
    return table[code];
}
