#include "GaugeAccessible.h"

#include "TsGauge.h"

#include <QAccessibleWidget>

namespace {

class GaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit GaugeAccessible(TsGauge* gauge) : QAccessibleWidget(gauge, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return Gauge()->Text();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return Gauge()->Progress(); }
    void setCurrentValue(const QVariant&) override {} // shown, never set by the user
    QVariant maximumValue() const override { return Gauge()->MaxValue(); }
    QVariant minimumValue() const override { return Gauge()->MinValue(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    TsGauge* Gauge() const { return static_cast<TsGauge*>(widget()); }
};

} // namespace

QAccessibleInterface* GaugeAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(TsGauge::staticMetaObject.className()))
        if (auto* gauge = qobject_cast<TsGauge*>(object))
            return new GaugeAccessible(gauge);
    return nullptr;
}
