#pragma once
// The placement component: brings a window back where the user left it - position and size,
// show state and focused control - from a section of a private-profile INI file.
//
// Wiring for a window (the window's class needs Q_OBJECT: its class name is the section):
//   constructor:  SetFormPosition(this, TPosition::poScreenCenter);
//                 FormPct = new TFormPlacement(this);
//                 FormPct->Active = false; FormPct->Options = {...}; FormPct->Loaded();
//                 FormPct->ErrorReporter = <the window's standard error box>;
//   creation:     FormPct->IniFileName = PlacementFilePath(); FormPct->Active = true;
//   showEvent:    if (!event->spontaneous()) ApplyFormPosition(this);
//   closeEvent:   the window's own close handling; the placement was saved just before.
//   destructor:   FormPct->OwnerDestroying();

#include "PlacementIni.h"
#include "WindowPlacement.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

class QWidget;
class TIniFile;

enum class TPlacementOption { fpState, fpPosition, fpActiveControl };

// A set of placement options.
class TPlacementOptions {
public:
    TPlacementOptions() = default;
    TPlacementOptions(std::initializer_list<TPlacementOption> options) {
        for (auto option : options)
            bits_ |= Bit(option);
    }
    bool Contains(TPlacementOption option) const { return (bits_ & Bit(option)) != 0; }
    bool operator==(const TPlacementOptions&) const = default;

private:
    static unsigned Bit(TPlacementOption option) { return 1u << static_cast<unsigned>(option); }
    unsigned bits_ = 0;
};

enum class TPlacementRegRoot {
    prCurrentUser,
    prLocalMachine,
    prCurrentConfig,
    prClassesRoot,
    prUsers,
    prDynData
};

// Size limits; 0 sets no limit.
struct TWinMinMaxInfo {
    std::int32_t MaxPosLeft = 0;
    std::int32_t MaxPosTop = 0;
    std::int32_t MaxSizeWidth = 0;
    std::int32_t MaxSizeHeight = 0;
    std::int32_t MaxTrackWidth = 0;
    std::int32_t MaxTrackHeight = 0;
    std::int32_t MinTrackWidth = 0;
    std::int32_t MinTrackHeight = 0;
    bool operator==(const TWinMinMaxInfo&) const = default;
    bool DefaultMinMaxInfo() const { return *this == TWinMinMaxInfo{}; }
};

class TFormPlacement : public QObject {
public:
    using TNotifyEvent = std::function<void(TFormPlacement* sender)>;
    using TErrorReporter = std::function<void(const std::string& message)>;

    // The owner is the window (a form when it is a top-level widget); the component becomes its
    // child, as components belong to their form.
    explicit TFormPlacement(QWidget* owner);
    ~TFormPlacement() override;

    bool Active = true;
    std::string IniFileName;
    std::string IniSection;
    TPlacementOptions Options;
    std::int32_t Version = 0;
    // The size limits, the registry and the resize freeze are kept but act on nothing: no
    // message hook is attached and no registry exists here.
    bool PreventResize = false;
    TWinMinMaxInfo MinMaxInfo;
    bool UseRegistry = false;
    TPlacementRegRoot RegistryRoot = TPlacementRegRoot::prCurrentUser;
    TNotifyEvent OnSavePlacement;
    TNotifyEvent OnRestorePlacement;

    // Where errors escaping the three hooks go: the window's standard error box. Unset, they go
    // to the standard error stream.
    TErrorReporter ErrorReporter;

    QWidget* Owner() const { return owner_; }

    // Takes over the owner's show, close query and destroy: after this, every show() of the
    // owner runs ShowHook before the window reaches the screen and every close event runs CloseQueryHook
    // before the owner's own close handling. The owner's destructor must call OwnerDestroying.
    void Loaded();

    void ShowHook();
    // Returns whether the close may go on; this component never refuses it.
    bool CloseQueryHook();
    void OwnerDestroying();

    void LoadPlacement();
    void StorePlacement();
    void FixMaximizedPosition();

    // IniFileName, or the program file's name with the extension ".INI" when that is empty.
    std::string EffectiveIniFileName() const;
    std::string DefaultPlacementSection() const;

    bool IsRestored() const { return restored_; }
    bool IsSaved() const { return saved_; }
    bool IsDestroying() const { return destroying_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The section save and restore, steps that a derived component may widen.
    virtual void Save(TIniFile& ini);
    virtual void Restore(const TIniFile& ini);
    // For linked storage components.
    virtual std::string DoReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue);
    virtual void DoWriteString(const std::string& section, const std::string& key, const std::string& value);

private:
    QWidget* Form() const;
    void RestoreActiveControl(const TIniFile& ini);
    void Report(const std::string& message) const;
    template <typename Step> void Guarded(Step step);

    QWidget* owner_;
    bool hooked_ = false;
    bool restored_ = false;
    bool saved_ = false;
    bool destroying_ = false;
};
