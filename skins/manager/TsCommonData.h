#pragma once
// The binding of a skinned control (or of an adapter on a standard control) to its skin section.
// Indexes are looked up once per skin change, in the tables the binding keeps, so a control never
// paints with indexes of one skin into the tables of another.

#include "SkinTables.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;
class TsSkinManager;
class TsSkinCommandEvent;

class TsCommonData {
public:
    TsCommonData(QWidget* control, QString defaultSection);

    // As stored: upper case, "UNKNOWN" when set empty; empty until set, which means the
    // control kind's default section.
    QString SkinSection() const { return skinSection_; }
    // Stores the section and, when the manager has a skin, binds again and repaints.
    void SetSkinSection(const QString& section);
    // The section the control is drawn with.
    QString EffectiveSection() const { return skinSection_.isEmpty() ? defaultSection_ : skinSection_; }

    // The manager named for this control, else the process's default manager (or none).
    TsSkinManager* SkinManager() const;
    void SetSkinManager(TsSkinManager* manager);

    // The control keeps its own background colour, or its own text colour, under a skin.
    bool CustomColor = false;
    bool CustomFont = false;

    // Looks the indexes up in the manager's current skin (all -1 without one).
    void UpdateIndexes();
    // Forgets the skin: indexes -1, cached picture dropped.
    void ClearIndexes();

    // Whether a command concerns this binding: commands 1, 2 and 3 only from its own manager.
    bool Accepts(const TsSkinCommandEvent& event) const;

    bool Skinned() const { return SkinIndex >= 0 && tables_ != nullptr; }
    const SkinTables* Skin() const { return tables_.get(); }
    const TsGeneralData* Section() const { return tables_ ? tables_->Section(SkinIndex) : nullptr; }

    int SkinIndex = -1;
    int BorderIndex = -1;
    int TextureIndex = -1;    // texture of "PATTERN"
    int HotTextureIndex = -1; // texture of "HOTPATTERN"

    // The control's last drawn picture, redrawn only when BGChanged is set (by a state, size or
    // skin change).
    QImage CachedPicture;
    bool BGChanged = true;

    // True while a new skin is being broadcast: a control then draws nothing worth seeing.
    static bool Updating();

private:
    QWidget* control_;
    QString defaultSection_;
    QString skinSection_;
    QPointer<TsSkinManager> manager_;
    SkinTablesPtr tables_;
};

// What a skinned control does on each skin command beyond what its binding does itself (look
// the indexes up again on a new skin, forget them when the skin is removed). Empty ones do
// nothing.
struct TsSkinCommandActions {
    std::function<void()> NewSkin;
    std::function<void()> RemoveSkin;
    std::function<void()> Refresh;
    std::function<void()> StopFading;
};

// Answers a skin command for a control bound by `binding`: "query skinned" with 1, new skin,
// remove skin and refresh only from the binding's own manager, each through the binding first
// and then `actions`.
void AnswerSkinCommand(TsSkinCommandEvent& command, TsCommonData& binding,
                       const TsSkinCommandActions& actions);

// The answers of an adapter that changes something of a standard control while it is skinned:
// a new skin it cannot draw, or the skin's removal, puts the control back (`restore`); a refresh
// of a skinned control changes it (`apply`).
TsSkinCommandActions ApplyOrRestoreActions(const TsCommonData& binding, std::function<void()> apply,
                                           std::function<void()> restore);
