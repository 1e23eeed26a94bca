#pragma once
// Reading and writing one window's placement keys in a section of the placement file.

#include <string>

class QWidget;
class TIniFile;

struct TPlacementParts {
    bool State = false;
    bool Position = false;
};

// Reads the window's keys from the section and applies them to the window.
void ReadWindowPlacement(QWidget* window, const TIniFile& ini, const std::string& section,
                         TPlacementParts parts);

// Reads the window's placement and writes its keys to the section.
void WriteWindowPlacement(QWidget* window, TIniFile& ini, const std::string& section);

// Gives the window the maximised position at which its frame lies just beyond the screen.
void FixWindowMaximizedPosition(QWidget* window);
