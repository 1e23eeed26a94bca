#include "PlacementIni.h"

#include "FormPosition.h"
#include "IniFile.h"
#include "PlacementKeys.h"
#include "ScreenFit.h"
#include "ScreenMetrics.h"
#include "WindowPlacement.h"

#include <QWidget>

namespace {

struct TSectionReader {
    const TIniFile& Ini;
    const std::string& Section;
    std::string Suffix;

    // The key of the current resolution first, then the plain key of the latest save.
    std::string PositionText(const std::string& key) const {
        const std::string text = Ini.ReadString(Section, key + Suffix, "");
        return text.empty() ? Ini.ReadString(Section, key, "") : text;
    }
};

std::string CurrentSuffix() {
    const TScreenSize screen = PrimaryScreenSize();
    return ResolutionSuffix(screen.Width, screen.Height);
}

bool IsSizeable(TBorderStyle style) {
    return style == TBorderStyle::bsSizeable || style == TBorderStyle::bsSizeToolWin;
}

void ReadPositionPart(QWidget* window, const TSectionReader& reader, TWindowPlacement& placement) {
    placement.Flags = reader.Ini.ReadInteger(reader.Section, PlacementKey::Flags, placement.Flags);
    bool found = false;
    if (const std::string text = reader.PositionText(PlacementKey::MinMaxPos); !text.empty()) {
        found = true;
        const TFourNumbers n = ParseFourNumbers(text, {0, 0, 0, 0});
        placement.MinPosition = {n[0], n[1]};
        placement.MaxPosition = {n[2], n[3]};
    }
    const QRect bounds = WindowFrameRect(window);
    if (const std::string text = reader.PositionText(PlacementKey::NormPos); !text.empty()) {
        found = true;
        const TFourNumbers n =
            ParseFourNumbers(text, {bounds.left(), bounds.top(), bounds.left() + bounds.width(),
                                    bounds.top() + bounds.height()});
        placement.NormalPosition = {n[0], n[1], n[2], n[3]};
    }
    const int ppi =
        reader.Ini.ReadInteger(reader.Section, PlacementKey::PixelsPerInch, ScreenPixelsPerInch());
    if (!found || ppi != ScreenPixelsPerInch())
        return;
    const TPlacementRect& rect = placement.NormalPosition;
    TBounds64 stored{rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (!IsSizeable(FormBorderStyle(window))) {
        stored.Right = stored.Left + bounds.width();
        stored.Bottom = stored.Top + bounds.height();
    }
    // An empty or inverted rectangle would give a window that is never mapped.
    if (!HasArea(stored))
        return;
    // The window opens where it was left, not where its rule would centre it.
    if (FormPosition(window) != TPosition::poDesigned)
        SetFormPosition(window, TPosition::poDesigned);
    const QRect frame = FitOnScreen(stored, SmallestFrameSize(window));
    placement.NormalPosition = {frame.left(), frame.top(), frame.left() + frame.width(),
                                frame.top() + frame.height()};
    SetWindowPlacement(window, placement);
}

TWindowState StateOfShowCmd(std::int32_t showCmd) {
    switch (showCmd) {
    case ShowCmd::ShowNormal:
    case ShowCmd::Show:
    case ShowCmd::Restore:
        return TWindowState::wsNormal;
    case ShowCmd::ShowMinimized:
    case ShowCmd::Minimize:
    case ShowCmd::ShowMinNoActive:
        return TWindowState::wsMinimized;
    case ShowCmd::ShowMaximized:
        return TWindowState::wsMaximized;
    default:
        // Qt windows have neither an MDI frame nor a platform-chosen default placement, the two
        // cases that would start maximised.
        return TWindowState::wsNormal;
    }
}

// False when the program was left to minimise itself; the window then shows normally first.
bool ReadStatePart(QWidget* window, const TSectionReader& reader) {
    const TWindowState state =
        StateOfShowCmd(reader.Ini.ReadInteger(reader.Section, PlacementKey::ShowCmd, 0));
    if (state == TWindowState::wsMinimized && IsMainWindow(window)) {
        ResetStoredWindowState(window);
        PostProgramMinimize(window);
        return false;
    }
    SetFormWindowState(window, state);
    return true;
}

// A window not yet on the screen has nothing to repaint; its first exposure paints it.
void RepaintNow(QWidget* window) {
    if (IsWindowVisible(window))
        window->repaint();
    else
        window->update();
}

void WriteFourNumbers(TIniFile& ini, const std::string& section, const std::string& key,
                      const TFourNumbers& n) {
    const std::string value = QuoteForProfile(FormatFourNumbers(n));
    ini.WriteString(section, key + CurrentSuffix(), value);
    ini.WriteString(section, key, value);
}

} // namespace

void ReadWindowPlacement(QWidget* window, const TIniFile& ini, const std::string& section,
                         TPlacementParts parts) {
    if (!parts.State && !parts.Position)
        return;
    TWindowPlacement placement = GetWindowPlacement(window);
    if (!IsWindowVisible(window))
        placement.ShowCmd = ShowCmd::Hide;
    const TSectionReader reader{ini, section, CurrentSuffix()};
    if (parts.Position)
        ReadPositionPart(window, reader, placement);
    if (parts.State && !ReadStatePart(window, reader))
        return;
    RepaintNow(window);
}

void WriteWindowPlacement(QWidget* window, TIniFile& ini, const std::string& section) {
    TWindowPlacement placement = GetWindowPlacement(window);
    if (IsMainWindow(window) && IsProgramMinimized(window))
        placement.ShowCmd = ShowCmd::ShowMinimized;
    ini.WriteInteger(section, PlacementKey::Flags, placement.Flags);
    ini.WriteInteger(section, PlacementKey::ShowCmd, placement.ShowCmd);
    ini.WriteInteger(section, PlacementKey::PixelsPerInch, ScreenPixelsPerInch());
    const TPlacementPoint min = placement.MinPosition;
    const TPlacementPoint max = placement.MaxPosition;
    WriteFourNumbers(ini, section, PlacementKey::MinMaxPos, {min.X, min.Y, max.X, max.Y});
    const TPlacementRect rect = placement.NormalPosition;
    WriteFourNumbers(ini, section, PlacementKey::NormPos, {rect.Left, rect.Top, rect.Right, rect.Bottom});
}

void FixWindowMaximizedPosition(QWidget* window) {
    TWindowPlacement placement = GetWindowPlacement(window);
    if (!IsWindowVisible(window))
        placement.ShowCmd = ShowCmd::Hide;
    const TPlacementPoint frame = FrameSizeOf(FormBorderStyle(window));
    placement.MaxPosition = {-frame.X, -frame.Y};
    SetWindowPlacement(window, placement);
}
