// The rows of a list under each built-in skin, drawn by the application style as the file
// dialog's lists are: the row under the mouse is a faint tint, never taken for the selected row,
// and the selected row stands out from the list with its text readable on it.
#include "BuiltInSkinPackages.h"
#include "ReadableColors.h"
#include "SkinAttachments.h"
#include "TsSkinManager.h"

#include <QApplication>
#include <QHoverEvent>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

class BuiltInSkinRowsTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        RegisterSkinAttachments();
        manager = std::make_unique<TsSkinManager>();
        manager->SetIsDefault(true);
        manager->AnimEffects.SkinChanging.Active = false;
        manager->BeginLoading();
        for (const BuiltInSkinPackage& package : BuiltInSkinPackages()) {
            TsStoredSkin skin;
            skin.Name = QString::fromLatin1(package.Name);
            skin.Data = BuiltInSkinPackageData(package);
            manager->InternalSkins.push_back(skin);
        }
        manager->SetSkinName(QString::fromLatin1(GetParam()) + QStringLiteral(" (internal)"));
        manager->Loaded();
    }
    void TearDown() override { manager.reset(); }

    std::unique_ptr<TsSkinManager> manager;
};

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

INSTANTIATE_TEST_SUITE_P(EveryBuiltInSkin, BuiltInSkinRowsTest,
                         ::testing::Values("BluePlastic", "DarkGlass", "LongHorn", "Neutral2", "NextAlpha"));
