#include "PlacementTestForm.h"
#include "ScreenMetrics.h"
#include "TempFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
        QApplication::processEvents();
    }
}

TEST(PlacementProbe, ShowsWhere) {
    TTempFolder folder;
    auto form = std::make_unique<TPlacementTestForm>(folder.Path("kvFormPct.ini"));
    form->FormPct->Active = getenv("ACT") != nullptr;
    form->show();
    Settle();
    const QRect f = form->frameGeometry();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    std::cout << "frame " << f.x() << "," << f.y() << " " << f.width() << "x" << f.height() << " screen "
              << screen.width() << "x" << screen.height() << " ppi " << ScreenPixelsPerInch() << "\n";
    form->close();
    std::cout << folder.Read("kvFormPct.ini") << "\n";
}

} // namespace
