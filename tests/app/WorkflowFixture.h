#pragma once
// The window on a fresh folder, driven through its handlers on real databases, and the texts
// its panes should hold.
#include "MorvaneMain.h"
#include "QtPrinters.h"
#include "TRichEdit.h"
#include "TempDir.h"
#include "TestDatabase.h"
#include "TsButton.h"
#include "TsGauge.h"

#include <QApplication>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

inline const QColor kBlue(0, 0, 255), kGreen(0, 128, 0), kRed(255, 0, 0), kBlack(0, 0, 0);

struct Line {
    QString text;
    QColor color;
};

inline std::vector<Line> LinesOf(const TRichEdit* pane) {
    const QStringList texts = pane->Text().split('\n');
    const QList<QColor> colors = pane->LineColors();
    std::vector<Line> lines;
    if (pane->Text().isEmpty())
        return lines;
    for (qsizetype i = 0; i < texts.size(); ++i)
        lines.push_back({texts[i], colors.value(i)});
    return lines;
}

// The backup of a database just rebuilt is taken twice when the engine collects the rebuild's
// garbage while it runs, which it does now and then; the log says so in a line of its own.
// Tests of something else leave that line out.
inline std::vector<Line> LinesWithoutBackupRetry(const TRichEdit* pane) {
    std::vector<Line> lines = LinesOf(pane);
    std::erase_if(lines, [](const Line& line) {
        return line.text.endsWith(QString::fromUtf8(" 백업하는 동안 다른 트랜잭션이 있어 다시 백업합니다."));
    });
    return lines;
}

inline void ExpectLines(const TRichEdit* pane, const std::vector<Line>& expected,
                        std::vector<Line> (*read)(const TRichEdit*) = LinesOf) {
    const std::vector<Line> actual = read(pane);
    ASSERT_EQ(actual.size(), expected.size()) << pane->Text().toStdString();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].text, expected[i].text) << "line " << i;
        EXPECT_EQ(actual[i].color, expected[i].color) << "line " << i;
    }
}

// How the window shows a path: its bytes read as UTF-8.
inline QString Shown(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// What a text box makes of a text (it turns U+00A0 into a blank, U+2028 into a line break).
inline QString InABox(const QString& text) {
    TRichEdit box;
    box.SetText(text);
    return box.Text();
}

// The names in a folder that a user sees (the run's own bookkeeping files are hidden).
inline std::vector<std::string> VisibleNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string()[0] != '.')
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The inode behind a path: a rebuilt database is a new file.
inline ino_t InodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

inline std::vector<Line> BackupLines(const QString& db) {
    return {{db + " 연결성공.", kBlue},
            {db + " 백업파일 만드는 중...", kBlack},
            {db + " 백업파일 만들기 완료.", kGreen},
            {db + " 백업작업 완료.", kGreen}};
}

inline std::vector<Line> OptimiseLines(const QString& db) {
    return {{db + " 기존파일 삭제.", kRed},
            {db + " 연결성공.", kBlue},
            {db + " 최적화 수행시작.", kGreen},
            {db + " 데이터베이스파일 만드는 중...", kBlack},
            {db + " 데이터베이스파일 만들기 완료.", kGreen},
            {db + " 데이터베이스파일 최적화 중...", kBlack},
            {db + " 데이터베이스 최적화 완료.", kGreen}};
}

// Digits in threes with commas (the tests run in an English locale).
inline QString Grouped(std::int64_t n) {
    const std::string digits = std::to_string(n < 0 ? -n : n);
    std::string text = n < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return QString::fromStdString(text);
}

template <typename T> std::vector<T> operator+(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class WorkflowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        QApplication::setActiveWindow(&form);
        QCoreApplication::processEvents();
        QObject::connect(form.MyGauge, &TsGauge::progressChanged, [this](int p) { gauge.push_back(p); });
    }

    void TearDown() override {
        if (HasFailure())
            std::printf("backup pane:\n%s\noptimise pane:\n%s\nstatus: %s\n",
                        form.RichEdit3->Text().toStdString().c_str(),
                        form.RichEdit4->Text().toStdString().c_str(),
                        form.RichEdit5->Text().toStdString().c_str());
    }

    std::string MakeDatabase(const std::string& path, int rows = 4000) {
        CreateTestDatabase({.Path = path, .Rows = rows, .DeleteHalf = true});
        return path;
    }

    // The user picks this name in the dialog, which hands it over as text.
    void PickText(const QString& chosen) {
        form.OpenDialog.SetChooser([chosen](TOpenDialog& dialog, QWidget*) {
            dialog.FileName = chosen;
            return true;
        });
        form.sButton1Click();
    }
    void Pick(const std::string& path) { PickText(Shown(path)); }

    // Pick, backup, optimise, confirm.
    void RunAllSteps(const std::string& path) {
        Pick(path);
        form.sButton2Click();
        form.sButton3Click();
        form.sButton4Click();
    }

    struct Buttons {
        bool backup, optimise, confirm;
    };
    void ExpectButtons(Buttons b, TsButton* focused) {
        EXPECT_TRUE(form.sButton1->isEnabled());
        EXPECT_EQ(form.sButton2->isEnabled(), b.backup);
        EXPECT_EQ(form.sButton3->isEnabled(), b.optimise);
        EXPECT_EQ(form.sButton4->isEnabled(), b.confirm);
        EXPECT_TRUE(form.sButton5->isEnabled());
        EXPECT_FALSE(form.sButton6->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), focused)
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                            : "none");
    }

    TTempDir dir;
    TMorvaneMainForm form;
    std::vector<int> gauge;
};
