#include "ServiceParamBlock.h"

#include "IB.h"
#include "IBConst.h"
#include "StringList.h"

#include <ibase.h>

namespace {

struct TSpbName {
    const char* Name;
    unsigned char Code;
    bool Accepted;
};

const TSpbName SpbNames[] = {
    {"user_name", isc_spb_user_name, true},
    {"sys_user_name", isc_spb_sys_user_name, false},
    {"sys_user_name_enc", isc_spb_sys_user_name_enc, false},
    {"password", isc_spb_password, true},
    {"password_enc", isc_spb_password_enc, false},
    {"command_line", isc_spb_command_line, false},
    {"db_name", isc_spb_dbname, false},
    {"verbose", isc_spb_verbose, false},
    {"options", isc_spb_options, false},
    {"connect_timeout", isc_spb_connect_timeout, false},
    {"dummy_packet_interval", isc_spb_dummy_packet_interval, false},
    {"sql_role_name", isc_spb_sql_role_name, false},
};

constexpr std::size_t MaxValueLength = 255;
constexpr std::size_t MaxBlockLength = 32767;
const std::string SpbPrefix = "isc_spb_";

// Only A to Z fold: the names are ASCII, and other bytes of an 8-bit code page must stay as they are.
std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

const TSpbName* FindName(const std::string& name) {
    for (const TSpbName& entry : SpbNames)
        if (name == entry.Name)
            return &entry;
    return nullptr;
}

void AppendLine(std::string& block, const std::string& line) {
    const std::size_t equals = line.find('=');
    const std::string rawName = equals == std::string::npos ? std::string() : line.substr(0, equals);
    if (IsBlankText(rawName))
        return;
    std::string name = LowerAscii(rawName);
    if (name.starts_with(SpbPrefix))
        name.erase(0, SpbPrefix.size());
    const TSpbName* entry = FindName(name);
    if (entry == nullptr)
        RaiseClientError(CLIENT_ERROR_SPB_CONSTANT_UNKNOWN, {});
    if (!entry->Accepted)
        RaiseClientError(CLIENT_ERROR_SPB_CONSTANT_NOT_SUPPORTED, {});
    const std::string value = line.substr(equals + 1);
    if (value.size() > MaxValueLength)
        RaiseValueTooLong("The value of service parameter " + name, value.size(), MaxValueLength);
    block += static_cast<char>(entry->Code);
    block += static_cast<char>(value.size());
    block += value;
}

} // namespace

std::string BuildServiceParamBlock(const std::vector<std::string>& lines) {
    std::string block = {static_cast<char>(isc_spb_version), static_cast<char>(isc_spb_current_version)};
    for (const std::string& line : lines) {
        AppendLine(block, line);
        if (block.size() > MaxBlockLength)
            RaiseValueTooLong("The service parameter block", block.size(), MaxBlockLength);
    }
    return block;
}
