// What the skins cost on screen, under each built-in skin against the plain Qt look in the same
// run: painting the whole main window once, one hover repaint of a button, one glow tick of the
// gauge, and a skin change up to the last repainted control. Offscreen platform, one process.
#include "MorvaneMain.h"
#include "TsButton.h"
#include "TsComboBox.h"
#include "TsGauge.h"
#include "TsSkinManager.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QHoverEvent>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Combo entries in the order of the built-in skins' indexes 0..4, plus the plain look.
const char* const SkinNames[] = {"DarkGlass", "LongHorn", "Neutral2", "NextAlpha", "BluePlastic", "plain"};

TMorvaneMainForm& Window() {
    static std::unique_ptr<TMorvaneMainForm> window = [] {
        auto form = std::make_unique<TMorvaneMainForm>();
        form->sSkinManager->AnimEffects.SkinChanging.Active = false;
        form->show();
        QCoreApplication::processEvents();
        return form;
    }();
    return *window;
}

void UseSkin(TMorvaneMainForm& form, int skin) {
    if (skin == 5) {
        form.sSkinManager->SetActive(false);
    } else {
        form.sSkinManager->SetActive(true);
        form.sComboBox1->SetItemIndex(form.sComboBox1->findText(QString::fromLatin1(SkinNames[skin])));
        form.ApplySkinFromCombo();
    }
    QCoreApplication::processEvents();
}

void WindowPaint(benchmark::State& state) {
    TMorvaneMainForm& form = Window();
    UseSkin(form, static_cast<int>(state.range(0)));
    QImage target(form.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        // Every cached picture is dropped first: this is a first paint, not a copy of the last.
        for (TsButton* button : form.findChildren<TsButton*>())
            QCoreApplication::postEvent(button, new QEvent(QEvent::FontChange));
        QCoreApplication::sendPostedEvents();
        form.MyGauge->SkinData.BGChanged = true;
        form.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
    state.SetLabel(SkinNames[state.range(0)]);
}

void ButtonHoverRepaint(benchmark::State& state) {
    TMorvaneMainForm& form = Window();
    UseSkin(form, static_cast<int>(state.range(0)));
    TsButton* button = form.sButton1;
    bool hot = false;
    for (auto _ : state) {
        hot = !hot;
        const QPointF inside = QRectF(button->rect()).center();
        const QPointF outside(-1, -1);
        QHoverEvent event(hot ? QEvent::HoverEnter : QEvent::HoverLeave, hot ? inside : outside,
                          button->mapToGlobal(hot ? inside : outside), hot ? outside : inside);
        button->setAttribute(Qt::WA_UnderMouse, hot);
        QCoreApplication::sendEvent(button, &event);
        button->repaint();
    }
    state.SetLabel(SkinNames[state.range(0)]);
}

void GlowTickRepaint(benchmark::State& state) {
    TMorvaneMainForm& form = Window();
    UseSkin(form, static_cast<int>(state.range(0)));
    TsGauge* gauge = form.MyGauge;
    gauge->SetProgress(60);
    for (auto _ : state)
        gauge->GlowTimerTick();
    state.SetLabel(SkinNames[state.range(0)]);
}

void SkinChange(benchmark::State& state) {
    TMorvaneMainForm& form = Window();
    UseSkin(form, 0);
    int next = 0;
    for (auto _ : state) {
        next = next % 5 + 1;
        if (next == 5)
            next = 0;
        form.sComboBox1->SetItemIndex(form.sComboBox1->findText(QString::fromLatin1(SkinNames[next])));
        form.ApplySkinFromCombo();
        QCoreApplication::processEvents(); // every control repaints
    }
}

} // namespace

BENCHMARK(WindowPaint)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK(ButtonHoverRepaint)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK(GlowTickRepaint)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(SkinChange)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
