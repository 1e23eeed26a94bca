#include "PickedPath.h"

#include "FileSystem.h"

#include <QFile>
#include <vector>

namespace {

// More entries than this in one folder are not searched for a name.
constexpr std::size_t kMaxFolderEntries = 200'000;

std::string Bytes(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

std::string Join(const std::string& folder, const std::string& name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    return path;
}

// The one entry of the folder that shows as `component`; its own bytes when it is plain text.
bool FindEntry(const std::string& folder, const QString& component, std::string& name, QString& problem) {
    name = Bytes(component);
    if (!component.contains(QChar::ReplacementCharacter))
        return true; // text without U+FFFD stands for exactly its UTF-8 bytes
    std::vector<std::string> entries;
    if (!ListFolder(folder.empty() ? "." : folder, kMaxFolderEntries, entries)) {
        problem = QStringLiteral(" 폴더를 읽을 수 없어 이 이름의 파일을 찾지 못했습니다.");
        return false;
    }
    int matches = 0;
    for (const std::string& entry : entries)
        if (ShownPath(entry) == component) {
            name = entry;
            ++matches;
        }
    if (matches > 1) {
        problem = QStringLiteral(" 같은 이름으로 보이는 파일이 여럿이라 어느 것인지 알 수 없습니다.");
        return false;
    }
    return true;
}

} // namespace

QString ShownPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

TPickedPath ResolvePickedPath(const QString& chosen) {
    TPickedPath picked;
    const QStringList components = chosen.split(QLatin1Char('/'));
    std::string path;
    for (qsizetype i = 0; i < components.size(); ++i) {
        if (components[i].isEmpty()) {
            if (i == 0)
                path.assign(1, '/');
            continue;
        }
        std::string name;
        if (!FindEntry(path, components[i], name, picked.Problem))
            return picked;
        path = Join(path, name);
    }
    const auto facts = LookAt(path);
    if (facts && facts->Link) {
        const auto target = ResolveLinks(path);
        if (!target) {
            picked.Problem = QStringLiteral(" 링크가 가리키는 파일이 없어 선택할 수 없습니다.");
            return picked;
        }
        path = *target;
    }
    picked.Path = path;
    return picked;
}
