#include "LargeDatabase.h"

#include "TempDir.h"
#include "TestDatabase.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

void CreateLargeTestDatabase(const std::string& path, int rows) {
    RunIsql("create database '" + path + "' page_size 4096;\ncommit;\n");
    const std::string gfix =
        "gfix -write async -user " + std::string(TestUser) + " -password " + TestPassword + " '" + path + "'";
    if (std::system(gfix.c_str()) != 0)
        throw std::runtime_error("gfix failed on " + path);
    RunIsql("connect '" + path +
            "';\n"
            "create table ROWS_T (ID integer not null primary key, PAD varchar(200));\n"
            "commit;\n"
            "set term ^;\n"
            "execute block as declare i integer = 0; declare u varchar(36); begin\n"
            "  while (i < " +
            std::to_string(rows) +
            ") do begin\n"
            "    u = uuid_to_char(gen_uuid());\n"
            "    insert into ROWS_T (ID, PAD) values (:i, substring(:u || uuid_to_char(gen_uuid()) || :u ||\n"
            "      uuid_to_char(gen_uuid()) || :u || uuid_to_char(gen_uuid()) from 1 for 200));\n"
            "    i = i + 1;\n"
            "  end\n"
            "end^\n"
            "set term ;^\n"
            "commit;\n"
            "create index IX_ROWS_PAD on ROWS_T (PAD);\n"
            "commit;\n");
}

const std::string& SharedLargeDatabase() {
    static const std::string path = [] {
        if (const char* made = std::getenv("MORVANE_LARGE_DATABASE"); made && std::filesystem::exists(made))
            return std::string(made);
        static const auto folder = std::make_unique<TTempDir>();
        const std::string fresh = folder->File("large.fdb");
        CreateLargeTestDatabase(fresh, kLargeDatabaseRows);
        return fresh;
    }();
    return path;
}
