// The gauge's percentage under each built-in skin, painted as the main window shows it: it reads
// on the filled part as well as on the empty part, wherever the fill's gradient lies under it and
// also where the text straddles the fill's end.
#include "BuiltInSkinManagerFixture.h"
#include "ReadableColors.h"
#include "TsGauge.h"

#include <QFont>
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

using BuiltInSkinGaugeTextTest = BuiltInSkinManagerTest;

// The main window's gauge, unanimated so no glow passes under the text.
QImage PaintedGauge(int percent, bool text) {
    TsGauge gauge;
    gauge.BeginLoading();
    gauge.SetSkinSection(QStringLiteral("GAUGE"));
    gauge.SetAnimated(false);
    gauge.SetShowText(text);
    gauge.SetProgress(percent);
    gauge.Loaded();
    QFont font(QStringLiteral("NanumGothic"));
    font.setPixelSize(11);
    font.setHintingPreference(QFont::PreferNoHinting);
    gauge.setFont(font);
    gauge.resize(734, 12);
    return gauge.Picture(1);
}

// Small antialiased text reads when the strongest tenth of its stroke pixels stand out at 4.5:1
// from what lies under them; the picture without the text tells which pixels are strokes.
struct Strokes {
    std::vector<double> Filled, Empty;
};

Strokes StrokeContrasts(int percent) {
    const QImage with = PaintedGauge(percent, true);
    const QImage without = PaintedGauge(percent, false);
    const int filledEnd = with.width() * percent / 100;
    Strokes strokes;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (const QRgb under = without.pixel(x, y); with.pixel(x, y) != under)
                (x < filledEnd ? strokes.Filled : strokes.Empty)
                    .push_back(ContrastRatio(QColor(with.pixel(x, y)), QColor(under)));
    return strokes;
}

double StrongestTenth(std::vector<double> contrasts) {
    std::sort(contrasts.rbegin(), contrasts.rend());
    return contrasts[contrasts.size() / 10];
}

} // namespace

TEST_P(BuiltInSkinGaugeTextTest, ThePercentageReadsOnTheFillAndBesideIt) {
    // 50 % puts the fill's end inside the text.
    const struct {
        int Percent;
        bool OnFill, BesideFill;
    } cases[] = {{30, false, true}, {50, true, true}, {100, true, false}};
    for (const auto& c : cases) {
        const Strokes strokes = StrokeContrasts(c.Percent);
        const std::string what = std::string(GetParam()) + " at " + std::to_string(c.Percent) + "%";
        for (const auto& [part, expected, name] : {std::tuple{&strokes.Filled, c.OnFill, "on the fill"},
                                                   {&strokes.Empty, c.BesideFill, "beside it"}}) {
            if (!expected) {
                EXPECT_TRUE(part->empty()) << what << " " << name;
                continue;
            }
            ASSERT_GT(part->size(), 20u) << what << " " << name;
            EXPECT_GE(StrongestTenth(*part), 4.5) << what << " " << name;
        }
    }
}

INSTANTIATE_FOR_EVERY_BUILT_IN_SKIN(BuiltInSkinGaugeTextTest);
