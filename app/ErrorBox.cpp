#include "ErrorBox.h"

#include "Exceptions.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>

namespace {

ErrorBoxPresenter& Presenter() {
    static ErrorBoxPresenter presenter;
    return presenter;
}

// The window the user works in: the active one, or while the program is in the background the
// first of its windows on view. The box opens over it, not somewhere on the screen.
QWidget* BoxOwner() {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->isMinimized() &&
            !(window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip ||
              window->windowType() == Qt::SplashScreen))
            return window;
    }
    return nullptr;
}

} // namespace

QString ApplicationTitleFor(const QString& executablePath) {
    QString name = QFileInfo(executablePath).fileName();
    const auto dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    return name.left(1).toUpper() + name.mid(1).toLower();
}

QString ApplicationTitle() {
    return ApplicationTitleFor(QCoreApplication::applicationFilePath());
}

QString WithFullStop(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void SetErrorBoxPresenter(ErrorBoxPresenter presenter) {
    Presenter() = std::move(presenter);
}

void ShowStandardErrorBox(const QString& message) {
    ShowErrorBox(WithFullStop(message));
}

void ShowErrorBox(const QString& text) {
    if (Presenter()) {
        Presenter()(ApplicationTitle(), text);
        return;
    }
    QMessageBox::critical(BoxOwner(), ApplicationTitle(), text, QMessageBox::Ok);
}

void ShowNoticeBox(const QString& text, bool informationIcon) {
    QMessageBox box(informationIcon ? QMessageBox::Information : QMessageBox::NoIcon, ApplicationTitle(), text,
                    QMessageBox::Ok, BoxOwner());
    // A short text makes a box too narrow for the window manager to show its caption.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int captionRoom = box.fontMetrics().horizontalAdvance(box.windowTitle()) * 2 + 160;
        grid->addItem(new QSpacerItem(captionRoom, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    box.exec();
}

QString ErrorMessage(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

bool Guarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        ShowStandardErrorBox(ErrorMessage(std::current_exception()));
        return false;
    }
}
