#include "TsCommonData.h"

#include "SkinCommand.h"
#include "TsSkinManager.h"

#include <QWidget>

TsCommonData::TsCommonData(QWidget* control, QString defaultSection)
    : control_(control), defaultSection_(std::move(defaultSection)) {}

void TsCommonData::SetSkinSection(const QString& section) {
    skinSection_ = section.isEmpty() ? QStringLiteral("UNKNOWN") : section.toUpper();
    const TsSkinManager* manager = SkinManager();
    if (manager != nullptr && manager->Skin()) {
        UpdateIndexes();
        control_->update();
    }
}

TsSkinManager* TsCommonData::SkinManager() const {
    return manager_ ? manager_.data() : TsSkinManager::DefaultManager();
}

void TsCommonData::SetSkinManager(TsSkinManager* manager) {
    manager_ = manager;
}

void TsCommonData::UpdateIndexes() {
    const TsSkinManager* manager = SkinManager();
    tables_ = manager != nullptr && manager->Active() ? manager->Skin() : nullptr;
    BGChanged = true;
    if (!tables_) {
        ClearIndexes();
        return;
    }
    SkinIndex = tables_->FindSection(EffectiveSection().toStdString());
    const TsGeneralData* section = tables_->Section(SkinIndex);
    BorderIndex = section ? section->Mask(SectionMask::BordersMask) : -1;
    TextureIndex = section ? section->Mask(SectionMask::Texture) : -1;
    HotTextureIndex = section ? section->Mask(SectionMask::HotTexture) : -1;
}

void TsCommonData::ClearIndexes() {
    tables_.reset();
    SkinIndex = BorderIndex = TextureIndex = HotTextureIndex = -1;
    CachedPicture = QImage();
    BGChanged = true;
}

bool TsCommonData::Accepts(const TsSkinCommandEvent& event) const {
    switch (event.Command()) {
    case TsSkinCommand::NewSkin:
    case TsSkinCommand::RemoveSkin:
    case TsSkinCommand::Refresh:
        return event.Manager() == SkinManager();
    default:
        return true;
    }
}

bool TsCommonData::Updating() {
    return TsSkinManager::SkinUpdating();
}

TsSkinCommandActions ApplyOrRestoreActions(const TsCommonData& binding, std::function<void()> apply,
                                           std::function<void()> restore) {
    return {[&binding, restore] {
                if (!binding.Skinned())
                    restore();
            },
            restore,
            [&binding, apply] {
                if (binding.Skinned())
                    apply();
            },
            nullptr};
}

void AnswerSkinCommand(TsSkinCommandEvent& command, TsCommonData& binding,
                       const TsSkinCommandActions& actions) {
    command.Result = 1;
    if (!binding.Accepts(command))
        return;
    const auto run = [](const std::function<void()>& action) {
        if (action)
            action();
    };
    switch (command.Command()) {
    case TsSkinCommand::NewSkin:
        binding.UpdateIndexes();
        run(actions.NewSkin);
        break;
    case TsSkinCommand::RemoveSkin:
        binding.ClearIndexes();
        run(actions.RemoveSkin);
        break;
    case TsSkinCommand::Refresh:
        binding.BGChanged = true;
        run(actions.Refresh);
        break;
    case TsSkinCommand::StopFading:
        run(actions.StopFading);
        break;
    case TsSkinCommand::QuerySkinned:
        break;
    }
}
