#pragma once
// What the placement tests share: a fresh folder with the placement file, test windows wired to
// it whose errors are collected, and the keys as the current screen names them.

#include "IniFile.h"
#include "PlacementKeys.h"
#include "PlacementTestForm.h"
#include "ScreenMetrics.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

inline std::string Suffix() {
    const TScreenSize screen = PrimaryScreenSize();
    return ResolutionSuffix(screen.Width, screen.Height);
}

inline std::string Ppi() {
    return std::to_string(ScreenPixelsPerInch());
}

class TPlacementFixture : public ::testing::Test {
protected:
    std::string IniPath() const { return folder.File("kvFormPct.ini"); }
    std::unique_ptr<TPlacementTestForm> NewForm() {
        auto form = std::make_unique<TPlacementTestForm>(IniPath());
        form->FormPct->ErrorReporter = [this](const std::string& message) {
            errors.push_back(message);
        };
        return form;
    }
    void WriteSection(const std::string& keys) {
        folder.Write("kvFormPct.ini", "[TPlacementTestForm]\r\n" + keys);
    }
    std::string Key(const std::string& key) const {
        return TIniFile(IniPath()).ReadString("TPlacementTestForm", key, "(none)");
    }

    TTempDir folder;
    std::vector<std::string> errors; // outlives the forms, so the destroy hook's errors are seen
};
