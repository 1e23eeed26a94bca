#pragma once
// A default skin manager wearing one of the built-in skins (the test's parameter, "NextAlpha"),
// loaded from the program's resources as the program loads it.

#include "BuiltInSkinPackages.h"
#include "DefaultSkinManager.h"
#include "TsSkinManager.h"

#include <gtest/gtest.h>
#include <memory>

class BuiltInSkinManagerTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        TsStoredSkins skins;
        for (const BuiltInSkinPackage& package : BuiltInSkinPackages()) {
            TsStoredSkin skin;
            skin.Name = QString::fromLatin1(package.Name);
            skin.Data = BuiltInSkinPackageData(package);
            skins.push_back(skin);
        }
        manager = MakeDefaultSkinManager(std::move(skins), QString::fromLatin1(GetParam()) + QStringLiteral(" (internal)"));
    }
    void TearDown() override { manager.reset(); }

    std::unique_ptr<TsSkinManager> manager;
};

#define INSTANTIATE_FOR_EVERY_BUILT_IN_SKIN(suite)                                                               \
    INSTANTIATE_TEST_SUITE_P(EveryBuiltInSkin, suite,                                                            \
                             ::testing::Values("BluePlastic", "DarkGlass", "LongHorn", "Neutral2", "NextAlpha"))
