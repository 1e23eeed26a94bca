#pragma once
// Progress gauge: a bar from MinValue to MaxValue with its percentage written on it. With a skin
// it draws its background from its section (GAUGE), the filled part from the progress section
// (PROGRESSH) and a soft glow that runs along the filled part every 2.2 s where that section has
// a glow region (LRGN); without one it is a framed bar with the text inverted over it.

#include "GaugeGlow.h"
#include "TsCommonData.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>

enum class TsGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
enum class TBorderStyle { bsNone, bsSingle };

class TsGauge : public QWidget {
    Q_OBJECT
public:
    explicit TsGauge(QWidget* parent = nullptr);

    TsCommonData SkinData; // "GAUGE" unless a section is set

    // Reading from the stored layout: no range errors, no repaint, the glow starts at Loaded().
    void BeginLoading() { loading_ = true; }
    void Loaded();

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    int Progress() const { return progress_; }
    // Raise "Value must be between %d and %d" when the range would be empty; unchanged then.
    void SetMinValue(int value);
    void SetMaxValue(int value);
    // Clamped to MinValue..MaxValue; repaints at once when the shown percentage changes.
    void SetProgress(int value);
    int PercentDone() const;
    // The percentage (or the progress itself) followed by the suffix.
    QString Text() const;
    // Pixels of the bar that are filled.
    int FilledLength() const;

    TsGaugeKind Kind() const { return kind_; }
    void SetKind(TsGaugeKind kind);
    bool CalcPercents() const { return calcPercents_; }
    void SetCalcPercents(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    bool Animated() const { return animated_; }
    void SetAnimated(bool value);
    std::int32_t BackColor() const { return backColor_; }
    void SetBackColor(std::int32_t color);
    std::int32_t ForeColor() const { return foreColor_; }
    void SetForeColor(std::int32_t color);
    QString ProgressSkin() const { return progressSkin_; }
    void SetProgressSkin(const QString& section);
    bool ShowText() const { return showText_; }
    void SetShowText(bool value);
    QString Suffix() const { return suffix_; }
    void SetSuffix(const QString& suffix);

    QString SkinSection() const { return SkinData.EffectiveSection(); }
    void SetSkinSection(const QString& section) {
        SkinData.SetSkinSection(section);
        Invalidate();
        update();
    }

    std::function<void()> OnChange;

    // The glow, for tests: one tick as the timer would run it, and where it stands.
    void GlowTimerTick();
    const GaugeGlowState& Glow() const { return glow_; }
    bool GlowTimerActive() const { return timer_.isActive(); }
    // Where the glow was last drawn, or nothing.
    std::optional<int> ShownGlow() const { return shownGlow_; }
    // Whether the progress section has a glow region.
    bool HasGlowRegion() const;

    // The picture the gauge shows now, as it would be copied to the screen: as dense as the
    // screen it is on, or `ratio` device pixels to the gauge's pixel.
    QImage Picture();
    QImage Picture(qreal ratio);

signals:
    void progressChanged(int progress);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void RepaintNow();
    void Invalidate();
    void StartGlowIfAnimated();
    int ProgressSectionIndex() const;
    QRect FilledRect(const QRect& area) const;
    QImage PaintSkinned(qreal ratio);
    QImage PaintPlain(qreal ratio) const;
    void BuildSkinnedLayers(qreal ratio);
    void DrawGlow(QPainter& painter, const QRect& filled);
    void DrawPieOrNeedle(QPainter& painter, const QRect& area, const QColor& color) const;

    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 47;
    TsGaugeKind kind_ = TsGaugeKind::gkHorizontalBar;
    bool calcPercents_ = true;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool animated_ = true;
    std::int32_t backColor_ = 0xFFFFFF;
    std::int32_t foreColor_ = 0;
    QString progressSkin_;
    bool showText_ = true;
    QString suffix_ = QStringLiteral("%");
    bool loading_ = false;

    QTimer timer_;
    GaugeGlowState glow_;
    std::optional<int> shownGlow_;
    // Layers of the skinned picture, rebuilt when the value, size or skin changes: the
    // background with the filled bar, and the text over both; the glow goes between them.
    QImage base_;
    QImage text_;
    QImage region_; // the glow region over the filled part
    QImage glowPicture_;
    QSize glowFor_; // thickness and kind the glow picture was made for: (thickness, vertical)
    // The progress section, and what it was chosen for.
    struct ProgressChoice {
        const SkinTables* Skin = nullptr;
        QString Section;
        TsGaugeKind Kind = TsGaugeKind::gkHorizontalBar;
        bool Animated = true;
        bool operator==(const ProgressChoice&) const = default;
    };
    mutable ProgressChoice progressChoice_{nullptr, QStringLiteral("?"), TsGaugeKind::gkText, false};
    mutable int progressIndex_ = -1;
};
