// A menu under each built-in skin (the window's own menu, a text box's context menu): framed all
// round so it stands out from the window it opens over, its lit item inside the frame, and its
// separator an etched line across it.
#include "BuiltInSkinManagerFixture.h"
#include "ReadableColors.h"

#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <algorithm>
#include <vector>

namespace {

using BuiltInSkinMenuTest = BuiltInSkinManagerTest;

struct PaintedMenu {
    QImage Picture;
    QRect Separator;
};

// The menu as it shows, with its second item lit or none.
PaintedMenu Paint(bool lit) {
    QMenu menu;
    menu.addAction(QStringLiteral("이동(&M)"));
    menu.addAction(QStringLiteral("크기 조정(&S)"));
    const QAction* separator = menu.addSeparator();
    menu.addAction(QStringLiteral("닫기(&C)"))->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    menu.popup(QPoint(10, 10));
    if (lit)
        menu.setActiveAction(menu.actions().at(1));
    QCoreApplication::processEvents();
    return {menu.grab().toImage(), menu.actionGeometry(const_cast<QAction*>(separator))};
}

QRect Changed(const QImage& a, const QImage& b) {
    QRect changed;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    return changed;
}

} // namespace

TEST_P(BuiltInSkinMenuTest, AMenuIsFramedWithItsLitItemAndSeparatorInside) {
    const PaintedMenu painted = Paint(false);
    const QImage& menu = painted.Picture;
    const QImage lit = Paint(true).Picture;
    const QColor window = QApplication::palette().color(QPalette::Window);
    const int frame = QApplication::style()->pixelMetric(QStyle::PM_MenuPanelWidth);
    ASSERT_GE(frame, 1);
    const QColor inside(menu.pixel(frame, frame)); // between the frame and the items
    const QRect all = menu.rect();

    // The outermost ring, all round, stands out from the menu's inside and from the window.
    std::vector<QPoint> ring;
    for (int x = 0; x < all.width(); ++x)
        ring.insert(ring.end(), {QPoint(x, 0), QPoint(x, all.bottom())});
    for (int y = 0; y < all.height(); ++y)
        ring.insert(ring.end(), {QPoint(0, y), QPoint(all.right(), y)});
    double weakest = 100;
    for (const QPoint& p : ring)
        weakest = std::min({weakest, ContrastRatio(QColor(menu.pixel(p)), inside),
                            ContrastRatio(QColor(menu.pixel(p)), window)});
    EXPECT_GE(weakest, 1.5) << GetParam();

    // The lit item keeps off the frame.
    const QRect item = Changed(menu, lit);
    ASSERT_FALSE(item.isEmpty()) << GetParam();
    EXPECT_TRUE(all.adjusted(frame + 1, frame + 1, -frame - 1, -frame - 1).contains(item))
        << GetParam() << ": lit item " << item.x() << "," << item.y() << " " << item.width() << "x"
        << item.height();

    // Across the middle of the separator's place runs a line darker than the menu (on DarkGlass
    // too: its dark row is what stands out from the light one).
    ASSERT_FALSE(painted.Separator.isEmpty());
    const int middle = painted.Separator.center().x();
    double separator = 1;
    for (int y = painted.Separator.top(); y <= painted.Separator.bottom(); ++y)
        if (QColor(menu.pixel(middle, y)).lightness() < inside.lightness())
            separator = std::max(separator, ContrastRatio(QColor(menu.pixel(middle, y)), inside));
    EXPECT_GE(separator, 1.2) << GetParam();
}

INSTANTIATE_FOR_EVERY_BUILT_IN_SKIN(BuiltInSkinMenuTest);
