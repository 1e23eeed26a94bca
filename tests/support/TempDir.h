#pragma once
// A fresh folder under /tmp, removed with everything in it when the object goes.

#include <string>

class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::string& Path() const { return path; }
    // Path of a file inside the folder.
    std::string File(const std::string& name) const { return path + "/" + name; }

private:
    std::string path;
};
