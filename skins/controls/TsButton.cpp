#include "TsButton.h"

TsButton::TsButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
}
