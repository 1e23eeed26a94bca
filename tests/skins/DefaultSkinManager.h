#pragma once
// The process's default skin manager for a test, wearing one of the given skins, with the hook
// on: windows shown under it are skinned as the program's are. `prepare` may set more before the
// manager is told that loading has finished.

#include "SkinAttachments.h"
#include "TsSkinManager.h"

#include <functional>
#include <memory>

inline std::unique_ptr<TsSkinManager> MakeDefaultSkinManager(TsStoredSkins skins, const QString& name,
                                                             const std::function<void(TsSkinManager&)>& prepare = {}) {
    RegisterSkinAttachments();
    auto manager = std::make_unique<TsSkinManager>();
    manager->SetIsDefault(true);
    manager->AnimEffects.SkinChanging.Active = false;
    manager->BeginLoading();
    manager->InternalSkins = std::move(skins);
    manager->SetSkinName(name);
    if (prepare)
        prepare(*manager);
    manager->Loaded();
    return manager;
}
