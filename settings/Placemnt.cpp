#include "Placemnt.h"

#include "FileSystem.h"
#include "IniFile.h"
#include "PlacementKeys.h"

#include <QEvent>
#include <QWidget>
#include <iostream>

namespace {

bool SameNameIgnoringCase(const QString& a, const std::string& b) {
    return a.compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

// The first of the window's own objects with that name, as the window's component of that name.
QObject* FindComponent(const QWidget* form, const std::string& name) {
    if (name.empty())
        return nullptr;
    for (QObject* child : form->findChildren<QObject*>())
        if (SameNameIgnoringCase(child->objectName(), name))
            return child;
    return nullptr;
}

// It and each of its parents up to the window are shown and enabled.
bool CanFocus(const QWidget* control, const QWidget* form) {
    for (const QWidget* w = control; w != form; w = w->parentWidget())
        if (w == nullptr || w->isHidden() || !w->isEnabled())
            return false;
    return true;
}

QWidget* ActiveControlOf(const QWidget* form) {
    QWidget* focus = form->focusWidget();
    return focus == form ? nullptr : focus;
}

std::string DefaultIniFileName() {
    const std::string path = ProgramFilePath();
    std::string name = path.substr(path.rfind('/') + 1);
    if (const auto dot = name.rfind('.'); dot != std::string::npos)
        name.erase(dot);
    return name + ".INI";
}

} // namespace

TFormPlacement::TFormPlacement(QWidget* owner) : QObject(owner), owner_(owner) {
    if (Form() != nullptr)
        Options = {TPlacementOption::fpState, TPlacementOption::fpPosition};
}

TFormPlacement::~TFormPlacement() {
    if (hooked_)
        owner_->removeEventFilter(this);
}

QWidget* TFormPlacement::Form() const {
    return owner_ != nullptr && owner_->isWindow() ? owner_ : nullptr;
}

void TFormPlacement::Loaded() {
    if (hooked_ || owner_ == nullptr)
        return;
    owner_->installEventFilter(this);
    hooked_ = true;
}

bool TFormPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched != owner_)
        return QObject::eventFilter(watched, event);
    // A spontaneous show is the window coming back from the task bar, not a show of the window.
    if (event->type() == QEvent::Show && !event->spontaneous())
        ShowHook();
    if (event->type() == QEvent::Close && !CloseQueryHook()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

template <typename Step> void TFormPlacement::Guarded(Step step) {
    try {
        step();
    } catch (const std::exception& error) {
        Report(error.what());
    } catch (...) {
        Report("Unknown error");
    }
}

void TFormPlacement::Report(const std::string& message) const {
    if (ErrorReporter)
        ErrorReporter(message);
    else
        std::cerr << message << '\n';
}

void TFormPlacement::ShowHook() {
    if (Active)
        Guarded([this] { LoadPlacement(); });
}

bool TFormPlacement::CloseQueryHook() {
    const bool canClose = true;
    if (canClose && Active && Form() != nullptr)
        Guarded([this] { StorePlacement(); });
    return canClose;
}

void TFormPlacement::OwnerDestroying() {
    if (Active && !saved_) {
        destroying_ = true;
        Guarded([this] { StorePlacement(); });
        destroying_ = false;
    }
    if (hooked_) {
        owner_->removeEventFilter(this);
        hooked_ = false;
    }
}

void TFormPlacement::LoadPlacement() {
    saved_ = false;
    const TIniFile ini(EffectiveIniFileName());
    if (ini.ReadInteger(DefaultPlacementSection(), PlacementKey::FormVersion, 0) >= Version) {
        Restore(ini);
        restored_ = true;
        if (OnRestorePlacement)
            OnRestorePlacement(this);
        if (Options.Contains(TPlacementOption::fpActiveControl) && Form() != nullptr)
            RestoreActiveControl(ini);
    }
    restored_ = true;
    FixMaximizedPosition();
}

void TFormPlacement::Restore(const TIniFile& ini) {
    if (Form() == nullptr)
        return;
    const TPlacementParts parts{Options.Contains(TPlacementOption::fpState),
                                Options.Contains(TPlacementOption::fpPosition)};
    ReadWindowPlacement(Form(), ini, DefaultPlacementSection(), parts);
}

void TFormPlacement::RestoreActiveControl(const TIniFile& ini) {
    const std::string name = ini.ReadString(DefaultPlacementSection(), PlacementKey::ActiveControl, "");
    auto* control = qobject_cast<QWidget*>(FindComponent(Form(), name));
    if (control != nullptr && CanFocus(control, Form()))
        control->setFocus(Qt::OtherFocusReason);
}

void TFormPlacement::StorePlacement() {
    // A window that was never shown in this run keeps the placement stored before.
    if (Active && !restored_)
        return;
    TIniFile ini(EffectiveIniFileName());
    ini.WriteInteger(DefaultPlacementSection(), PlacementKey::FormVersion, Version);
    Save(ini);
    if (OnSavePlacement)
        OnSavePlacement(this);
    saved_ = true;
}

void TFormPlacement::Save(TIniFile& ini) {
    QWidget* form = Form();
    if (form == nullptr)
        return;
    const std::string section = DefaultPlacementSection();
    if (Options.Contains(TPlacementOption::fpState) || Options.Contains(TPlacementOption::fpPosition)) {
        WriteWindowPlacement(form, ini, section);
        ini.WriteBool(section, PlacementKey::Visible, destroying_);
    }
    if (Options.Contains(TPlacementOption::fpActiveControl))
        if (const QWidget* active = ActiveControlOf(form))
            ini.WriteString(section, PlacementKey::ActiveControl, active->objectName().toStdString());
}

void TFormPlacement::FixMaximizedPosition() {
    QWidget* form = Form();
    if (form != nullptr && form->testAttribute(Qt::WA_WState_Created) && !PreventResize &&
        MinMaxInfo.DefaultMinMaxInfo())
        FixWindowMaximizedPosition(form);
}

std::string TFormPlacement::EffectiveIniFileName() const {
    return IniFileName.empty() ? DefaultIniFileName() : IniFileName;
}

std::string TFormPlacement::DefaultPlacementSection() const {
    if (!IniSection.empty())
        return IniSection;
    return Form() != nullptr ? Form()->metaObject()->className() : std::string();
}

std::string TFormPlacement::DoReadString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) {
    return TIniFile(EffectiveIniFileName()).ReadString(section, key, defaultValue);
}

void TFormPlacement::DoWriteString(const std::string& section, const std::string& key,
                                   const std::string& value) {
    TIniFile(EffectiveIniFileName()).WriteString(section, key, value);
}
