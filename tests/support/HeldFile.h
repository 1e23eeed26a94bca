#pragma once
// Another process that holds an exclusive flock on a file, as a Firebird server does on every
// database it has open, until the object goes.

#include <string>
#include <sys/types.h>

class THeldFile {
public:
    explicit THeldFile(const std::string& path);
    ~THeldFile();
    THeldFile(const THeldFile&) = delete;
    THeldFile& operator=(const THeldFile&) = delete;

    // Ends the holding process now.
    void Release();

private:
    pid_t child = -1;
};
