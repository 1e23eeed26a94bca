#include "ThirdPartyList.h"

namespace {

// The lines of a list's text, broken at CR LF, LF or CR; empty lines are kept.
QStringList Lines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

} // namespace

void ThirdPartyList::Loaded() {
    for (std::size_t i = 0; i < ThirdPartyKindCount; ++i) {
        if (texts_[i].isEmpty())
            texts_[i] =
                i == Index(TsThirdPartyKind::ThirdButtons) ? QStringLiteral("TButton") : QStringLiteral(" ");
        lines_[i] = Lines(texts_[i]);
    }
}

bool ThirdPartyList::Find(const QString& className, TsThirdPartyKind& kind) const {
    for (std::size_t i = 0; i < ThirdPartyKindCount; ++i)
        if (lines_[i].contains(className)) {
            kind = static_cast<TsThirdPartyKind>(i);
            return true;
        }
    return false;
}

ThirdPartyList ThirdPartyList::MainWindowLists() {
    // Apart from ThirdButtons each stored text begins with a line holding one blank, which never
    // matches a class.
    const auto stored = [](const char* classes) {
        return QStringLiteral(" \r\n") + QString::fromLatin1(classes);
    };
    ThirdPartyList lists;
    lists.SetText(
        TsThirdPartyKind::ThirdEdits,
        stored("TEdit\r\nTMemo\r\nTMaskEdit\r\nTLabeledEdit\r\nTHotKey\r\nTListBox\r\nTCheckListBox\r\n"
               "TRichEdit\r\nTFileListBox"));
    lists.SetText(TsThirdPartyKind::ThirdButtons, QStringLiteral("TButton"));
    lists.SetText(TsThirdPartyKind::ThirdListViews, stored("TListView"));
    lists.SetText(TsThirdPartyKind::ThirdGrids, stored("TStringGrid\r\nTDrawGrid\r\nTValueListEditor"));
    lists.SetText(TsThirdPartyKind::ThirdTreeViews, stored("TTreeView"));
    lists.SetText(TsThirdPartyKind::ThirdStatusBar, stored("TStatusBar"));
    for (std::size_t i = 0; i < ThirdPartyKindCount; ++i)
        if (lists.texts_[i].isEmpty())
            lists.texts_[i] = QStringLiteral(" ");
    return lists;
}
