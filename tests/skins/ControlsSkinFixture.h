#pragma once
// A default skin manager wearing the controls' test skin, with the hook on: windows shown under
// it are skinned as the program's are.

#include "ControlsSkin.h"
#include "SkinAttachments.h"
#include "TsSkinManager.h"

#include <gtest/gtest.h>
#include <memory>

class ControlsSkinFixture : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterSkinAttachments();
        manager = std::make_unique<TsSkinManager>();
        manager->SetIsDefault(true);
        manager->AnimEffects.SkinChanging.Active = false;
        manager->BeginLoading();
        TsStoredSkin skin;
        skin.Name = QStringLiteral("Test");
        skin.Data = ControlsSkin(true);
        manager->InternalSkins = {skin};
        manager->SetSkinName(QStringLiteral("Test"));
        manager->ThirdParty.SetText(TsThirdPartyKind::ThirdEdits, QStringLiteral(" \r\nQTextEdit"));
        manager->Loaded();
    }
    void TearDown() override { manager.reset(); }

    std::unique_ptr<TsSkinManager> manager;
};
