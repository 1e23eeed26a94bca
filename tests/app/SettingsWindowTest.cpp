// The window's settings files: the skin number read at creation and written at close, and the
// placement saved when the window closes.
#include "ErrorBox.h"
#include "FifoWatchdog.h"
#include "FileSystem.h"
#include "MorvaneMain.h"
#include "TsSkinManager.h"
#include "QtPrinters.h"
#include "TempDir.h"
#include "TsComboBox.h"

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string SkinFile() {
    return ProgramFolder() + "kvSkinNumber.ini";
}

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetErrorBoxPresenter([this](const QString&, const QString& text) { errors << text; });
    }
    void TearDown() override {
        SetErrorBoxPresenter({});
        fs::remove_all(SkinFile());
    }
    void Store(const std::string& contents) { std::ofstream(SkinFile(), std::ios::binary) << contents; }

    QStringList errors;
};

struct StoredCase {
    const char* stored;
    int itemIndex;
    const char* skinName;
    const char* error; // the error box's text, or nullptr
};

TEST_F(SettingsWindowTest, StoredSkinNumberSelectsTheSkin) {
    const StoredCase cases[] = {
        {"2", 2, "LongHorn (internal)", nullptr},
        {"0", 0, "BluePlastic (internal)", nullptr},
        {" 3", 3, "Neutral2 (internal)", nullptr},
        {"+3", 3, "Neutral2 (internal)", nullptr},
        // No entry selected: " (internal)" names no skin, so the first built-in one is used.
        {"-1", -1, "DarkGlass (internal)", nullptr},
        {"5", -1, "DarkGlass (internal)", nullptr},
        {"100", -1, "DarkGlass (internal)", nullptr},
        // Not an integer: the error box, no selection, the stored layout's skin stays.
        {"abc", -1, "NextAlpha (internal)", "'abc' is not a valid integer value."},
        {"3x", -1, "NextAlpha (internal)", "'3x' is not a valid integer value."},
    };
    for (const StoredCase& c : cases) {
        SCOPED_TRACE(c.stored);
        errors.clear();
        Store(std::string("[SkinNumber]\r\nNumber=") + c.stored + "\r\n");
        {
            TMorvaneMainForm form;
            EXPECT_EQ(form.sComboBox1->ItemIndex(), c.itemIndex);
            EXPECT_EQ(form.sSkinManager->SkinName(), c.skinName);
            EXPECT_EQ(errors, c.error ? QStringList{c.error} : QStringList{});
            EXPECT_TRUE(form.close());
        }
        const int written = c.itemIndex;
        EXPECT_EQ(ReadFileBytes(SkinFile()), "[SkinNumber]\r\nNumber=" + std::to_string(written) + "\r\n");
    }
}

TEST_F(SettingsWindowTest, StartUpLoadsTheStoredSkinThenTheChosenOne) {
    for (const auto& [stored, name] : {std::pair{"4", "NextAlpha (internal)"}, {"1", "DarkGlass (internal)"}}) {
        Store(std::string("[SkinNumber]\r\nNumber=") + stored + "\r\n");
        TMorvaneMainForm form;
        // Once while the window's components are read, once from the combo box.
        EXPECT_EQ(form.sSkinManager->SkinGeneration(), 2) << stored;
        EXPECT_EQ(form.sSkinManager->SkinName(), name);
        EXPECT_TRUE(form.close());
    }
}

TEST_F(SettingsWindowTest, FirstStartWritesTheDefaultAndAPickIsSavedAtClose) {
    fs::remove(SkinFile());
    TMorvaneMainForm form;
    EXPECT_EQ(ReadFileBytes(SkinFile()), "[SkinNumber]\r\nNumber=4\r\n");
    EXPECT_EQ(form.sComboBox1->currentText(), "NextAlpha");
    EXPECT_EQ(form.sSkinManager->SkinName(), "NextAlpha (internal)");
    form.sComboBox1->SetItemIndex(1);
    form.sComboBox1Change();
    EXPECT_EQ(form.sSkinManager->SkinName(), "DarkGlass (internal)");
    EXPECT_EQ(ReadFileBytes(SkinFile()), "[SkinNumber]\r\nNumber=4\r\n") << "saved only at close";
    EXPECT_TRUE(form.close());
    EXPECT_EQ(ReadFileBytes(SkinFile()), "[SkinNumber]\r\nNumber=1\r\n");
}

TEST_F(SettingsWindowTest, MissingKeyIsAnEmptyText) {
    Store("[SkinNumber]\r\nOther=1\r\n");
    TMorvaneMainForm form;
    EXPECT_EQ(errors, QStringList{"'' is not a valid integer value."});
    EXPECT_EQ(form.sComboBox1->ItemIndex(), -1);
    EXPECT_EQ(ReadFileBytes(SkinFile()), "[SkinNumber]\r\nOther=1\r\n") << "no default for an existing file";
    EXPECT_TRUE(form.close());
    EXPECT_EQ(ReadFileBytes(SkinFile()), "[SkinNumber]\r\nOther=1\r\nNumber=-1\r\n");
}

// The skin choice that cannot be saved is reported, and the window closes all the same.
TEST_F(SettingsWindowTest, UnwritableSkinFileIsReportedAndTheWindowStillCloses) {
    // A folder where the file should be: not a file, and no file can replace it.
    fs::create_directory(SkinFile());
    TMorvaneMainForm form;
    const QString unable = QString::fromStdString("Unable to write to " + SkinFile() + ".");
    EXPECT_EQ(errors, QStringList{unable});
    EXPECT_EQ(form.sComboBox1->ItemIndex(), -1);
    form.show();
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(errors, QStringList({unable, unable}));
    EXPECT_TRUE(fs::is_directory(SkinFile())) << "left as it was";
    fs::remove(SkinFile());
}

// Root too: the kernel would let it write, the file's own protection must not.
TEST_F(SettingsWindowTest, ReadOnlySkinFileIsLeftAsItIsForEveryUser) {
    Store("[SkinNumber]\r\nNumber=2\r\n");
    ASSERT_EQ(::chmod(SkinFile().c_str(), 0444), 0);
    {
        TMorvaneMainForm form;
        EXPECT_TRUE(errors.isEmpty());
        EXPECT_EQ(form.sComboBox1->ItemIndex(), 2);
        form.show();
        form.sComboBox1->SetItemIndex(1);
        EXPECT_TRUE(form.close());
        EXPECT_EQ(errors, QStringList{QString::fromStdString("Unable to write to " + SkinFile() + ".")});
        EXPECT_EQ(ReadFileBytes(SkinFile()), "[SkinNumber]\r\nNumber=2\r\n");
    }
    ASSERT_EQ(::chmod(SkinFile().c_str(), 0644), 0);
    TMorvaneMainForm form;
    form.show();
    form.sComboBox1->SetItemIndex(1);
    EXPECT_TRUE(form.close());
    EXPECT_EQ(ReadFileBytes(SkinFile()), "[SkinNumber]\r\nNumber=1\r\n");
}

TEST_F(SettingsWindowTest, FifosInPlaceOfTheSettingsFilesNeverBlockTheStart) {
    const std::string placement = ProgramFolder() + "kvFormPct.ini";
    const QString unableSkin = QString::fromStdString("Unable to write to " + SkinFile() + ".");
    const QString unablePlacement = QString::fromStdString("Unable to write to " + placement + ".");
    {
        TFifoWatchdog skinFifo(SkinFile());
        TFifoWatchdog placementFifo(placement);
        {
            TMorvaneMainForm form;
            EXPECT_EQ(errors, QStringList{unableSkin}) << "the default cannot be written";
            form.show();
            QCoreApplication::processEvents();
            EXPECT_TRUE(form.isVisible());
            errors.clear();
            EXPECT_TRUE(form.close()) << "closed although the skin number cannot be written";
            EXPECT_EQ(errors, QStringList({unablePlacement, unableSkin}));
        }
        EXPECT_EQ(skinFifo.Rescues(), 0) << "an open() blocked on " << SkinFile();
        EXPECT_EQ(placementFifo.Rescues(), 0) << "an open() blocked on " << placement;
    }
    struct stat st {};
    ASSERT_EQ(::lstat(SkinFile().c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "left as it was";
    fs::remove(placement);
}

TEST_F(SettingsWindowTest, ClosingSavesThePlacementOfTheWindow) {
    const std::string placement = ProgramFolder() + "kvFormPct.ini";
    fs::remove(placement);
    {
        TMorvaneMainForm form;
        form.show();
        QApplication::setActiveWindow(&form);
        QCoreApplication::processEvents();
        EXPECT_TRUE(form.close());
    }
    const std::string saved = ReadFileBytes(placement);
    EXPECT_EQ(saved.rfind("[TMorvaneMainForm]\r\nFormVersion=0\r\n", 0), 0u) << saved;
    for (const char* key : {"\r\nFlags=", "\r\nShowCmd=", "\r\nPixelsPerInch=", "\r\nMinMaxPos=",
                            "\r\nNormPos=", "\r\nVisible=0\r\n", "\r\nActiveControl=sButton1\r\n"})
        EXPECT_NE(saved.find(key), std::string::npos) << key << " in\n" << saved;
    fs::remove(placement);
}

TEST_F(SettingsWindowTest, ReopenedWindowComesBackWhereItWasClosed) {
    // The skinned window has no platform frame: what is saved is what it is restored to, start
    // after start, not a few pixels smaller and further down each time.
    const std::string placement = ProgramFolder() + "kvFormPct.ini";
    fs::remove(placement);
    const auto normPos = [&] {
        const std::string saved = ReadFileBytes(placement);
        const auto at = saved.find("\r\nNormPos=");
        return at == std::string::npos ? std::string() : saved.substr(at, saved.find('\r', at + 2) - at);
    };
    std::vector<std::string> saved;
    std::vector<QRect> shown;
    for (int start = 0; start < 3; ++start) {
        TMorvaneMainForm form;
        form.show();
        QApplication::setActiveWindow(&form);
        QCoreApplication::processEvents();
        shown.push_back(form.frameGeometry());
        EXPECT_TRUE(form.close());
        saved.push_back(normPos());
    }
    ASSERT_FALSE(saved[0].empty());
    EXPECT_EQ(saved[1], saved[0]);
    EXPECT_EQ(saved[2], saved[0]);
    EXPECT_EQ(shown[1], shown[0]);
    EXPECT_EQ(shown[2], shown[0]);
    fs::remove(placement);
}

} // namespace
