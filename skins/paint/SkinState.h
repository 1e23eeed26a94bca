#pragma once
// The state a control is drawn in. The value is the column of the state in a mask's picture.

enum class TsState : int {
    Normal = 0,
    Hot = 1,     // the mouse is over it
    Pressed = 2, // held down, or checked
    Disabled = 3,
    Focused = 4,
};

inline int StateColumn(TsState state) {
    return static_cast<int>(state);
}

// Hot and pressed controls take a section's "HOT" keys.
inline bool UsesHotKeys(TsState state) {
    return state == TsState::Hot || state == TsState::Pressed;
}
