#include "TOpenDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

bool TOpenDialog::Execute(QWidget* parent) {
    return chooser_ ? chooser_(*this, parent) : ShowQtFileDialog(*this, parent);
}

QStringList TOpenDialog::NameFilters() const {
    const QStringList parts = Filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

void TOpenDialog::PrepareQtFileDialog(QFileDialog& fileDialog) const {
    // Qt's own dialog rather than the desktop's, so the window's look applies to it too.
    fileDialog.setOption(QFileDialog::DontUseNativeDialog, true);
    fileDialog.setOption(QFileDialog::ReadOnly, false);
    fileDialog.setFileMode(QFileDialog::AnyFile);
    fileDialog.setAcceptMode(QFileDialog::AcceptOpen);
    fileDialog.setSizeGripEnabled(true);
    // Database files are named in any letter case: shop.fdb must show under *.FDB.
    fileDialog.setFilter(fileDialog.filter() & ~QDir::CaseSensitive);
    const QStringList filters = NameFilters();
    fileDialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
        fileDialog.selectNameFilter(filters[FilterIndex - 1]);
    if (!FileName.isEmpty()) {
        const QFileInfo last(FileName);
        fileDialog.setDirectory(last.absolutePath());
        fileDialog.selectFile(last.fileName());
    }
}

bool TOpenDialog::ShowQtFileDialog(TOpenDialog& dialog, QWidget* parent) {
    QFileDialog fileDialog(parent);
    dialog.PrepareQtFileDialog(fileDialog);
    const QStringList filters = dialog.NameFilters();
    if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty())
        return false;
    dialog.FileName = QDir::toNativeSeparators(fileDialog.selectedFiles().constFirst());
    dialog.FilterIndex = static_cast<int>(filters.indexOf(fileDialog.selectedNameFilter())) + 1;
    return true;
}
