#pragma once
// An INI file object: it holds only the file's name, and every read and write goes straight to
// the private-profile functions, so nothing is cached and nothing needs flushing.

#include <cstdint>
#include <string>

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const;
    // The default also stands in for a value that is not a whole integer.
    std::int32_t ReadInteger(const std::string& section, const std::string& ident,
                             std::int32_t defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;

    // Each raises Exception "Unable to write to %s" with the file's path when the write fails.
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, std::int32_t value);
    void WriteBool(const std::string& section, const std::string& ident, bool value);

private:
    std::string fileName_;
};
