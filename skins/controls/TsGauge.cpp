#include "TsGauge.h"

#include "Exceptions.h"
#include "Format.h"
#include "GaugeAccessible.h"
#include "SkinColor.h"
#include "SkinCommand.h"
#include "SkinPaint.h"
#include "TsSkinManager.h"

#include <QAccessible>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr QRgb Magenta = 0xFFFF00FFu;

// A picture of `size` in the widget's own pixels, made `ratio` times as dense for the screen.
QImage Transparent(const QSize& size, qreal ratio) {
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

// White text combined with the picture by XOR: every pixel under the text is inverted, so it
// shows over the bar and over the background alike. Done by hand, as XOR would also invert
// the alpha of an ARGB picture.
void XorText(QImage& image, const QString& text, QFont font) {
    QImage mask(image.size(), QImage::Format_ARGB32_Premultiplied);
    mask.setDevicePixelRatio(image.devicePixelRatio());
    mask.fill(Qt::transparent);
    QPainter painter(&mask);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(QPointF(0, 0), image.deviceIndependentSize()), Qt::AlignCenter, text);
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* under = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(under[x]) >= 128)
                row[x] = 0xFF000000u | (~row[x] & 0x00FFFFFFu);
    }
}

[[noreturn]] void RangeError(std::int64_t low, std::int64_t high) {
    throw Exception(FormatMessage("Value must be between %d and %d", {low, high}));
}

} // namespace

TsGauge::TsGauge(QWidget* parent) : QWidget(parent), SkinData(this, QStringLiteral("GAUGE")) {
    // Heard as a progress bar with its value, not as an unnamed area.
    static const bool accessible = [] {
        QAccessible::installFactory(GaugeAccessibleFactory);
        return true;
    }();
    (void)accessible;
    resize(120, 30);
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(GlowTickMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &TsGauge::GlowTimerTick);
    SkinData.UpdateIndexes();
}

void TsGauge::Loaded() {
    loading_ = false;
    Invalidate();
    StartGlowIfAnimated();
}

// The glow runs only while the gauge can be seen; showing it again goes on with the cycle.
void TsGauge::StartGlowIfAnimated() {
    if (animated_ && isVisible() && !timer_.isActive())
        timer_.start();
}

int TsGauge::PercentDone() const {
    const std::int64_t range = static_cast<std::int64_t>(maxValue_) - minValue_;
    if (range == 0)
        return 0;
    return static_cast<int>((static_cast<std::int64_t>(progress_) - minValue_) * 100 / range);
}

QString TsGauge::Text() const {
    return QString::number(calcPercents_ ? PercentDone() : progress_) + suffix_;
}

int TsGauge::FilledLength() const {
    const int length = kind_ == TsGaugeKind::gkVerticalBar ? height() : width();
    return std::min(length, static_cast<int>(static_cast<std::int64_t>(length) * PercentDone() / 100));
}

QRect TsGauge::FilledRect(const QRect& area) const {
    const int percent = std::clamp(PercentDone(), 0, 100);
    if (kind_ == TsGaugeKind::gkVerticalBar) {
        const int filled = std::min(area.height(), area.height() * percent / 100);
        return QRect(area.left(), area.bottom() + 1 - filled, area.width(), filled);
    }
    const int filled = std::min(area.width(), area.width() * percent / 100);
    return QRect(area.left(), area.top(), filled, area.height());
}

void TsGauge::RepaintNow() {
    if (!loading_ && isVisible())
        repaint();
}

void TsGauge::Invalidate() {
    SkinData.BGChanged = true;
}

void TsGauge::SetProgress(int value) {
    const int clamped = value < minValue_ ? minValue_ : value > maxValue_ ? maxValue_ : value;
    if (clamped == progress_)
        return;
    const int before = PercentDone();
    const QString textBefore = Text();
    progress_ = clamped;
    // A gauge showing its value rather than a percentage changes its text with every step.
    if (PercentDone() != before || Text() != textBefore) {
        if (!TsSkinManager::SkinUpdating())
            Invalidate();
        RepaintNow();
    }
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, progress_);
        QAccessible::updateAccessibility(&changed);
    }
    emit progressChanged(progress_);
    if (OnChange)
        OnChange();
}

void TsGauge::SetMinValue(int value) {
    if (value == minValue_)
        return;
    if (value > maxValue_ && !loading_)
        RangeError(-2147483647, static_cast<std::int64_t>(maxValue_) - 1);
    minValue_ = value;
    if (progress_ < minValue_)
        progress_ = minValue_;
    Invalidate();
    RepaintNow();
}

void TsGauge::SetMaxValue(int value) {
    if (value == maxValue_)
        return;
    if (value < minValue_ && !loading_)
        RangeError(static_cast<std::int64_t>(minValue_) + 1, 2147483647);
    maxValue_ = value;
    if (progress_ > maxValue_)
        progress_ = maxValue_;
    Invalidate();
    RepaintNow();
}

void TsGauge::SetKind(TsGaugeKind kind) {
    if (kind == kind_)
        return;
    kind_ = kind;
    Invalidate();
    RepaintNow();
}

void TsGauge::SetShowText(bool value) {
    if (value == showText_)
        return;
    showText_ = value;
    Invalidate();
    RepaintNow();
}

void TsGauge::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    RepaintNow();
}

void TsGauge::SetBackColor(std::int32_t color) {
    if (color == backColor_)
        return;
    backColor_ = color;
    RepaintNow();
}

void TsGauge::SetForeColor(std::int32_t color) {
    if (color == foreColor_)
        return;
    foreColor_ = color;
    Invalidate();
    update();
}

void TsGauge::SetProgressSkin(const QString& section) {
    if (section == progressSkin_)
        return;
    progressSkin_ = section;
    Invalidate();
    update();
}

void TsGauge::SetSuffix(const QString& suffix) {
    if (suffix == suffix_)
        return;
    suffix_ = suffix;
    if (!loading_) {
        Invalidate();
        update();
    }
}

void TsGauge::SetCalcPercents(bool value) {
    if (value == calcPercents_)
        return;
    calcPercents_ = value;
    if (!loading_) {
        Invalidate();
        update();
    }
}

void TsGauge::SetAnimated(bool value) {
    if (value == animated_)
        return;
    animated_ = value;
    Invalidate();
    if (animated_)
        StartGlowIfAnimated();
    else
        timer_.stop();
}

int TsGauge::ProgressSectionIndex() const {
    // Looked up by name only when the skin or the properties that choose the section change.
    const SkinTables* skin = SkinData.Skin();
    const ProgressChoice choice{skin, progressSkin_, kind_, animated_};
    if (choice == progressChoice_)
        return progressIndex_;
    progressChoice_ = choice;
    progressIndex_ = -1;
    if (skin == nullptr)
        return progressIndex_;
    if (!progressSkin_.isEmpty())
        progressIndex_ = skin->FindSection(progressSkin_.toUpper().toStdString());
    else if (kind_ == TsGaugeKind::gkVerticalBar && !animated_ && skin->FindSection("PROGRESSV") >= 0)
        progressIndex_ = skin->FindSection("PROGRESSV");
    else
        progressIndex_ = skin->FindSection("PROGRESSH");
    return progressIndex_;
}

bool TsGauge::HasGlowRegion() const {
    const SkinTables* skin = SkinData.Skin();
    const TsGeneralData* section = skin ? skin->Section(ProgressSectionIndex()) : nullptr;
    return section != nullptr && skin->Mask(section->Mask(SectionMask::Lrgn)) != nullptr;
}

void TsGauge::GlowTimerTick() {
    if (!SkinData.Skinned()) {
        timer_.stop();
        return;
    }
    const int length = kind_ == TsGaugeKind::gkVerticalBar ? height() : width();
    const std::optional<int> at = GlowTick(glow_, length);
    if (!at)
        return;
    if (isVisible() && progress_ > 0 && parentWidget() != nullptr && parentWidget()->isVisible()) {
        shownGlow_ = at;
        repaint();
    }
}

bool TsGauge::event(QEvent* event) {
    if (TsSkinCommandEvent* command = AsSkinCommand(event)) {
        // New tables may stand where old ones stood: the progress section is looked up again.
        progressChoice_.Skin = nullptr;
        progressChoice_.Section = QStringLiteral("?");
        AnswerSkinCommand(*command, SkinData,
                          {[this] { Invalidate(); },
                           [this] {
                               if (animated_)
                                   timer_.stop();
                               Invalidate();
                               shownGlow_.reset();
                               repaint();
                           },
                           [this] {
                               SkinData.UpdateIndexes();
                               Invalidate();
                               update();
                               if (animated_ && !loading_)
                                   StartGlowIfAnimated();
                           },
                           nullptr});
        return true;
    }
    if (event->type() == QEvent::Hide)
        timer_.stop();
    else if (event->type() == QEvent::Show && !loading_)
        StartGlowIfAnimated();
    return QWidget::event(event);
}

void TsGauge::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Invalidate();
}

void TsGauge::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The layers are drawn in the gauge's state and font.
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) {
        Invalidate();
        update();
    }
}

void TsGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (SkinData.Skinned() && TsCommonData::Updating()) {
        painter.fillRect(0, 0, 1, 1, QColor::fromRgb(Magenta));
        return;
    }
    painter.drawImage(0, 0, Picture());
}

QImage TsGauge::Picture() {
    return Picture(devicePixelRatioF());
}

QImage TsGauge::Picture(qreal ratio) {
    if (width() <= 0 || height() <= 0)
        return {};
    if (!(ratio > 0))
        ratio = 1;
    if (SkinData.Skinned() && SkinData.Section() != nullptr)
        return PaintSkinned(ratio);
    return PaintPlain(ratio);
}

void TsGauge::BuildSkinnedLayers(qreal ratio) {
    const SkinTables& skin = *SkinData.Skin();
    const QRect area = rect();
    const TsState state = isEnabled() ? TsState::Normal : TsState::Disabled;
    const int progressIndex = ProgressSectionIndex();
    const TsGeneralData* progressSection = skin.Section(progressIndex);
    const QRect filled = FilledRect(area);

    base_ = Transparent(size(), ratio);
    QPainter painter(&base_);
    DrawSectionBackground(painter, skin, SectionPaint{SkinData.SkinIndex, area, state});
    const bool bar = kind_ == TsGaugeKind::gkHorizontalBar || kind_ == TsGaugeKind::gkVerticalBar;
    if (bar && progressSection != nullptr)
        DrawSectionBackground(painter, skin, SectionPaint{progressIndex, filled, state});
    else if (kind_ == TsGaugeKind::gkPie || kind_ == TsGaugeKind::gkNeedle)
        DrawPieOrNeedle(painter, area, SkinColor(foreColor_));
    painter.end();

    text_ = Transparent(size(), ratio);
    if (showText_) {
        QPainter text(&text_);
        text.setFont(font());
        const QRegion inside = bar && progressSection ? QRegion(filled) : QRegion();
        text.setClipRegion(QRegion(area).subtracted(inside));
        DrawCaption(text, *SkinData.Section(), CaptionPaint{Text(), area, Qt::AlignCenter, state});
        if (!inside.isEmpty()) {
            text.setClipRegion(inside);
            DrawCaption(text, *progressSection, CaptionPaint{Text(), area, Qt::AlignCenter, state});
        }
    }

    region_ = QImage();
    const TsMaskData* glowRegion =
        progressSection ? skin.Mask(progressSection->Mask(SectionMask::Lrgn)) : nullptr;
    if (bar && animated_ && glowRegion != nullptr && !filled.isEmpty()) {
        region_ = Transparent(filled.size(), ratio);
        QPainter regionPainter(&region_);
        DrawRegion(regionPainter, *glowRegion, QRect(QPoint(0, 0), filled.size()));
        const int thickness = kind_ == TsGaugeKind::gkVerticalBar ? filled.width() : filled.height();
        const QSize glowFor(thickness, kind_ == TsGaugeKind::gkVerticalBar);
        if (glowFor != glowFor_ || glowPicture_.isNull()) {
            glowPicture_ = GlowPicture(thickness);
            if (kind_ == TsGaugeKind::gkVerticalBar)
                glowPicture_ = glowPicture_.transformed(QTransform().rotate(-90));
            glowFor_ = glowFor;
        }
    }
    SkinData.BGChanged = false;
}

void TsGauge::DrawGlow(QPainter& painter, const QRect& filled) {
    if (region_.isNull() || !shownGlow_ || glowPicture_.isNull())
        return;
    const int length = kind_ == TsGaugeKind::gkVerticalBar ? filled.height() : filled.width();
    const int at = *shownGlow_;
    if (at >= length + GlowLength || at + GlowLength <= 0 || at >= length)
        return;
    QImage layer = Transparent(filled.size(), region_.devicePixelRatio());
    QPainter glow(&layer);
    glow.setRenderHint(QPainter::SmoothPixmapTransform);
    if (kind_ == TsGaugeKind::gkVerticalBar)
        glow.drawImage(0, filled.height() - at - GlowLength, glowPicture_); // rising from the bottom
    else
        glow.drawImage(at, 0, glowPicture_);
    glow.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    glow.drawImage(0, 0, region_);
    glow.end();
    painter.drawImage(filled.topLeft(), layer);
}

QImage TsGauge::PaintSkinned(qreal ratio) {
    if (SkinData.BGChanged || base_.size() != size() * ratio || base_.devicePixelRatio() != ratio)
        BuildSkinnedLayers(ratio);
    QImage frame = base_;
    QPainter painter(&frame);
    DrawGlow(painter, FilledRect(rect()));
    painter.drawImage(0, 0, text_);
    return frame;
}

void TsGauge::DrawPieOrNeedle(QPainter& painter, const QRect& area, const QColor& color) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(area.width(), area.height()) - 2;
    const QRectF circle(area.center().x() - side / 2.0, area.center().y() - side / 2.0, side, side);
    const int percent = std::clamp(PercentDone(), 0, 100);
    if (kind_ == TsGaugeKind::gkPie) {
        painter.setPen(color);
        painter.setBrush(color);
        painter.drawPie(circle, 90 * 16, -percent * 360 * 16 / 100);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(circle);
    } else {
        // A half dial from left to right, the needle pointing at the percentage.
        const QPointF centre(area.center().x() + 0.5, area.bottom());
        const double radius = std::min(area.width() / 2.0, static_cast<double>(area.height())) - 2;
        const double angle = M_PI * (1.0 - percent / 100.0);
        painter.setPen(QPen(color, 2));
        painter.drawLine(centre, centre + QPointF(std::cos(angle) * radius, -std::sin(angle) * radius));
    }
    painter.restore();
}

QImage TsGauge::PaintPlain(qreal ratio) const {
    QImage image = Transparent(size(), ratio);
    QPainter painter(&image);
    QRect area = rect();
    if (borderStyle_ == TBorderStyle::bsSingle) {
        painter.setPen(Qt::black);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(1, 1, -1, -1);
    }
    painter.fillRect(area, SkinColor(backColor_));
    switch (kind_) {
    case TsGaugeKind::gkHorizontalBar:
    case TsGaugeKind::gkVerticalBar:
        painter.fillRect(FilledRect(area), SkinColor(foreColor_));
        break;
    case TsGaugeKind::gkPie:
    case TsGaugeKind::gkNeedle:
        DrawPieOrNeedle(painter, area, SkinColor(foreColor_));
        break;
    case TsGaugeKind::gkText:
        break;
    }
    painter.end();
    if (showText_)
        XorText(image, Text(), font());
    return image;
}
