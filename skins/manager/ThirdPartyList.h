#pragma once
// Class names of standard controls that get an adapter when their form is skinned, one list per
// kind of adapter. Qt widgets are matched by their metaObject()->className(); the program's own
// widgets carry the names TRichEdit and TStatusBar.

#include <QString>
#include <QStringList>
#include <array>

enum class TsThirdPartyKind {
    ThirdEdits,
    ThirdButtons,
    ThirdBitBtns,
    ThirdCheckBoxes,
    ThirdComboBoxes,
    ThirdGrids,
    ThirdGroupBoxes,
    ThirdListViews,
    ThirdPanels,
    ThirdTreeViews,
    ThirdWWEdits,
    ThirdGridEh,
    ThirdVirtualTrees,
    ThirdPageControl,
    ThirdTabControl,
    ThirdToolBar,
    ThirdStatusBar,
    ThirdSpeedButton,
};
inline constexpr std::size_t ThirdPartyKindCount = 18;

class ThirdPartyList {
public:
    // Each list as its text: class names one per line.
    QString Text(TsThirdPartyKind kind) const { return texts_[Index(kind)]; }
    void SetText(TsThirdPartyKind kind, const QString& text) { texts_[Index(kind)] = text; }

    // Empty lists get their defaults ("TButton" for ThirdButtons, one blank line for the others)
    // and every list is copied into the string lists used for matching.
    void Loaded();

    // The kind of adapter a class name gets, compared exactly with the list lines; false when none.
    bool Find(const QString& className, TsThirdPartyKind& kind) const;

    // The lists the main window stores.
    static ThirdPartyList MainWindowLists();

private:
    static std::size_t Index(TsThirdPartyKind kind) { return static_cast<std::size_t>(kind); }

    std::array<QString, ThirdPartyKindCount> texts_;
    std::array<QStringList, ThirdPartyKindCount> lines_;
};
