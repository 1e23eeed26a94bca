#pragma once
// The one component that owns the current skin: it decides which skin a name stands for and
// where it comes from (a package file, a skin folder, a built-in skin), has it loaded into a new
// set of tables, swaps them in when the load has succeeded, and tells every window and control.

#include "SkinChangeFade.h"
#include "SkinLoader.h"
#include "SkinSettings.h"
#include "SkinTables.h"
#include "ThirdPartyList.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TsCacheIndexes;

class TsSkinManager : public QObject {
    Q_OBJECT
public:
    explicit TsSkinManager(QObject* owner = nullptr);
    ~TsSkinManager() override;

    // Published settings with their defaults.
    bool ExtendedBorders = false;
    bool SkinnedPopups = true;
    bool AllowGlowing = true;
    TacAnimEffects AnimEffects;
    TsStoredSkins InternalSkins;
    TacMenuSupport MenuSupport;
    TacSkinningRules SkinningRules = AllSkinningRules;
    ThirdPartyList ThirdParty;
    std::function<void()> OnBeforeChange;
    std::function<void()> OnAfterChange;

    bool IsDefault() const;
    void SetIsDefault(bool value);
    bool Active() const { return active_; }
    void SetActive(bool value);
    QStringList CommonSections() const { return commonSections_; }
    void SetCommonSections(const QStringList& lines);
    int Saturation() const { return saturation_; }
    void SetSaturation(int value);
    int HueOffset() const { return hueOffset_; }
    void SetHueOffset(int value);
    QString SkinDirectory() const { return skinDirectory_; }
    void SetSkinDirectory(const QString& directory);
    QString SkinName() const { return skinName_; }
    void SetSkinName(const QString& name);
    // The loaded skin's version as written, "N/A" while no skin is active. Written values are
    // ignored.
    QString SkinInfo() const;
    void SetSkinInfo(const QString&) {}
    QString Version() const { return QStringLiteral("6.68"); }
    void SetVersion(const QString&) {}

    // Reading from the stored layout: skin changes are not broadcast until Loaded().
    void BeginLoading() { loading_ = true; }
    void Loaded();
    bool IsLoading() const { return loading_; }

    // The current skin; null while none is loaded. Immutable, shared with the controls' bindings.
    SkinTablesPtr Skin() const { return skin_; }
    // True once a skin has been applied and while no new one is being loaded.
    bool SkinDataActive() const { return skinDataActive_; }
    const TsCacheIndexes& Cache() const;
    // How many skins this manager has loaded so far (each load of a name counts, also of the
    // same name again).
    int SkinGeneration() const { return generation_; }
    // Where loose image files of the current skin come from; empty for packages.
    std::string SkinPath() const { return skinPath_; }
    bool FromPackage() const { return fromPackage_; }

    // Sends new skin to every window and control; with refresh they also redraw.
    void SendNewSkin(bool refresh);
    // Removes skinning from every window and control and empties the tables.
    void SendRemoveSkin();

    // Shows a load error; a message box unless replaced (tests).
    std::function<void(const QString& message)> ErrorReporter;
    // Shows the newer-version warning; a message box unless replaced.
    std::function<void(const QString& message)> MessageReporter;

    // The process's default manager, or none.
    static TsSkinManager* DefaultManager();
    // Set while a skin is loaded: controls start no hover fading meanwhile.
    static bool SkinChanging();
    // Set while a new skin is broadcast.
    static bool SkinUpdating();

signals:
    void skinChanged();

private:
    void LoadSkin();
    void LoadPackageFile(const std::string& path);
    void LoadBuiltInOrFolder();
    void LoadBuiltIn();
    void FallBackToBuiltIn(const QString& name, const QString& old);
    void Swap(SkinTablesPtr tables, std::string skinPath, bool fromPackage);
    void ReportError(const QString& message);
    void ReloadCurrent();
    // What SendNewSkin does, with the pictures for the fade taken beforehand.
    void Broadcast(bool refresh, SkinChangeFade fade);
    // Pictures of the forms as they look now, when skin changes fade; otherwise none.
    SkinChangeFade PictureOfCurrentLook() const;
    bool FadesSkinChanges() const;
    // The visible forms this manager's providers draw, unless every window is minimised.
    std::vector<QWidget*> FormsToRedraw() const;
    static bool AllWindowsAway();
    SkinLoadOptions LoadOptions() const;

    bool active_ = true;
    bool loading_ = false;
    bool skinDataActive_ = false;
    int saturation_ = 0;
    int hueOffset_ = 0;
    QStringList commonSections_;
    QString skinDirectory_;
    QString skinName_;
    SkinTablesPtr skin_;
    std::string skinPath_;
    bool fromPackage_ = true;
    int generation_ = 0;
    // Where the current tables came from, when that was a built-in skin.
    struct BuiltInSource {
        QByteArray Data;
        int HueOffset;
        int Saturation;
        QStringList CommonSections;
        bool operator==(const BuiltInSource& other) const;
    };
    std::optional<BuiltInSource> loadedBuiltIn_;
    std::unique_ptr<TsCacheIndexes> cache_;
};
