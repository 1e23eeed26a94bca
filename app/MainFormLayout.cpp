#include "MainFormLayout.h"

namespace {

// In the order the window stores them, top to bottom.
constexpr ControlLayout kControls[] = {
    // name, kind, {left, top, width, height}, caption, enabled, tab order, hand cursor
    {"sButton1", ControlKind::Button, {16, 16, 80, 21}, "원본파일", true, 1, true},
    {"RichEdit1", ControlKind::RichEdit, {104, 16, 615, 21}, "", false, 7, false},
    {"sButton6", ControlKind::Button, {16, 48, 80, 21}, "백업파일", false, 2, false},
    {"RichEdit2", ControlKind::RichEdit, {104, 48, 615, 21}, "", false, 8, false},
    {"sButton2", ControlKind::Button, {16, 80, 80, 80}, "백업", false, 3, true},
    {"RichEdit3", ControlKind::LogPane, {104, 80, 615, 80}, "", true, 9, false},
    {"sButton3", ControlKind::Button, {16, 173, 80, 125}, "최적화", false, 4, true},
    {"RichEdit4", ControlKind::LogPane, {104, 173, 615, 125}, "", true, 10, false},
    {"sButton4", ControlKind::Button, {16, 310, 80, 21}, "확인", false, 5, true},
    {"RichEdit5", ControlKind::RichEdit, {104, 310, 615, 21}, "", false, 11, false},
    {"sButton5", ControlKind::Button, {16, 342, 80, 21}, "종료", true, 6, true},
    {"sComboBox1", ControlKind::ComboBox, {619, 342, 100, 21}, "", true, 12, false},
    // Bottom-aligned, full width: they follow the bottom edge and the width on resize.
    {"Label1", ControlKind::Label, {0, 367, 734, 13}, "Size", true, 0, false},
    {"MyGauge", ControlKind::Gauge, {0, 380, 734, 12}, "", true, 0, false},
    {"StatusBar1", ControlKind::StatusBar, {0, 392, 734, 22}, "", true, 0, false},
};

} // namespace

std::span<const ControlLayout> MainFormControls() {
    return kControls;
}
