#pragma once
// A fresh folder under /tmp, removed with everything in it when the object goes, and byte-exact
// file helpers for the tests.

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

    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    // Names of everything in the folder, "a;b;", to catch stray files.
    std::string Listing() const;

private:
    std::string path;
};

// The whole file, byte for byte ("" when it cannot be read).
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Overwrites the second half of the file in place, then gives it back its time of change: the
// damage a failing disk does, which the file system does not see as a write. Returns the
// damaged bytes.
std::string DamageSecondHalfUnseen(const std::string& path);
