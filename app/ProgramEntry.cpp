#include "ProgramEntry.h"

#include "ErrorBox.h"
#include "Exceptions.h"
#include "MainFormLayout.h"
#include "MorvaneMain.h"
#include "ProgramIcon.h"
#include "SkinVersionMessage.h"
#include "TerminationWatch.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <dlfcn.h>

namespace {

// Offset of this code within the executable, as the error box reports the failure's place.
quintptr ModuleOffset() {
    Dl_info info{};
    const auto address = reinterpret_cast<void*>(&RunMorvane);
    if (dladdr(address, &info) == 0 || !info.dli_fbase)
        return 0;
    return reinterpret_cast<quintptr>(address) - reinterpret_cast<quintptr>(info.dli_fbase);
}

const char* ClassNameOf(const std::exception& error) {
    if (const auto* known = dynamic_cast<const Exception*>(&error))
        return known->ClassName();
    return "Exception";
}

void ShowApplicationError(const std::exception& error) {
    const QString module = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"),
                    ApplicationErrorText(error, module, ModuleOffset()), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace

QString ApplicationErrorText(const std::exception& error, const QString& moduleName, quintptr offset) {
    const QString message = QString::fromUtf8(error.what());
    const bool addStop = !message.isEmpty() && !message.endsWith(QLatin1Char('.'));
    return QStringLiteral("Exception %1 in module %2 at %3.\r\n%4%5\r\n")
        .arg(QString::fromLatin1(ClassNameOf(error)), moduleName,
             QStringLiteral("%1").arg(offset, 8, 16, QLatin1Char('0')).toUpper(), message,
             addStop ? QStringLiteral(".") : QString());
}

void InstallFontSubstitutes() {
    QFont::insertSubstitutions(QString::fromUtf8(kFormFontFamily),
                               {QStringLiteral("NanumGothic"), QStringLiteral("NanumBarunGothic"),
                                QStringLiteral("Noto Sans CJK KR"), QStringLiteral("DejaVu Sans")});
}

QTranslator* InstallQtTranslations(QCoreApplication& app, const QLocale& locale) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

int RunMorvane(QApplication& app, const TBeforeShow& beforeShow) {
    TTerminationWatch termination;
    InstallQtTranslations(app, QLocale::system());
    InstallFontSubstitutes();
    app.setWindowIcon(ProgramIcon());
    ShowSkinVersionIfAsked(QCoreApplication::arguments(), [](const QString& text) { ShowNoticeBox(text, false); });
    std::unique_ptr<TMorvaneMainForm> window;
    try {
        window = std::make_unique<TMorvaneMainForm>();
    } catch (const std::exception& error) {
        ShowApplicationError(error);
        return 1;
    }
    KeepClientEngineThroughSignals();
    if (beforeShow)
        beforeShow(*window);
    // Told to end while the window was being made: it closes without ever being shown.
    if (termination.Requested()) {
        window->RequestTermination();
        return 0;
    }
    // Requests go to the window once it is up, never in the middle of its show.
    window->show();
    termination.DeliverTo(window.get());
    return app.exec();
}
