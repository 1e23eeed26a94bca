#include "TsSkinManager.h"

#include "FileSystem.h"
#include "SkinBroadcast.h"
#include "SkinCacheIndexes.h"
#include "SkinChangeFade.h"
#include "SkinDirectory.h"
#include "SkinHook.h"
#include "SkinLoader.h"
#include "SkinPictureSource.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QScopeGuard>
#include <QWidget>
#include <span>

namespace {

TsSkinManager* defaultManager = nullptr;
bool skinChanging = false;
bool skinUpdating = false;
TsSkinHook* hook = nullptr; // the default manager's

// Far above any real skin package (the built-in ones are under 50 KB).
constexpr std::uint64_t MaxPackageFileSize = 64u << 20;

std::string Local(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

std::span<const std::uint8_t> BytesOf(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())};
}

void ShowBox(QMessageBox::Icon icon, const QString& message) {
    QMessageBox box(icon, QCoreApplication::applicationName(), message, QMessageBox::Ok);
    box.exec();
}

// Sets a process-wide flag for the lifetime of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace

TsSkinManager::TsSkinManager(QObject* owner) : QObject(owner), cache_(std::make_unique<TsCacheIndexes>()) {
    if (defaultManager == nullptr)
        defaultManager = this;
    ErrorReporter = [](const QString& message) {
        ShowBox(QMessageBox::Critical, message);
    };
    MessageReporter = [](const QString& message) {
        ShowBox(QMessageBox::Information, message);
    };
}

TsSkinManager::~TsSkinManager() {
    OnBeforeChange = nullptr;
    OnAfterChange = nullptr;
    if (active_) {
        active_ = false;
        SendRemoveSkin();
    }
    if (defaultManager == this) {
        delete hook;
        hook = nullptr;
        defaultManager = nullptr;
    }
}

TsSkinManager* TsSkinManager::DefaultManager() {
    return defaultManager;
}

bool TsSkinManager::SkinChanging() {
    return skinChanging;
}

bool TsSkinManager::SkinUpdating() {
    return skinUpdating;
}

const TsCacheIndexes& TsSkinManager::Cache() const {
    return *cache_;
}

bool TsSkinManager::IsDefault() const {
    return defaultManager == this;
}

void TsSkinManager::SetIsDefault(bool value) {
    if (!value) {
        // The hook belongs to the default manager: it goes with the role, so it never outlives
        // this manager nor passes to the next default one with this one's windows.
        if (defaultManager == this) {
            delete hook;
            hook = nullptr;
            defaultManager = nullptr;
        }
        return;
    }
    if (defaultManager != this) {
        delete hook;
        hook = nullptr;
        defaultManager = this;
    }
    if (active_)
        SendNewSkin(true);
    else
        SendRemoveSkin();
}

void TsSkinManager::SetActive(bool value) {
    if (value) {
        active_ = true;
        SetSkinName(skinName_);
        return;
    }
    if (!active_)
        return;
    active_ = false;
    SendRemoveSkin();
    *cache_ = ComputeCacheIndexes(nullptr);
}

void TsSkinManager::SetCommonSections(const QStringList& lines) {
    commonSections_.clear();
    for (QString line : lines) {
        if (!line.startsWith(QLatin1Char(';')))
            line.remove(QLatin1Char(' '));
        commonSections_ << line;
    }
    ReloadCurrent();
}

void TsSkinManager::SetSaturation(int value) {
    if (value == saturation_)
        return;
    saturation_ = value;
    ReloadCurrent();
}

void TsSkinManager::SetHueOffset(int value) {
    if (value == hueOffset_)
        return;
    hueOffset_ = value;
    ReloadCurrent();
}

void TsSkinManager::SetSkinDirectory(const QString& directory) {
    skinDirectory_ = directory;
    if (fromPackage_ && !skinPath_.empty())
        skinPath_ = FullSkinDirectory(Local(directory), PlatformSkinDirectoryRules()) +
                    PlatformSkinDirectoryRules().Separator;
}

QString TsSkinManager::SkinInfo() const {
    if (!active_ || !skin_)
        return QStringLiteral("N/A");
    return QString::fromStdString(skin_->SkinData.VersionText);
}

void TsSkinManager::SetSkinName(const QString& name) {
    const QString old = skinName_;
    skinName_ = name;
    if (!active_)
        return;
    if (OnBeforeChange) {
        try {
            OnBeforeChange();
        } catch (...) {
            skinName_ = old; // nothing was loaded: the name stays with the tables
            throw;
        }
    }
    {
        const FlagScope changing(skinChanging);
        SkinChangeFade fade = PictureOfCurrentLook();
        skinDataActive_ = false;
        try {
            LoadSkin();
        } catch (const std::exception& error) {
            // The tables of the previous skin stay, and so does its name: the two always agree.
            skinName_ = old;
            if (!skin_)
                FallBackToBuiltIn(name, old);
            ReportError(QString::fromUtf8(error.what()));
        }
        if (!active_)
            SendRemoveSkin();
        else
            Broadcast(true, std::move(fade));
    }
    if (OnAfterChange)
        OnAfterChange();
}

void TsSkinManager::FallBackToBuiltIn(const QString& name, const QString& old) {
    // With no skin in use there is nothing to keep: a broken package or folder that stands in
    // for a built-in skin gives way to that built-in skin (to the first one for any other
    // name), rather than leave every window without a skin.
    skinName_ = name;
    try {
        LoadBuiltIn();
    } catch (const std::exception&) {
    }
    if (!skin_)
        skinName_ = old;
}

void TsSkinManager::ReloadCurrent() {
    if (!active_ || !skin_ || loading_)
        return;
    const FlagScope changing(skinChanging);
    SkinChangeFade fade = PictureOfCurrentLook();
    try {
        LoadSkin();
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()));
    }
    Broadcast(true, std::move(fade));
}

void TsSkinManager::LoadSkin() {
    const SkinDirectoryRules rules = PlatformSkinDirectoryRules();
    const std::string package =
        NormalisedSkinDirectory(Local(skinDirectory_), rules) + Local(skinName_) + ".ktz";
    if (FileExists(package))
        LoadPackageFile(package);
    else
        LoadBuiltInOrFolder();
}

void TsSkinManager::LoadPackageFile(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path, MaxPackageFileSize);
    const SkinDirectoryRules rules = PlatformSkinDirectoryRules();
    SkinTablesPtr tables = LoadSkinPackage(
        bytes, [this](const std::string& m) { MessageReporter(QString::fromStdString(m)); }, LoadOptions());
    Swap(std::move(tables), FullSkinDirectory(Local(skinDirectory_), rules) + rules.Separator, true);
}

void TsSkinManager::LoadBuiltInOrFolder() {
    const SkinDirectoryRules rules = PlatformSkinDirectoryRules();
    const SkinMessageHandler onMessage = [this](const std::string& m) {
        MessageReporter(QString::fromStdString(m));
    };
    const std::string folder = FullSkinDirectory(Local(skinDirectory_), rules) + rules.Separator +
                               Local(skinName_) + rules.Separator;
    if (FileExists(folder + "Options.dat")) {
        Swap(LoadSkinFolder(folder, onMessage, LoadOptions()), folder, false);
        return;
    }
    LoadBuiltIn();
}

void TsSkinManager::LoadBuiltIn() {
    const SkinMessageHandler onMessage = [this](const std::string& m) {
        MessageReporter(QString::fromStdString(m));
    };
    const auto found = std::find_if(InternalSkins.begin(), InternalSkins.end(),
                                    [this](const TsStoredSkin& item) { return item.Name == skinName_; });
    const TsStoredSkin* item = found != InternalSkins.end() ? &*found : nullptr;
    if (item == nullptr) {
        if (InternalSkins.empty()) {
            active_ = false;
            return;
        }
        item = &InternalSkins.front();
        skinName_ = item->Name;
    }
    // A built-in package never changes, and the tables are immutable: loading the same one
    // again with the same colour settings gives the very same tables, so they are kept (the
    // window loads its stored skin twice at every start).
    const BuiltInSource source{item->Data, hueOffset_, saturation_, commonSections_};
    if (skin_ && loadedBuiltIn_ && *loadedBuiltIn_ == source) {
        Swap(skin_, std::string(), true);
        loadedBuiltIn_ = source;
        return;
    }
    // A built-in skin without a package would describe itself through its collections; the
    // program has none of that kind, so such an item is a skin without sections.
    SkinTablesPtr tables = item->Data.isEmpty()
                               ? std::make_shared<const SkinTables>()
                               : LoadSkinPackage(BytesOf(item->Data), onMessage, LoadOptions());
    Swap(std::move(tables), std::string(), true);
    loadedBuiltIn_ = source;
}

bool TsSkinManager::BuiltInSource::operator==(const BuiltInSource& other) const {
    return Data.isSharedWith(other.Data) && HueOffset == other.HueOffset && Saturation == other.Saturation &&
           CommonSections == other.CommonSections;
}

SkinLoadOptions TsSkinManager::LoadOptions() const {
    SkinLoadOptions options;
    options.HueOffset = hueOffset_;
    options.Saturation = saturation_;
    for (const QString& line : commonSections_)
        options.CommonSections.push_back(line.toStdString());
    return options;
}

void TsSkinManager::Swap(SkinTablesPtr tables, std::string skinPath, bool fromPackage) {
    loadedBuiltIn_.reset();
    skin_ = std::move(tables);
    ++generation_;
    skinPath_ = std::move(skinPath);
    fromPackage_ = fromPackage;
    *cache_ = ComputeCacheIndexes(skin_.get());
}

void TsSkinManager::ReportError(const QString& message) {
    if (ErrorReporter)
        ErrorReporter(message);
}

void TsSkinManager::Loaded() {
    loading_ = false;
    if (skinDirectory_.isEmpty())
        skinDirectory_ = QString::fromStdString(DefaultSkinDirectory());
    if (MenuSupport.IcoLineSkin.isEmpty())
        MenuSupport.IcoLineSkin = QStringLiteral("ICOLINE");
    ThirdParty.Loaded();
    if (active_ && !skinName_.isEmpty())
        SendNewSkin(false);
}

bool TsSkinManager::AllWindowsAway() {
    return QApplication::activeWindow() == nullptr &&
           std::ranges::all_of(QApplication::topLevelWidgets(),
                               [](QWidget* w) { return !w->isVisible() || w->isMinimized(); });
}

std::vector<QWidget*> TsSkinManager::FormsToRedraw() const {
    std::vector<QWidget*> forms;
    if (AllWindowsAway())
        return forms;
    for (QWidget* form : TsSkinHook::ProviderForms(this))
        if (form->isVisible() && form->updatesEnabled())
            forms.push_back(form);
    return forms;
}

bool TsSkinManager::FadesSkinChanges() const {
    return IsDefault() && AnimEffects.SkinChanging.Active &&
           AnimEffects.SkinChanging.Mode == TacAnimType::atFading;
}

SkinChangeFade TsSkinManager::PictureOfCurrentLook() const {
    // Taken before anything of the new skin exists: once its tables are in, a control that
    // draws before it has heard of them would mix the two skins in the picture.
    SkinChangeFade fade;
    if (!loading_ && FadesSkinChanges())
        fade.Prepare(FormsToRedraw());
    return fade;
}

void TsSkinManager::SendNewSkin(bool refresh) {
    Broadcast(refresh, refresh ? PictureOfCurrentLook() : SkinChangeFade());
}

void TsSkinManager::Broadcast(bool refresh, SkinChangeFade fade) {
    if (loading_)
        return;
    std::vector<QPointer<QWidget>> suspended;
    if (refresh)
        for (QWidget* form : FormsToRedraw())
            suspended.emplace_back(form);
    {
        // The forms draw again, once each with all their controls, when the refresh is over,
        // and also when a receiver throws: no form is left without drawing, and the skin is
        // not left counted as loading.
        const auto resume = qScopeGuard([&] {
            skinDataActive_ = true;
            for (const QPointer<QWidget>& form : suspended)
                if (form) {
                    form->setUpdatesEnabled(true);
                    form->update();
                }
        });
        for (const QPointer<QWidget>& form : suspended)
            form->setUpdatesEnabled(false);
        skinDataActive_ = false;
        {
            const FlagScope updating(skinUpdating);
            *cache_ = ComputeCacheIndexes(skin_.get());
            BroadcastSkinCommand(this, TsSkinCommand::NewSkin);
        }
        skinDataActive_ = true;
        if (IsDefault()) {
            if (hook == nullptr)
                hook = new TsSkinHook(this);
            hook->Install();
        }
        if (IsDefault() && SkinAttachments())
            SkinAttachments()->ApplicationSkinChanged(this);
        if (refresh) {
            SkinChangeFade::StopAll();
            BroadcastSkinCommand(this, TsSkinCommand::StopFading);
            BroadcastSkinCommand(this, TsSkinCommand::Refresh);
        }
    }
    if (refresh) {
        fade.Play(AnimEffects.SkinChanging.Time);
        for (QWidget* window : TsSkinHook::HookedWindows())
            if (window->isVisible())
                window->update();
    }
    emit skinChanged();
}

void TsSkinManager::SendRemoveSkin() {
    // The application's shared look goes first: controls that give back what they changed
    // then take the standard look at once.
    skin_.reset();
    loadedBuiltIn_.reset();
    skinPath_.clear();
    if (IsDefault() && SkinAttachments())
        SkinAttachments()->ApplicationSkinChanged(this);
    if (IsDefault() && hook != nullptr)
        hook->Uninstall();
    skinDataActive_ = false;
    SkinChangeFade::StopAll();
    BroadcastSkinCommand(this, TsSkinCommand::RemoveSkin);
    emit skinChanged();
}
