// While the engine works on a large database, the status line shows how far the file it writes
// has grown and for how long, and is cleared when the job ends; everything the steps show
// before and after stays as it was.
#include "LargeDatabase.h"
#include "WorkflowFixture.h"

#include <QLabel>
#include "TsButton.h"
#include "TsComboBox.h"
#include "TsGauge.h"
#include "TsSkinManager.h"
#include <QRegularExpression>
#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

struct TShown {
    QString Text;
    bool DuringJob;
};

class ProgressTest : public WorkflowFixture {
protected:
    void SetUp() override {
        WorkflowFixture::SetUp();
        // Replacing a box's text empties it first and then formats it, within the same call:
        // only the texts that stay are what a user sees.
        QObject::connect(form.RichEdit5, &QTextEdit::textChanged, [this] {
            if (!shown.empty() && shown.back().Text.isEmpty() && shown.back().DuringJob)
                shown.pop_back();
            const TShown now{form.RichEdit5->Text(), form.JobRunning()};
            if (shown.empty() || shown.back().Text != now.Text || shown.back().DuringJob != now.DuringJob)
                shown.push_back(now);
        });
    }

    // The byte counts of the progress lines shown during the job, in order; every line must be
    // exactly "<path> <doing> <n> 바이트, <m:ss>".
    std::vector<std::int64_t> Counts(const QString& path, const QString& doing) {
        const QRegularExpression format("^" + QRegularExpression::escape(path + doing) +
                                        "([0-9]{1,3}(,[0-9]{3})*) 바이트, [0-9]+:[0-5][0-9]$");
        std::vector<std::int64_t> counts;
        for (const TShown& s : shown) {
            if (!s.DuringJob)
                continue;
            const auto match = format.match(s.Text);
            EXPECT_TRUE(match.hasMatch()) << s.Text.toStdString();
            counts.push_back(match.captured(1).remove(',').toLongLong());
        }
        return counts;
    }

    static void ExpectGrowing(const std::vector<std::int64_t>& counts, std::int64_t finalSize) {
        ASSERT_GE(counts.size(), 3u) << "a job of over a second is shown about four times a second";
        EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
        const auto distinct = std::set<std::int64_t>(counts.begin(), counts.end()).size();
        EXPECT_GE(distinct, 2u) << "the count must grow while the job runs";
        EXPECT_GT(counts.back(), 0);
        EXPECT_LE(counts.back(), finalSize);
    }

    std::vector<TShown> shown;
};

TEST_F(ProgressTest, BackupAndRestoreShowTheBytesWritten) {
    const std::string db = dir.File("big.fdb");
    fs::copy_file(SharedLargeDatabase(), db);
    const QString path = Shown(db);
    Pick(db);

    shown.clear();
    form.sButton2Click();
    ExpectGrowing(Counts(path, " 백업 중... "), FileSizeOf(dir.File("big.BAK")));
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().Text, "") << "cleared when the step ends";
    EXPECT_EQ(form.RichEdit5->Text(), "");
    ExpectLines(form.RichEdit3, BackupLines(path));

    shown.clear();
    form.sButton3Click();
    ExpectGrowing(Counts(path, " 최적화 중... "), FileSizeOf(db));
    EXPECT_EQ(form.RichEdit5->Text(), "");
    ExpectLines(form.RichEdit4, OptimiseLines(path));

    form.sButton4Click();
    EXPECT_EQ(form.RichEdit5->Text(), path + " 최적화 완료.");
    EXPECT_EQ(gauge, std::vector<int>({10, 20, 30, 40, 50, 60, 70, 80, 90, 100}))
        << "the gauge keeps its milestones";
    EXPECT_EQ(CountRows(db), kLargeDatabaseRows);
}

// A close asked for during a job is acknowledged for as long as the job runs, and the steps
// look as closed as they are meanwhile.
TEST_F(ProgressTest, ACloseAskedForDuringAJobStaysInViewAndTheStepsLookClosed) {
    const std::string db = dir.File("big.fdb");
    fs::copy_file(SharedLargeDatabase(), db);
    const QString path = Shown(db);
    Pick(db);
    std::vector<bool> enabledDuringJob;
    QObject::connect(&form, &TMorvaneMainForm::serviceJobWaiting, [&] {
        for (TsButton* step : {form.sButton1, form.sButton2, form.sButton3, form.sButton4})
            enabledDuringJob.push_back(step->isEnabled());
        EXPECT_FALSE(form.close());
        shown.clear();
    });
    form.sButton2->click();

    EXPECT_EQ(enabledDuringJob, std::vector<bool>(4, false));
    const QRegularExpression noted("^" + QRegularExpression::escape(path + " 작업이 끝나면 창이 닫힙니다.") +
                                   "( 백업 중... [0-9,]+ 바이트, [0-9]+:[0-5][0-9])?$");
    int ticks = 0;
    for (const TShown& s : shown) {
        if (!s.DuringJob)
            continue;
        EXPECT_TRUE(noted.match(s.Text).hasMatch()) << s.Text.toStdString();
        ++ticks;
    }
    EXPECT_GE(ticks, 3) << "a job of over a second is shown about four times a second";
    EXPECT_FALSE(form.isVisible()) << "the window closes once the step has ended";
    ExpectLines(form.RichEdit3, BackupLines(path));
}

// The skin box stays usable while a job runs: a skin chosen then is worn at once, the job goes
// on, and the run ends as it would have.
TEST_F(ProgressTest, ASkinChosenDuringAJobIsWornAndTheRunEndsAsUsual) {
    const std::string db = dir.File("big.fdb");
    fs::copy_file(SharedLargeDatabase(), db);
    const QString path = Shown(db);
    Pick(db);
    QStringList wornDuringJob;
    int job = 0;
    QObject::connect(&form, &TMorvaneMainForm::serviceJobWaiting, [&] {
        const char* skin = ++job == 1 ? "DarkGlass" : "LongHorn";
        form.sComboBox1->SetItemIndex(form.sComboBox1->findText(QString::fromLatin1(skin)));
        emit form.sComboBox1->activated(form.sComboBox1->currentIndex());
        QCoreApplication::processEvents();
        wornDuringJob << form.sSkinManager->SkinName();
    });
    form.sButton2->click();
    form.sButton3->click();
    form.sButton4->click();
    EXPECT_EQ(wornDuringJob, QStringList({"DarkGlass (internal)", "LongHorn (internal)"}));
    EXPECT_EQ(form.RichEdit5->Text(), path + " 최적화 완료.");
    EXPECT_EQ(form.MyGauge->Progress(), 100);
    EXPECT_TRUE(form.sButton1->SkinData.Skinned());
    EXPECT_EQ(CountRows(db), kLargeDatabaseRows);
}

// Every paint of a step button from the job's start to the step's end.
class StepPaints : public QObject {
public:
    explicit StepPaints(TMorvaneMainForm& form) : steps_{form.sButton1, form.sButton2, form.sButton3, form.sButton4} {
        for (TsButton* step : steps_)
            step->installEventFilter(this);
        QObject::connect(&form, &TMorvaneMainForm::serviceJobWaiting, this, [this] { recording_ = true; });
    }
    void Stop() { recording_ = false; }
    // Whether each button was painted open, by name, one entry per paint.
    std::map<std::string, std::vector<bool>> Painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (recording_ && event->type() == QEvent::Paint) {
            const auto* button = static_cast<TsButton*>(watched);
            Painted[button->objectName().toStdString()].push_back(button->isEnabled());
        }
        return false;
    }

private:
    std::vector<TsButton*> steps_;
    bool recording_ = false;
};

// Between the end of the engine's job and the end of its step, the steps never show the state
// from before the job: they go from closed straight to what the step leaves them as.
TEST_F(ProgressTest, StepsGoFromClosedStraightToTheirStateAfterTheStep) {
    const std::string db = MakeDatabase(dir.File("shop.fdb"));
    Pick(db);
    for (const auto& [step, clicked, next] :
         {std::tuple{&TMorvaneMainForm::sButton2Click, "sButton2", &TMorvaneMainForm::sButton3},
          std::tuple{&TMorvaneMainForm::sButton3Click, "sButton3", &TMorvaneMainForm::sButton4}}) {
        StepPaints paints(form);
        (form.*step)();
        paints.Stop();
        ASSERT_FALSE(paints.Painted[clicked].empty());
        EXPECT_FALSE(paints.Painted[clicked].front()) << "painted closed once the job is asked for";
        for (TsButton* button : {form.sButton1, form.sButton2, form.sButton3, form.sButton4}) {
            // Closed, then (only if the step leaves it open) open: never open and closed again.
            const std::vector<bool>& painted = paints.Painted[button->objectName().toStdString()];
            EXPECT_TRUE(std::is_sorted(painted.begin(), painted.end())) << button->objectName().toStdString();
            EXPECT_TRUE(painted.empty() || painted.back() == button->isEnabled())
                << button->objectName().toStdString();
        }
        ExpectButtons({false, next == &TMorvaneMainForm::sButton3, next == &TMorvaneMainForm::sButton4},
                      form.*next);
    }
}

// A job that fails early (the engine may refuse it at the start call or a moment later) shows
// the line, and the progress goes from it when the step ends: the line says why the step failed.
TEST_F(ProgressTest, FailedJobClearsTheLineToo) {
    const std::string junk = dir.File("notes.fdb");
    WriteFileBytes(junk, std::string(100000, 'j'));
    Pick(junk);
    shown.clear();
    form.sButton2Click();
    EXPECT_FALSE(Counts(Shown(junk), " 백업 중... ").empty());
    EXPECT_EQ(form.RichEdit5->Text(), Shown(junk) + " 데이터베이스 파일이 아닙니다.");
}

} // namespace
