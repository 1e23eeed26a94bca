#pragma once
// A fresh folder per test, with byte-exact file helpers.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TTempFolder {
public:
    TTempFolder() {
        char pattern[] = "/tmp/morvane-settings-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    std::string Path(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Folder() const { return path_; }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }

    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    // Names of everything in the folder, to catch stray temporary files.
    std::string Listing() const {
        std::string names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names += entry.path().filename().string() + ";";
        return names;
    }

private:
    std::filesystem::path path_;
};
