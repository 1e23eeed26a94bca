#include "SkinFuzzInput.h"

#include "Exceptions.h"
#include "PackageWriter.h"
#include "SkinLoader.h"

#include <string_view>

namespace {

std::vector<std::uint8_t> PackEntries(std::string_view text) {
    std::vector<PackageEntry> entries;
    const std::string_view separator(FuzzEntrySeparator);
    std::size_t start = 0;
    for (std::size_t index = 0; index <= FuzzEntryNames.size(); ++index) {
        std::size_t end = text.find(separator, start);
        const bool last = end == std::string_view::npos || index == FuzzEntryNames.size();
        if (last)
            end = text.size();
        const std::string_view part = text.substr(start, end - start);
        entries.push_back(PackageEntry{index == 0 ? "Options.dat" : FuzzEntryNames[index - 1],
                                       std::vector<std::uint8_t>(part.begin(), part.end())});
        if (last)
            break;
        start = end + separator.size();
    }
    return WritePackage(entries);
}

} // namespace

bool RunSkinFuzzInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || (data[0] != 'P' && data[0] != 'E'))
        return false;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    int messages = 0;
    try {
        const std::vector<std::uint8_t> package =
            data[0] == 'P' ? std::vector<std::uint8_t>(rest.begin(), rest.end()) : PackEntries(rest);
        // An odd last byte also asks for a hue and saturation change, so those paths are fuzzed too.
        SkinLoadOptions options;
        if (data[size - 1] & 1) {
            options.HueOffset = 90;
            options.Saturation = -50;
        }
        const SkinTablesPtr tables = LoadSkinPackage(
            package, [&messages](const std::string&) { ++messages; }, options);
        // Touch the lookups too: they walk parent chains that hostile skins can tie in loops.
        for (const TsGeneralData& section : tables->GeneralData) {
            const int index = tables->FindSection(section.SectionName);
            tables->FindMask(index, section.SectionName, "BORDERSMASK");
            tables->FindTexture(index, section.SectionName, "PATTERN");
            tables->FindPattern(index, section.SectionName, "PATTERN");
        }
        return messages <= 1;
    } catch (const Exception&) {
        return false;
    }
}
