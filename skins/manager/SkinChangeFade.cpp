#include "SkinChangeFade.h"

#include <QApplication>
#include <QPainter>
#include <QVariantAnimation>

namespace {

// Covers its form with the old picture at a falling opacity, then deletes itself.
class FadeOverlay : public QWidget {
public:
    FadeOverlay(QWidget* form, QPixmap picture, QPoint at)
        : QWidget(form), picture_(std::move(picture)), at_(at) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setObjectName(QStringLiteral("SkinChangeFade"));
        setGeometry(form->rect());
        raise();
        show();
    }
    void Run(int milliseconds) {
        auto* animation = new QVariantAnimation(this);
        animation->setStartValue(1.0);
        animation->setEndValue(0.0);
        animation->setDuration(milliseconds);
        QObject::connect(animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
            opacity_ = value.toReal();
            update();
        });
        QObject::connect(animation, &QVariantAnimation::finished, this, &QObject::deleteLater);
        animation->start();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setOpacity(opacity_);
        painter.drawPixmap(at_, picture_);
    }

private:
    QPixmap picture_;
    QPoint at_;
    qreal opacity_ = 1.0;
};

} // namespace

void SkinChangeFade::Prepare(const std::vector<QWidget*>& forms) {
    shots_.clear();
    for (QWidget* form : forms)
        if (form->isVisible() && !form->isMinimized())
            shots_.push_back({form, form->grab(), form->contentsRect().topLeft()});
}

void SkinChangeFade::Play(int milliseconds) {
    for (Shot& shot : shots_)
        if (shot.Form && shot.Form->isVisible() && milliseconds > 0)
            (new FadeOverlay(shot.Form, std::move(shot.Picture), shot.Form->contentsRect().topLeft() - shot.Client))
                ->Run(milliseconds);
    shots_.clear();
}

void SkinChangeFade::StopAll() {
    for (QWidget* window : QApplication::topLevelWidgets())
        for (QWidget* overlay :
             window->findChildren<QWidget*>(QStringLiteral("SkinChangeFade"), Qt::FindDirectChildrenOnly)) {
            overlay->hide();
            overlay->deleteLater();
        }
}
