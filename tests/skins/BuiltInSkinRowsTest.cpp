// The rows of a list under each built-in skin, drawn by the application style as the file
// dialog's lists are: the row under the mouse is a faint tint, never taken for the selected row,
// and the selected row stands out from the list with its text readable on it.
#include "BuiltInSkinManagerFixture.h"
#include "ReadableColors.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QHoverEvent>
#include <QTreeWidget>

namespace {

using BuiltInSkinRowsTest = BuiltInSkinManagerTest;

// What a row shows where no text is: in the middle of its empty second column, and on its top
// edge, where a selection's frame runs.
struct RowLook {
    QColor Fill;
    QColor Edge;
};

RowLook LookOf(const QImage& picture, const QRect& row, int x) {
    return {picture.pixelColor(x, row.center().y()), picture.pixelColor(x, row.top())};
}

// How far a row shows against another: by its fill or by its frame, whichever is stronger.
double Apart(const RowLook& a, const RowLook& b) {
    return std::max(ContrastRatio(a.Fill, b.Fill), ContrastRatio(a.Edge, b.Edge));
}

// The text pixel that stands out most from the fill.
double TextContrast(const QImage& picture, const QRect& text, const QColor& fill) {
    double most = 1;
    for (int y = text.top(); y <= text.bottom(); ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            most = std::max(most, ContrastRatio(picture.pixelColor(x, y), fill));
    return most;
}

} // namespace

TEST_P(BuiltInSkinRowsTest, TheRowUnderTheMouseIsAFaintTintAndTheSelectedRowStandsOut) {
    QWidget parent;
    auto* list = new QTreeWidget(&parent);
    list->setGeometry(0, 0, 320, 140);
    list->setColumnCount(2);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setColumnWidth(0, 160);
    for (const char* name : {"alpha.fdb", "bravo.fdb", "charlie.fdb", "delta.fdb"})
        new QTreeWidgetItem(list, {QString::fromLatin1(name)});
    QTreeWidgetItem* selected = list->topLevelItem(1);
    QTreeWidgetItem* hovered = list->topLevelItem(3);
    selected->setSelected(true);
    const QPoint pointer = list->visualItemRect(hovered).center();
    QHoverEvent hover(QEvent::HoverMove, pointer, pointer, QPoint(-1, -1));
    QApplication::sendEvent(list->viewport(), &hover);

    const QImage picture = list->viewport()->grab().toImage();
    const int x = 240;
    const RowLook plain = LookOf(picture, list->visualItemRect(list->topLevelItem(0)), x);
    const RowLook tint = LookOf(picture, list->visualItemRect(hovered), x);
    const QRect selectedRow = list->visualItemRect(selected);
    const RowLook selection = LookOf(picture, selectedRow, x);

    EXPECT_GE(Apart(selection, plain), 1.5) << "the selected row stands out from the list";
    EXPECT_GE(Apart(tint, plain), 1.05) << "the row under the mouse shows";
    EXPECT_LT(ContrastRatio(tint.Fill, plain.Fill), ContrastRatio(selection.Fill, plain.Fill))
        << "the row under the mouse is the weaker";
    EXPECT_GE(Apart(tint, selection), 1.3) << "the row under the mouse is not taken for the selected one";
    const QRect text = selectedRow.adjusted(4, 3, 0, -3).intersected(QRect(0, 0, 150, picture.height()));
    EXPECT_GE(TextContrast(picture, text, selection.Fill), 4.5) << "the selected row's text reads well";
}

INSTANTIATE_FOR_EVERY_BUILT_IN_SKIN(BuiltInSkinRowsTest);

// A drop-down list (the file dialog's "Look in" and "Files of type") draws its items as menu
// items; the current one, which Enter will choose, stands out by its fill or by its frame.
TEST_P(BuiltInSkinRowsTest, TheCurrentItemOfADropDownListStandsOut) {
    QWidget parent;
    auto* combo = new QComboBox(&parent);
    combo->setGeometry(0, 0, 200, 22);
    combo->addItems({QStringLiteral("alpha"), QStringLiteral("bravo"), QStringLiteral("charlie")});
    parent.show();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(list->model()->index(1, 0));
    const QImage picture = list->viewport()->grab().toImage();
    combo->hidePopup();
    const int x = list->viewport()->width() - 12;
    const RowLook plain = LookOf(picture, list->visualRect(list->model()->index(0, 0)), x);
    const RowLook current = LookOf(picture, list->visualRect(list->model()->index(1, 0)), x);
    const QRect currentRow = list->visualRect(list->model()->index(1, 0));
    const double fill = ContrastRatio(current.Fill, plain.Fill);
    // The frame where it is strongest, along the item's height.
    double edge = 1;
    for (int y = currentRow.top(); y <= currentRow.bottom(); ++y)
        edge = std::max(edge, ContrastRatio(picture.pixelColor(x, y), plain.Fill));
    EXPECT_TRUE(fill >= 1.5 || edge >= 3.0) << "fill " << fill << ":1, frame " << edge << ":1";
}

// Right of the last column the header goes on as an empty section, not as the window behind it.
TEST_P(BuiltInSkinRowsTest, TheHeaderRightOfTheLastColumnIsAnEmptySection) {
    QWidget parent;
    auto* list = new QTreeWidget(&parent);
    list->setGeometry(0, 0, 400, 120);
    list->setColumnCount(2);
    list->setHeaderLabels({QString(), QString()});
    list->header()->setStretchLastSection(false);
    list->setColumnWidth(0, 100);
    list->setColumnWidth(1, 100);
    const QImage picture = list->header()->grab().toImage();
    const int y = picture.height() / 2;
    const QColor section = picture.pixelColor(150, y), empty = picture.pixelColor(320, y);
    EXPECT_EQ(empty, section) << empty.name().toStdString() << " against the section's "
                              << section.name().toStdString();
}
