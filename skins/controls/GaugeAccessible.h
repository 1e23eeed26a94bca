#pragma once
// What assistive technology hears of a gauge: a progress bar, its value within its range, and
// its text ("30%") as the value's description.

class QAccessibleInterface;
class QObject;
class QString;

// The accessibility factory for TsGauge (installed once, when the first gauge is made).
QAccessibleInterface* GaugeAccessibleFactory(const QString& className, QObject* object);
