#pragma once
// A database whose backup and restore take the engine seconds, not milliseconds: for tests that
// must catch a job while it runs (a kill, the live progress). Made once per test run.

#include <string>

// Rows of 200 bytes of text that does not compress (the engine packs repeated characters), in
// table ROWS_T, with an index on the text so that a restore has real work to do. Written without
// forced writes, which only slow the making down.
void CreateLargeTestDatabase(const std::string& path, int rows);

// Rows in the shared large database.
constexpr int kLargeDatabaseRows = 700'000;

// The shared large database: the file named by MORVANE_LARGE_DATABASE (made by the CTest fixture
// "large_database"), or else one made on first use in a folder that lives as long as the process.
// Tests copy it; they never change it.
const std::string& SharedLargeDatabase();
