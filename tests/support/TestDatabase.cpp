#include "TestDatabase.h"

#include "TempDir.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/wait.h>

namespace {

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

} // namespace

std::string RunIsql(const std::string& script) {
    TTempDir dir;
    const std::string scriptPath = dir.File("script.sql");
    std::ofstream(scriptPath) << script;
    const std::string command = std::string("isql-fb -q -user ") + TestUser + " -password " + TestPassword +
                                " -i " + Quote(scriptPath) + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        throw std::runtime_error("cannot run isql-fb");
    std::string output;
    std::array<char, 4096> chunk;
    while (std::size_t got = fread(chunk.data(), 1, chunk.size(), pipe))
        output.append(chunk.data(), got);
    const int status = pclose(pipe);
    if (status != 0 || output.find("Statement failed") != std::string::npos ||
        output.find("SQLSTATE") != std::string::npos)
        throw std::runtime_error("isql-fb failed: " + output);
    return output;
}

void CreateTestDatabase(const TTestDatabaseSpec& spec) {
    std::string script = "create database " + Quote(spec.Connection + spec.Path) + " page_size " +
                         std::to_string(spec.PageSize) + ";\n" +
                         "create table ROWS_T (ID integer not null primary key, PAD varchar(200));\n"
                         "commit;\n"
                         "set term ^;\n"
                         "execute block as declare i integer = 0; begin\n"
                         "  while (i < " +
                         std::to_string(spec.Rows) +
                         ") do begin\n"
                         "    insert into ROWS_T (ID, PAD) values (:i, rpad('', 200, 'x'));\n"
                         "    i = i + 1;\n"
                         "  end\n"
                         "end^\n"
                         "set term ;^\n"
                         "commit;\n";
    if (spec.DeleteHalf)
        script += "delete from ROWS_T where mod(ID, 2) = 0;\ncommit;\n";
    RunIsql(script);
}

std::int64_t CountRows(const std::string& connectionPath) {
    const std::string output =
        RunIsql("connect " + Quote(connectionPath) + ";\nset list on;\nselect count(*) as N from ROWS_T;\n");
    const std::size_t at = output.find("N ");
    if (at == std::string::npos)
        throw std::runtime_error("unexpected isql-fb output: " + output);
    return std::stoll(output.substr(at + 1));
}

std::int64_t FileSizeOf(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? -1 : static_cast<std::int64_t>(size);
}
