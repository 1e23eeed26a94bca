#include "ErrorBox.h"

#include "Exceptions.h"
#include "ProgramEntry.h"
#include "QtPrinters.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(ErrorBox, FullStopRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"abc", "abc."},
        {"abc.", "abc."},
        {"Unable to write to /x/kvSkinNumber.ini", "Unable to write to /x/kvSkinNumber.ini."},
        {"ends in a bracket)", "ends in a bracket)"},
        {"ends in a bang!", "ends in a bang!"},
        {"ends in a comma,", "ends in a comma,"},
        {"ends in a digit 7", "ends in a digit 7."},
        {"한글", "한글."},
        {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(WithFullStop(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(ErrorBox, ApplicationTitleFromTheExecutableName) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/morvane", "Morvane"},
        {"/opt/MORVANE.exe", "Morvane"},
        {"C:/x/morVane.v2.exe", "Morvane"},
        {"/x/app_tests", "App_tests"},
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(ApplicationTitleFor(path), title) << path;
}

TEST(ErrorBox, GuardedShowsTheErrorAndTheProgramGoesOn) {
    QStringList shown;
    SetErrorBoxPresenter([&](const QString& title, const QString& text) { shown << title + "|" + text; });
    EXPECT_FALSE(Guarded([] { throw EConvertError("'abc' is not a valid integer value"); }));
    EXPECT_FALSE(Guarded([] { throw std::runtime_error("plain"); }));
    EXPECT_TRUE(Guarded([] {}));
    SetErrorBoxPresenter({});
    EXPECT_EQ(shown, QStringList({"App_tests|'abc' is not a valid integer value.", "App_tests|plain."}));
}

// The box opens over the window the user works in, active or not, and without a window on
// view it has no owner.
TEST(ErrorBox, TheBoxOpensOverTheProgramsWindow) {
    const auto ownerOfTheBox = [] {
        QWidget* owner = reinterpret_cast<QWidget*>(1);
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                owner = box->parentWidget();
                box->accept();
            }
        });
        ShowErrorBox(QStringLiteral("Unable to write to /x/kvSkinNumber.ini."));
        return owner;
    };
    EXPECT_EQ(ownerOfTheBox(), nullptr);
    QWidget window;
    window.resize(300, 200);
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_EQ(ownerOfTheBox(), &window);
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(ownerOfTheBox(), &window) << "the program in the background";
}

// A notice (the skin engine's version, say) has the error box's caption and owner, and is wide
// enough that a window manager can show that caption beside its buttons.
TEST(ErrorBox, ANoticeHasTheErrorBoxsCaptionAndOwnerAndRoomForTheCaption) {
    QWidget window;
    window.resize(300, 200);
    window.show();
    QApplication::setActiveWindow(&window);
    QString title;
    QWidget* owner = nullptr;
    int width = 0, captionWidth = 0;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            owner = box->parentWidget();
            width = box->width();
            captionWidth = box->fontMetrics().horizontalAdvance(title);
            box->accept();
        }
    });
    ShowNoticeBox(QStringLiteral("Zentrile v6.68"), false);
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(title, ApplicationTitle());
    EXPECT_EQ(owner, &window);
    EXPECT_GE(width, 2 * captionWidth + 160);
}

TEST(ErrorBox, ApplicationErrorText) {
    const Exception error(
        "InterBase library gds32.dll not found in the path. Please install InterBase to use "
        "this functionality");
    EXPECT_EQ(
        ApplicationErrorText(error, "morvane", 0x1A2B),
        "Exception Exception in module morvane at 00001A2B.\r\nInterBase library gds32.dll not found in the "
        "path. Please install InterBase to use this functionality.\r\n");
    const EConvertError withStop("done.");
    EXPECT_EQ(ApplicationErrorText(withStop, "m", 0),
              "Exception EConvertError in module m at 00000000.\r\ndone.\r\n");
}

} // namespace
