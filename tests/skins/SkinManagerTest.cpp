// The skin manager: which skin a name stands for, what a failed load leaves, who hears about a
// change and in which order, and which windows the hook skins.
#include "SkinBroadcast.h"
#include "SkinCacheIndexes.h"
#include "SkinChangeFade.h"
#include "SkinHook.h"
#include "SkinTestPictures.h"
#include "SkinVersionMessage.h"
#include "TempDir.h"
#include "ThirdPartyList.h"
#include "TsCommonData.h"
#include "TsSkinManager.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTextEdit>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

QByteArray SkinBy(const std::string& author, const std::string& extra = {}) {
    const std::vector<std::uint8_t> bytes = TestPackage(
        "[GLOBALINFO]\r\nAUTHOR=" + author + "\r\nVERSION=6.5\r\n[BUTTON]\r\nCOLOR=255\r\n" + extra);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

std::string AuthorOf(const TsSkinManager& manager) {
    return manager.Skin() ? manager.Skin()->SkinData.Author : std::string("<none>");
}

// A control of the skin library in miniature: answers "query skinned" and keeps what it heard.
class Recorder : public QWidget {
public:
    explicit Recorder(QWidget* parent, std::vector<std::string>* log = nullptr)
        : QWidget(parent), SkinData(this, QStringLiteral("BUTTON")), log_(log) {}
    TsCommonData SkinData;
    std::vector<TsSkinCommand> Heard;
    bool FormUpdatesDuringRefresh = true;

protected:
    bool event(QEvent* e) override {
        if (TsSkinCommandEvent* command = AsSkinCommand(e)) {
            command->Result = 1;
            if (command->Command() == TsSkinCommand::QuerySkinned || !SkinData.Accepts(*command))
                return true;
            Heard.push_back(command->Command());
            if (log_)
                log_->push_back(objectName().toStdString());
            if (command->Command() == TsSkinCommand::NewSkin)
                SkinData.UpdateIndexes();
            if (command->Command() == TsSkinCommand::Refresh)
                FormUpdatesDuringRefresh = window()->updatesEnabled();
            return true;
        }
        return QWidget::event(e);
    }

private:
    std::vector<std::string>* log_;
};

// Stands in for the controls library: records what the hook attaches to whom.
class RecordingAttachments : public TsSkinAttachments {
public:
    struct Attachment {
        QWidget* Widget;
        QString What;
        const TsSkinManager* Manager;
    };
    std::vector<Attachment> Made;

    QObject* AttachProvider(QWidget* window, TsSkinManager* manager, const QString& section) override {
        Made.push_back({window, section, manager});
        return new Answering(window);
    }
    QObject* AttachAdapter(QWidget* control, TsSkinManager* manager, TsThirdPartyKind kind) override {
        Made.push_back({control, QStringLiteral("adapter %1").arg(static_cast<int>(kind)), manager});
        return new Answering(control);
    }
    void ApplicationSkinChanged(TsSkinManager*) override { ++SkinChanges; }
    int SkinChanges = 0;
    bool Has(const QWidget* widget, const QString& what) const {
        return std::ranges::any_of(Made,
                                   [&](const Attachment& a) { return a.Widget == widget && a.What == what; });
    }
    const TsSkinManager* ManagerOf(const QWidget* widget) const {
        const auto found =
            std::ranges::find_if(Made, [&](const Attachment& a) { return a.Widget == widget; });
        return found != Made.end() ? found->Manager : nullptr;
    }

private:
    // Makes its widget answer "query skinned", as a real provider or adapter does.
    class Answering : public QObject {
    public:
        explicit Answering(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
        bool eventFilter(QObject*, QEvent* e) override {
            if (TsSkinCommandEvent* command = AsSkinCommand(e))
                command->Result = 1;
            return false;
        }
    };
};

// Keeps the skin commands a widget is sent.
class CommandLog : public QObject {
public:
    explicit CommandLog(QWidget* widget) { widget->installEventFilter(this); }
    std::vector<TsSkinCommand> Heard;
    bool eventFilter(QObject*, QEvent* e) override {
        if (TsSkinCommandEvent* command = AsSkinCommand(e); command && command->Command() != TsSkinCommand::QuerySkinned)
            Heard.push_back(command->Command());
        return false;
    }
};

// A control that fails on one command.
class Thrower : public QWidget {
public:
    Thrower(QWidget* parent, TsSkinCommand failOn) : QWidget(parent), failOn_(failOn) {}

protected:
    bool event(QEvent* e) override {
        if (TsSkinCommandEvent* command = AsSkinCommand(e)) {
            command->Result = 1;
            if (command->Command() == failOn_)
                throw std::runtime_error("receiver failed");
            return true;
        }
        return QWidget::event(e);
    }

private:
    TsSkinCommand failOn_;
};

// Notes which tables the manager had whenever it is drawn.
class PaintSpy : public QWidget {
public:
    PaintSpy(QWidget* parent, const TsSkinManager* manager) : QWidget(parent), manager_(manager) {
        resize(20, 20);
    }
    std::vector<const SkinTables*> DrawnUnder;

protected:
    void paintEvent(QPaintEvent*) override { DrawnUnder.push_back(manager_->Skin().get()); }

private:
    const TsSkinManager* manager_;
};

class SkinManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSkinAttachments(&attachments);
        manager = std::make_unique<TsSkinManager>();
        manager->SetIsDefault(true);
        manager->AnimEffects.SkinChanging.Active = false;
        manager->ErrorReporter = [this](const QString& m) {
            errors.push_back(m.toStdString());
        };
        manager->MessageReporter = [this](const QString& m) {
            messages.push_back(m.toStdString());
        };
        manager->BeginLoading();
        manager->InternalSkins = {{QStringLiteral("DarkGlass (internal)"), SkinBy("dark")},
                                  {QStringLiteral("Alpha"), SkinBy("builtin")}};
        manager->SetSkinDirectory(QString::fromStdString(dir.Path()));
        manager->Loaded();
    }
    void TearDown() override {
        manager.reset();
        SetSkinAttachments(nullptr);
    }

    void WriteSkinFile(const std::string& name, const QByteArray& bytes) {
        dir.Write(name, bytes.toStdString());
    }

    TTempDir dir;
    RecordingAttachments attachments;
    std::unique_ptr<TsSkinManager> manager;
    std::vector<std::string> errors;
    std::vector<std::string> messages;
};

} // namespace

TEST_F(SkinManagerTest, APackageFileComesBeforeASkinFolderWhichComesBeforeABuiltInSkin) {
    WriteSkinFile("Alpha.ktz", SkinBy("file"));
    std::filesystem::create_directory(dir.File("Alpha"));
    dir.Write("Alpha/Options.dat", "[GLOBALINFO]\r\nAUTHOR=folder\r\n");

    manager->SetSkinName(QStringLiteral("Alpha"));
    EXPECT_EQ(AuthorOf(*manager), "file");
    EXPECT_TRUE(manager->FromPackage());

    std::filesystem::remove(dir.File("Alpha.ktz"));
    manager->SetSkinName(QStringLiteral("Alpha"));
    EXPECT_EQ(AuthorOf(*manager), "folder");
    EXPECT_FALSE(manager->FromPackage());
    EXPECT_EQ(manager->SkinPath(), dir.File("Alpha") + "/");

    std::filesystem::remove_all(dir.File("Alpha"));
    manager->SetSkinName(QStringLiteral("Alpha"));
    EXPECT_EQ(AuthorOf(*manager), "builtin");
    EXPECT_EQ(manager->SkinPath(), "");
    EXPECT_EQ(manager->SkinInfo(), "6.5");
    EXPECT_TRUE(errors.empty());
}

TEST_F(SkinManagerTest, ANameThatIsNothingFallsBackToTheFirstBuiltInSkinWithoutAMessage) {
    for (const char* name : {"Nothing", " (internal)", ""}) {
        manager->SetSkinName(QStringLiteral("Alpha"));
        manager->SetSkinName(QString::fromUtf8(name));
        EXPECT_EQ(manager->SkinName(), "DarkGlass (internal)") << name;
        EXPECT_EQ(AuthorOf(*manager), "dark") << name;
    }
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(SkinManagerTest, AFailedLoadKeepsTheOldNameAndTablesShowsTheErrorAndStillBroadcasts) {
    manager->SetSkinName(QStringLiteral("Alpha"));
    const SkinTablesPtr before = manager->Skin();
    QWidget form;
    Recorder control(&form);
    int before_ = 0, after = 0;
    manager->OnBeforeChange = [&] {
        ++before_;
    };
    manager->OnAfterChange = [&] {
        ++after;
    };

    WriteSkinFile("Broken.ktz", QByteArray("ktzf\x01\x00\x00\x00", 8));
    manager->SetSkinName(QStringLiteral("Broken"));
    EXPECT_EQ(errors, std::vector<std::string>{"Loaded data is not a packed Kestrane file"});
    EXPECT_EQ(manager->SkinName(), "Alpha");
    EXPECT_EQ(manager->Skin(), before);
    EXPECT_EQ(before_, 1);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(control.Heard, (std::vector<TsSkinCommand>{TsSkinCommand::NewSkin, TsSkinCommand::StopFading,
                                                         TsSkinCommand::Refresh}));
    EXPECT_EQ(control.SkinData.Skin(), before.get());
    EXPECT_GE(control.SkinData.SkinIndex, 0);
}

// With no skin in use there is nothing to keep when a load fails: a broken package standing in
// for a built-in skin gives way to that built-in skin, any other broken one to the first
// built-in skin, and every control is told. The error is still reported, once. The same holds
// when the manager is switched on again with a broken skin's name stored while it was off.
TEST_F(SkinManagerTest, AFailedLoadWithNoSkinInUseFallsBackToABuiltInSkin) {
    QWidget form;
    Recorder control(&form);
    WriteSkinFile("Alpha.ktz", QByteArray("ktzf\x01\x00\x00\x00", 8));
    WriteSkinFile("Other.ktz", QByteArray("garbage"));
    manager->SetSkinName(QStringLiteral("Alpha"));
    EXPECT_EQ(errors, std::vector<std::string>{"Loaded data is not a packed Kestrane file"});
    EXPECT_EQ(manager->SkinName(), "Alpha");
    EXPECT_EQ(AuthorOf(*manager), "builtin");
    EXPECT_EQ(control.SkinData.Skin(), manager->Skin().get());

    struct Case {
        const char* Name;
        const char* Author;
        const char* NameAfter;
    };
    for (const Case& c : {Case{"Alpha", "builtin", "Alpha"}, Case{"Other", "dark", "DarkGlass (internal)"}}) {
        SCOPED_TRACE(c.Name);
        errors.clear();
        manager->SetActive(false);
        ASSERT_EQ(manager->Skin(), nullptr);
        manager->SetSkinName(QString::fromUtf8(c.Name));
        manager->SetActive(true);
        EXPECT_EQ(errors.size(), 1u);
        EXPECT_TRUE(manager->Active());
        EXPECT_EQ(manager->SkinName(), c.NameAfter);
        EXPECT_EQ(AuthorOf(*manager), c.Author);
        EXPECT_EQ(control.SkinData.Skin(), manager->Skin().get());
    }
}

TEST_F(SkinManagerTest, ANameSetWhileInactiveIsOnlyStoredUntilActiveIsSetAgain) {
    manager->SetSkinName(QStringLiteral("Alpha"));
    manager->SetActive(false);
    EXPECT_EQ(manager->Skin(), nullptr);
    EXPECT_EQ(manager->SkinInfo(), "N/A");
    EXPECT_EQ(manager->Cache().GlobalInfo, -1);
    manager->SetSkinName(QStringLiteral("DarkGlass (internal)"));
    EXPECT_EQ(manager->Skin(), nullptr);
    manager->SetActive(true);
    EXPECT_EQ(AuthorOf(*manager), "dark");
    EXPECT_GE(manager->Cache().GlobalInfo, 0);
}

TEST_F(SkinManagerTest, WithoutBuiltInSkinsAnUnknownNameEndsSkinning) {
    manager->SetSkinName(QStringLiteral("Alpha"));
    manager->InternalSkins.clear();
    manager->SetSkinName(QStringLiteral("Nowhere"));
    EXPECT_FALSE(manager->Active());
    EXPECT_EQ(manager->Skin(), nullptr);
}

TEST_F(SkinManagerTest, TheBroadcastReachesNestedControlsOnceEachInChildOrderAndOnlyFromTheirManager) {
    std::vector<std::string> log;
    QWidget form;
    auto* first = new Recorder(&form, &log);
    first->setObjectName(QStringLiteral("first"));
    auto* plain = new QWidget(&form);
    auto* nested = new Recorder(plain, &log);
    nested->setObjectName(QStringLiteral("nested"));
    auto* deeper = new Recorder(nested, &log);
    deeper->setObjectName(QStringLiteral("deeper"));
    manager->SetSkinName(QStringLiteral("Alpha"));
    EXPECT_EQ(log, (std::vector<std::string>{"first", "nested", "deeper", "first", "nested", "deeper",
                                             "first", "nested", "deeper"}));
    EXPECT_GE(deeper->SkinData.SkinIndex, 0);

    // Another manager's new skin is not for them.
    TsSkinManager other;
    other.ErrorReporter = manager->ErrorReporter;
    log.clear();
    BroadcastSkinCommand(&other, TsSkinCommand::NewSkin);
    EXPECT_TRUE(log.empty());

    manager->SetActive(false);
    EXPECT_EQ(deeper->Heard.back(), TsSkinCommand::RemoveSkin);
}

// A manager owned by the window it skins goes with it. By then the window is deleting its children,
// and those already gone are null in its list of children: the removal skips them and still reaches
// the controls that are left.
TEST_F(SkinManagerTest, AManagerOwnedByItsWindowRemovesTheSkinAsTheWindowGoes) {
    std::vector<std::string> log;
    auto form = std::make_unique<QWidget>();
    auto* before = new Recorder(form.get(), &log); // deleted before the manager
    before->setObjectName(QStringLiteral("before"));
    auto* owned = new TsSkinManager(form.get());
    owned->ErrorReporter = manager->ErrorReporter;
    owned->AnimEffects.SkinChanging.Active = false;
    owned->BeginLoading();
    owned->InternalSkins = {{QStringLiteral("Alpha"), SkinBy("owned")}};
    owned->Loaded();
    auto* after = new Recorder(form.get(), &log);
    after->setObjectName(QStringLiteral("after"));
    before->SkinData.SetSkinManager(owned);
    after->SkinData.SetSkinManager(owned);
    owned->SetSkinName(QStringLiteral("Alpha"));
    ASSERT_GE(after->SkinData.SkinIndex, 0);
    log.clear();
    form.reset();
    EXPECT_EQ(log, std::vector<std::string>{"after"});
}

TEST_F(SkinManagerTest, TheHookSkinsFormsMessageBoxesAndStandardDialogsWhenTheyOpen) {
    manager->ThirdParty.SetText(TsThirdPartyKind::ThirdEdits, QStringLiteral(" \r\nQTextEdit"));
    manager->ThirdParty.Loaded();
    manager->SetSkinName(QStringLiteral("Alpha"));

    QWidget form;
    auto* edit = new QTextEdit(&form);
    auto* untouched = new QTextEdit(&form);
    untouched->setProperty("Tag", NoAdapterTag);
    form.show();
    EXPECT_TRUE(attachments.Has(&form, QStringLiteral("FORM")));
    EXPECT_TRUE(attachments.Has(edit, QStringLiteral("adapter 0")));
    EXPECT_FALSE(attachments.Has(untouched, QStringLiteral("adapter 0")));

    QMessageBox box(QMessageBox::Critical, QStringLiteral("t"), QStringLiteral("x"));
    box.show();
    EXPECT_TRUE(attachments.Has(&box, QStringLiteral("FORM")));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.show();
    EXPECT_TRUE(attachments.Has(&dialog, QStringLiteral("DIALOG")));
    EXPECT_EQ(TsSkinHook::HookedWindows(), std::vector<QWidget*>{&dialog});

    // A refresh reaches the form's controls with the form's drawing suspended.
    auto* control = new Recorder(&form);
    manager->SetSkinName(QStringLiteral("Alpha"));
    EXPECT_FALSE(control->FormUpdatesDuringRefresh);
    EXPECT_TRUE(form.updatesEnabled());

    // Without the dialog rule, standard dialogs and message boxes keep their own look.
    manager->SkinningRules = srStdForms | srThirdParty;
    QMessageBox plain(QMessageBox::Information, QStringLiteral("t"), QStringLiteral("y"));
    plain.show();
    EXPECT_FALSE(attachments.Has(&plain, QStringLiteral("FORM")));
}

// The hook belongs to the default manager: when a manager gives up the role, its hook goes, and
// the next default manager skins new windows with a hook of its own.
TEST_F(SkinManagerTest, TheHookGoesWithTheDefaultRole) {
    manager->SetSkinName(QStringLiteral("Alpha"));
    manager->SetIsDefault(false);
    QWidget unhooked;
    unhooked.show();
    EXPECT_FALSE(attachments.Has(&unhooked, QStringLiteral("FORM")));

    manager.reset();
    TsSkinManager next;
    ASSERT_TRUE(next.IsDefault());
    next.ErrorReporter = [this](const QString& m) {
        errors.push_back(m.toStdString());
    };
    next.AnimEffects.SkinChanging.Active = false;
    next.BeginLoading();
    next.InternalSkins = {{QStringLiteral("Alpha"), SkinBy("next")}};
    next.Loaded();
    next.SetSkinName(QStringLiteral("Alpha"));
    QWidget form;
    form.show();
    EXPECT_EQ(attachments.ManagerOf(&form), &next);
    EXPECT_TRUE(errors.empty());
}

// A standard dialog skinned by the hook and hidden for now hears of a new skin too: shown again,
// it draws from the skin of its time.
TEST_F(SkinManagerTest, AHiddenStandardDialogHearsOfANewSkin) {
    manager->SetSkinName(QStringLiteral("Alpha"));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.show();
    ASSERT_TRUE(attachments.Has(&dialog, QStringLiteral("DIALOG")));
    dialog.hide();
    CommandLog log(&dialog);
    manager->SetSkinName(QStringLiteral("DarkGlass (internal)"));
    EXPECT_EQ(log.Heard, (std::vector<TsSkinCommand>{TsSkinCommand::NewSkin, TsSkinCommand::StopFading,
                                                     TsSkinCommand::Refresh}));
}

// The fade into a new skin starts from a picture of the old one, taken before any of the new
// skin exists: a control drawn for it cannot mix the two skins.
TEST_F(SkinManagerTest, TheFadeStartsFromAPictureTakenBeforeTheNewSkinIsLoaded) {
    manager->SetSkinName(QStringLiteral("Alpha"));
    manager->AnimEffects.SkinChanging.Active = true;
    QWidget form;
    form.resize(100, 60);
    auto* spy = new PaintSpy(&form, manager.get());
    form.show();
    ASSERT_TRUE(attachments.Has(&form, QStringLiteral("FORM")));
    const SkinTables* old = manager->Skin().get();
    spy->DrawnUnder.clear();
    manager->SetSkinName(QStringLiteral("DarkGlass (internal)"));
    ASSERT_FALSE(spy->DrawnUnder.empty()) << "the picture was taken";
    EXPECT_EQ(spy->DrawnUnder.front(), old);
    EXPECT_NE(manager->Skin().get(), old);
}

// A handler or a receiver that throws leaves name, tables and windows as they should be: the
// name with its tables, the forms drawing, no skin counted as loading.
TEST_F(SkinManagerTest, AThrowingHandlerOrReceiverLeavesNoHalfChange) {
    manager->SetSkinName(QStringLiteral("Alpha"));
    const SkinTablesPtr alpha = manager->Skin();
    manager->OnBeforeChange = [] {
        throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(manager->SetSkinName(QStringLiteral("DarkGlass (internal)")), std::runtime_error);
    EXPECT_EQ(manager->SkinName(), "Alpha");
    EXPECT_EQ(manager->Skin(), alpha);
    manager->OnBeforeChange = nullptr;

    QWidget form;
    new Thrower(&form, TsSkinCommand::Refresh);
    form.show();
    ASSERT_TRUE(attachments.Has(&form, QStringLiteral("FORM")));
    EXPECT_THROW(manager->SetSkinName(QStringLiteral("DarkGlass (internal)")), std::runtime_error);
    EXPECT_TRUE(form.updatesEnabled());
    EXPECT_TRUE(manager->SkinDataActive());
    EXPECT_FALSE(TsSkinManager::SkinChanging());
    EXPECT_FALSE(TsSkinManager::SkinUpdating());
}

TEST_F(SkinManagerTest, CachedIndexesFollowTheSkin) {
    manager->InternalSkins[1].Data =
        SkinBy("builtin", "[COMBOBTN]\r\nCOLOR=1\r\n[SCROLLSLIDERH]\r\nCOLOR=2\r\n");
    manager->SetSkinName(QStringLiteral("Alpha"));
    const TsCacheIndexes& cache = manager->Cache();
    EXPECT_EQ(cache.GlobalInfo, 0);
    EXPECT_EQ(cache.ComboBtn.Section, 2);
    EXPECT_EQ(cache.ScrollIndexes(TsScrollPart::SliderH).Section, 3);
    EXPECT_EQ(cache.ScrollIndexes(TsScrollPart::SliderV).Section, -1);
    EXPECT_EQ(cache.CheckGlyph(TsCheckGlyph::BoxChecked), -1);
}

TEST_F(SkinManagerTest, HueSaturationAndCommonSectionsReloadTheSkinWithThem) {
    manager->SetSkinName(QStringLiteral("Alpha"));
    const auto buttonColor = [this] {
        const SkinTables& skin = *manager->Skin();
        return skin.Section(skin.FindSection("BUTTON"))->Color;
    };
    EXPECT_EQ(buttonColor(), 255); // red, 00BBGGRR
    const int before = manager->SkinGeneration();
    manager->SetHueOffset(120);
    EXPECT_EQ(manager->SkinGeneration(), before + 1);
    EXPECT_EQ(buttonColor(), 0x00FF00) << "red turned by 120 degrees is green";
    manager->SetHueOffset(0);
    manager->SetSaturation(-100);
    EXPECT_EQ(buttonColor() & 0xFF, (buttonColor() >> 8) & 0xFF) << "no saturation: grey";
    manager->SetSaturation(0);
    manager->SetCommonSections({QStringLiteral("[BUTTON]"), QStringLiteral("COLOR = 16711680"),
                                QStringLiteral("; a comment keeps its blanks")});
    EXPECT_EQ(manager->CommonSections().at(1), "COLOR=16711680");
    EXPECT_EQ(manager->CommonSections().at(2), "; a comment keeps its blanks");
    EXPECT_EQ(buttonColor(), 16711680) << "the common lines win over the skin's";
    EXPECT_TRUE(errors.empty());
}

TEST(SkinVersionMessage, OnlyAnArgumentSlashAcverInAnyCaseAsksForIt) {
    std::vector<QString> shown;
    const auto show = [&shown](const QString& text) {
        shown.push_back(text);
    };
    ShowSkinVersionIfAsked({QStringLiteral("morvane"), QStringLiteral("/ACVer")}, show);
    ShowSkinVersionIfAsked({QStringLiteral("morvane"), QStringLiteral("acver"), QStringLiteral("/acver2")},
                           show);
    EXPECT_EQ(shown, std::vector<QString>{QStringLiteral("Zentrile v6.68")});
}

// A list's lines may end in CR LF, LF or CR alike; a class matches a whole line only.
TEST(ThirdPartyLists, EveryLineBreakSeparatesClassesAndOnlyWholeLinesMatch) {
    struct Case {
        const char* Text;
        const char* ClassName;
        bool Found;
    };
    const Case cases[] = {
        {" \r\nQTextEdit\r\nQLabel", "QTextEdit", true}, {" \nQTextEdit\nQLabel", "QLabel", true},
        {" \rQTextEdit\rQLabel", "QTextEdit", true},     {"QTextEdit\r\n\r\nQLabel", "QLabel", true},
        {"QTextEdit\n\rQLabel", "QLabel", true},         {" \r\nQTextEdit", "QText", false},
        {" \r\nQTextEdit\r\n", "QTextEdit\r", false},     {" \r\nQTextEdit", "", false},
        {"QTextEdit\r\n\r\nQLabel", "", true},
    };
    for (const Case& c : cases) {
        ThirdPartyList lists;
        lists.SetText(TsThirdPartyKind::ThirdEdits, QString::fromLatin1(c.Text));
        lists.SetText(TsThirdPartyKind::ThirdButtons, QStringLiteral("QPushButton"));
        for (std::size_t i = 0; i < ThirdPartyKindCount; ++i)
            if (i != 0 && i != 1)
                lists.SetText(static_cast<TsThirdPartyKind>(i), QStringLiteral("-"));
        lists.Loaded();
        TsThirdPartyKind kind = TsThirdPartyKind::ThirdSpeedButton;
        EXPECT_EQ(lists.Find(QString::fromLatin1(c.ClassName), kind), c.Found) << c.Text;
        if (c.Found) {
            EXPECT_EQ(kind, TsThirdPartyKind::ThirdEdits) << c.Text;
        }
    }
}

// A new skin's frame of another size moves the client area: the old picture is laid with its
// client area over the new one, so the controls fade into themselves instead of showing twice.
TEST(SkinChangeFadeTest, TheOldPictureIsLaidClientAreaOverClientArea) {
    QWidget form;
    form.resize(120, 80);
    form.setContentsMargins(3, 24, 3, 3);
    auto* mark = new QWidget(&form);
    mark->setAutoFillBackground(true);
    QPalette red = mark->palette();
    red.setColor(QPalette::Window, Qt::red);
    mark->setPalette(red);
    mark->setGeometry(3 + 10, 24 + 10, 5, 5); // 10 pixels into the client area
    form.show();
    SkinChangeFade fade;
    fade.Prepare({&form});
    form.setContentsMargins(8, 30, 8, 8); // the new skin's frame
    mark->setGeometry(8 + 10, 30 + 10, 5, 5);
    fade.Play(10000);
    auto* overlay = form.findChild<QWidget*>(QStringLiteral("SkinChangeFade"));
    ASSERT_NE(overlay, nullptr);
    const QImage laid = overlay->grab().toImage();
    EXPECT_EQ(QColor(laid.pixel(8 + 12, 30 + 12)), QColor(Qt::red)) << "the old control over the new one";
    EXPECT_NE(QColor(laid.pixel(3 + 12, 24 + 12)), QColor(Qt::red)) << "not where it stood in the old frame";
    SkinChangeFade::StopAll();
}
