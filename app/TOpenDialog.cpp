#include "TOpenDialog.h"

#include "FileDialogFit.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>

namespace {

// "*.*" means every file where the filter comes from; Qt's wildcard would want a dot in the name.
bool ListsEveryFile(const QStringList& patterns) {
    return patterns.contains(QStringLiteral("*.*")) || patterns.contains(QStringLiteral("*"));
}

// Qt's dialog gives its file list the patterns of the chosen entry; this widens them again for
// an entry that means every file. Qt has done its part by the time the entry is reported.
void ListEveryFileFor(QFileDialog& fileDialog, const QStringList& everyFileEntries, const QString& entry) {
    if (!everyFileEntries.contains(entry))
        return;
    if (auto* model = fileDialog.findChild<QFileSystemModel*>())
        model->setNameFilters({QStringLiteral("*")});
}

} // namespace

void TPathMustExistDialog::accept() {
    const QStringList files = selectedFiles();
    if (fileMode() == AnyFile && !files.isEmpty()) {
        const QFileInfo typed(files.constFirst());
        if (!typed.isDir() && !QFileInfo(typed.absolutePath()).isDir()) {
            QMessageBox::warning(this, windowTitle(),
                                 QDir::toNativeSeparators(typed.filePath()) +
                                     QStringLiteral("\n경로가 없습니다.\n경로가 올바른지 확인하십시오."));
            return;
        }
    }
    QFileDialog::accept();
}

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

QStringList TOpenDialog::EveryFileNameFilters() const {
    const QStringList parts = Filter.split(QLatin1Char('|'));
    const QStringList filters = NameFilters();
    QStringList everyFile;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        if (ListsEveryFile(parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)))
            everyFile << filters[i / 2];
    return everyFile;
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
    const QStringList everyFile = EveryFileNameFilters();
    QObject::connect(
        &fileDialog, &QFileDialog::filterSelected, &fileDialog,
        [&fileDialog, everyFile](const QString& entry) { ListEveryFileFor(fileDialog, everyFile, entry); });
    ListEveryFileFor(fileDialog, everyFile, fileDialog.selectedNameFilter());
    FitFileDialog(fileDialog);
}

bool TOpenDialog::ShowQtFileDialog(TOpenDialog& dialog, QWidget* parent) {
    TPathMustExistDialog fileDialog(parent);
    dialog.PrepareQtFileDialog(fileDialog);
    const QStringList filters = dialog.NameFilters();
    if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty())
        return false;
    dialog.FileName = QDir::toNativeSeparators(fileDialog.selectedFiles().constFirst());
    dialog.FilterIndex = static_cast<int>(filters.indexOf(fileDialog.selectedNameFilter())) + 1;
    return true;
}
