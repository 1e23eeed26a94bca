#pragma once
// A default skin manager wearing one of the built-in skins (the test's parameter, "NextAlpha"),
// loaded from the program's resources as the program loads it.

#include "BuiltInSkinPackages.h"
#include "SkinAttachments.h"
#include "TsSkinManager.h"

#include <gtest/gtest.h>
#include <memory>

class BuiltInSkinManagerTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        RegisterSkinAttachments();
        manager = std::make_unique<TsSkinManager>();
        manager->SetIsDefault(true);
        manager->AnimEffects.SkinChanging.Active = false;
        manager->BeginLoading();
        for (const BuiltInSkinPackage& package : BuiltInSkinPackages()) {
            TsStoredSkin skin;
            skin.Name = QString::fromLatin1(package.Name);
            skin.Data = BuiltInSkinPackageData(package);
            manager->InternalSkins.push_back(skin);
        }
        manager->SetSkinName(QString::fromLatin1(GetParam()) + QStringLiteral(" (internal)"));
        manager->Loaded();
    }
    void TearDown() override { manager.reset(); }

    std::unique_ptr<TsSkinManager> manager;
};

#define INSTANTIATE_FOR_EVERY_BUILT_IN_SKIN(suite)                                                               \
    INSTANTIATE_TEST_SUITE_P(EveryBuiltInSkin, suite,                                                            \
                             ::testing::Values("BluePlastic", "DarkGlass", "LongHorn", "Neutral2", "NextAlpha"))
