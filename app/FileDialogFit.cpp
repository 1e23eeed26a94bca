#include "FileDialogFit.h"

#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QLayout>
#include <QListView>
#include <QLocale>
#include <QSplitter>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

namespace {

constexpr int SizeColumn = 1;
constexpr int DateColumn = 3;

// The widest size the list can show, in the form the list writes it (two decimals and a binary
// unit): just under the next unit, for every unit a file can reach. Qt's own width is that of
// "128.88 GB" with no margin, which cuts off "441.00 MiB".
int WidestSizeWidth(const QTreeView& view) {
    const QFontMetrics metrics = view.fontMetrics();
    const QLocale locale = QLocale::system();
    int widest = metrics.horizontalAdvance(locale.formattedDataSize(1023));
    for (qint64 unit = 1024; unit <= (qint64(1) << 40); unit *= 1024)
        widest = std::max(widest, metrics.horizontalAdvance(locale.formattedDataSize(unit * 1024 - 1)));
    return widest;
}

// The widest date the list can show: the 28th, late at night, in every month's name.
int WidestDateWidth(const QTreeView& view) {
    const QFontMetrics metrics = view.fontMetrics();
    int widest = 0;
    for (int month = 1; month <= 12; ++month) {
        const QDateTime sample(QDate(2026, month, 28), QTime(23, 58, 58));
        widest = std::max(widest, metrics.horizontalAdvance(QLocale::system().toString(sample, QLocale::ShortFormat)));
    }
    return widest;
}

// What an item view adds around its text: the focus frame's margin and a pixel on each side,
// and room to spare so that no text meets the next column.
int TextMargins(const QWidget& view) {
    return 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1) + 8;
}

} // namespace

void FitFileDialog(QFileDialog& dialog) {
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* sidebar = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
    auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
    if (list == nullptr || sidebar == nullptr || splitter == nullptr || splitter->count() != 2 ||
        dialog.layout() == nullptr)
        return;
    dialog.ensurePolished();
    list->ensurePolished();
    sidebar->ensurePolished();

    QHeaderView* header = list->header();
    const int size = WidestSizeWidth(*list) + TextMargins(*list);
    if (header->count() > SizeColumn && header->sectionSize(SizeColumn) < size)
        header->resizeSection(SizeColumn, size);
    const int date = WidestDateWidth(*list) + TextMargins(*list);
    if (header->count() > DateColumn && header->sectionSize(DateColumn) < date)
        header->resizeSection(DateColumn, date);

    // Before the first show the splitter holds the sidebar width Qt kept from the last run, if any.
    const int side = std::max(sidebar->sizeHintForColumn(0) + 2 * sidebar->frameWidth() + TextMargins(*sidebar),
                              splitter->sizes().value(0));
    // The list gets the rest of the splitter: room for every column, the frame and a scroll bar.
    const int listWidth = header->length() + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    splitter->setSizes({side, listWidth});
    const QMargins margins = dialog.layout()->contentsMargins();
    const int width = margins.left() + side + splitter->handleWidth() + listWidth + margins.right();
    const QSize hint = dialog.sizeHint();
    dialog.resize(std::max({dialog.width(), hint.width(), width}), std::max(dialog.height(), hint.height()));
}
