#pragma once
// The application's style while a skin is on: standard Qt controls that the program does not
// subclass (the file dialog's lists, buttons, headers, combo boxes and scroll bars, message box
// buttons, tool tips, menus) are drawn from skin sections with the same painters as the skinned
// controls. Without a skin, or where a section is missing, everything is Fusion's.

#include "SkinState.h"
#include "SkinTables.h"

#include <QProxyStyle>
#include <optional>

class TsSkinManager;

// Section indexes the style draws with, looked up once per skin.
struct TsStyleSections {
    int Form = -1;
    int Dialog = -1;
    int Button = -1;
    int Edit = -1;
    int Selection = -1;
    int ColHeader = -1;
    int ToolButton = -1;
    int CheckBox = -1;
    int MainMenu = -1;
    int MenuItem = -1;
    int MenuLine = -1;
    int Hint = -1;
    int ComboBox = -1;
    int GroupBox = -1;
};

class TsSkinStyle : public QProxyStyle {
    Q_OBJECT
public:
    TsSkinStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QPalette standardPalette() const override;
    void polish(QWidget* widget) override;
    using QProxyStyle::polish;

    // The palette of the current skin, for the application.
    static QPalette SkinPalette(const SkinTables& skin, const TsStyleSections& sections,
                                const QPalette& base);
    static TsStyleSections FindSections(const SkinTables& skin);

    // Puts the skin's palette on the application after a skin change.
    void SkinChanged();

private:
    // The current skin with its sections; null without a skin.
    const SkinTables* Skin() const;
    const TsStyleSections& Sections() const;
    const TsSkinManager* Manager() const;

    bool DrawScrollBar(const QStyleOptionComplex* option, QPainter* painter) const;
    bool DrawComboBox(const QStyleOptionComplex* option, QPainter* painter) const;
    // Keyboard focus on a control the skin has no focus picture for.
    void DrawFocusMark(const QStyleOption* option, QPainter* painter) const;
    bool DrawCheckGlyph(PrimitiveElement element, const QStyleOption* option, QPainter* painter) const;
    bool DrawMenuItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    bool DrawSection(int section, const QStyleOption* option, QPainter* painter,
                     bool withBorder = true) const;
    // The width of a section's border, when it has a border mask.
    std::optional<int> BorderWidth(int section) const;

    mutable SkinTablesPtr sectionsFor_;
    mutable TsStyleSections sections_;
};

// The state a style option shows.
TsState OptionState(const QStyleOption* option);
// The same from the state flags alone.
TsState StateOf(QStyle::State state);

// Installs the style on the application once and keeps the palette following the default
// manager's skin.
void InstallSkinStyle();
