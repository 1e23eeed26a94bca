#pragma once
// A default skin manager wearing the controls' test skin, with the hook on: windows shown under
// it are skinned as the program's are.

#include "ControlsSkin.h"
#include "DefaultSkinManager.h"
#include "TsSkinManager.h"

#include <gtest/gtest.h>
#include <memory>

class ControlsSkinFixture : public ::testing::Test {
protected:
    void SetUp() override {
        TsStoredSkin skin;
        skin.Name = QStringLiteral("Test");
        skin.Data = ControlsSkin(true);
        manager = MakeDefaultSkinManager({skin}, QStringLiteral("Test"), [](TsSkinManager& m) {
            m.ThirdParty.SetText(TsThirdPartyKind::ThirdEdits, QStringLiteral(" \r\nQTextEdit"));
        });
    }
    void TearDown() override { manager.reset(); }

    std::unique_ptr<TsSkinManager> manager;
};
