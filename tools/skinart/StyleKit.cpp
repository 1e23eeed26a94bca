#include "StyleKit.h"

#include "Shapes.h"
#include "SkinColor.h"

#include <QPainter>

std::vector<GradientStep> TwoBands(const QColor& a, const QColor& b, const QColor& c, const QColor& d,
                                   int split) {
    return {{a, b, split}, {c, d, 100 - split}};
}

std::vector<GradientStep> OneBand(const QColor& from, const QColor& to) {
    return {{from, to, 100}};
}

std::array<FrameLook, 4> WithDisabled(const FrameLook& normal, const FrameLook& hot, const FrameLook& pressed,
                                      const QColor& wash) {
    FrameLook disabled = normal;
    disabled.HighlightTop = QColor();
    disabled.Highlight = QColor();
    disabled.Ring = QColor();
    if (wash.isValid()) {
        disabled.Fill = wash;
        disabled.FillBottom = QColor();
    }
    return {normal, hot, pressed, disabled};
}

QColor DisabledCaptionBase(const QColor& text, const QColor& face, double ratio) {
    for (int step = 0; step <= 100; ++step) {
        const QColor base = Mix(face, text, step / 100.0);
        if (ContrastRatio(DisabledTextColor(SkinInt(text), SkinInt(base)), face) >= ratio)
            return base;
    }
    return text;
}

QImage SolidBackdrop(const QColor& color, QSize cell) {
    QImage image(cell, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QImage GradientBackdrop(const std::vector<GradientStep>& steps, int height, int top, QSize cell) {
    QImage strip(1, height, QImage::Format_RGB32);
    int start = 0;
    for (const GradientStep& step : steps) {
        const int end = std::min(height, start + (height * step.Percent + 50) / 100);
        for (int y = start; y < end; ++y) {
            const double t = (y - start + 0.5) / (end - start);
            strip.setPixel(0, y, Mix(step.From, step.To, t).rgb());
        }
        start = std::max(start, end);
    }
    for (int y = start; y < height; ++y)
        strip.setPixel(0, y, steps.back().To.rgb());
    QImage image(cell, QImage::Format_RGB32);
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            image.setPixel(x, y, strip.pixel(0, std::clamp(top + y, 0, height - 1)));
    return image;
}

QColor Alpha(const QColor& color, double alpha) {
    QColor c = color;
    c.setAlphaF(alpha);
    return c;
}

QColor White(double alpha) {
    return Alpha(Qt::white, alpha);
}

QColor Black(double alpha) {
    return Alpha(Qt::black, alpha);
}

void PaintHugeButton(QPainter& p, const QRect& cell, const HugeLook& look) {
    const QRectF r(cell);
    const qreal margin = 32;
    if (look.Outside.isValid())
        p.fillRect(cell, look.Outside);
    p.setPen(Qt::NoPen);
    p.setBrush(look.Rim);
    p.drawPath(RoundedBox(r, look.Radius));
    const QRectF inside = r.adjusted(1, 1, -1, -1);
    QLinearGradient body(inside.topLeft(), inside.bottomLeft());
    body.setColorAt(0, look.Top);
    body.setColorAt((margin - 1) / inside.height(), look.Upper);
    body.setColorAt(1 - (margin - 1) / inside.height(), look.Lower);
    body.setColorAt(1, look.Bottom);
    p.setBrush(body);
    p.drawPath(RoundedBox(inside, look.Radius - 1));
    if (look.Gloss.isValid()) {
        // A soft sheen over the upper part of the top margin, ending well inside it.
        const QRectF sheen = inside.adjusted(2, 1, -2, -(inside.height() - margin * 0.8));
        QLinearGradient fade(sheen.topLeft(), sheen.bottomLeft());
        fade.setColorAt(0, look.Gloss);
        fade.setColorAt(1, Alpha(look.Gloss, look.Gloss.alphaF() * 0.05));
        p.setBrush(fade);
        p.drawPath(RoundedBox(sheen, look.Radius - 2));
    }
    if (look.Highlight.isValid()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(look.Highlight, 1));
        p.drawPath(RoundedBox(inside.adjusted(0.5, 0.5, -0.5, -0.5), look.Radius - 1.5));
    }
}

FrameLook Simple(const QColor& rim, const QColor& outside, qreal radius) {
    FrameLook look;
    look.Radius = radius;
    look.Margin = 3;
    look.Outside = outside;
    look.Rim = rim;
    return look;
}

FrameLook FlatOn(const QColor& background) {
    FrameLook flat;
    flat.Radius = 0;
    flat.Fill = background;
    return flat;
}
