#pragma once
// The file-open dialog of the window. It remembers the last file name and filter entry and
// opens with them next time. The chooser that actually asks the user can be replaced, so
// tests never block on a modal dialog.

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Qt's file dialog with one rule of the window's dialog added: a typed path must lie in a
// folder that exists (the file itself need not exist). Anything else is refused with a
// message, and the dialog stays open.
class TPathMustExistDialog : public QFileDialog {
    Q_OBJECT
public:
    using QFileDialog::QFileDialog;
    void accept() override;
};

class TOpenDialog {
public:
    // Filter in the "name|patterns|name|patterns" form, patterns separated by ";".
    QString Filter;
    // 1-based index of the selected filter entry.
    int FilterIndex = 1;
    // The file name chosen last (a full path).
    QString FileName;

    // Shows the dialog; true when the user confirmed a file name (then in FileName).
    bool Execute(QWidget* parent);

    // Entries of the filter as Qt name filters, e.g. "Firebird, Interbase (*.FDB *.GDB)".
    QStringList NameFilters() const;
    // Those of NameFilters whose patterns mean every file ("*.*" or "*").
    QStringList EveryFileNameFilters() const;

    // A chooser gets the dialog (to read and set FileName and FilterIndex) and returns whether
    // the user confirmed. The default shows Qt's own (non-native) file dialog.
    using Chooser = std::function<bool(TOpenDialog& dialog, QWidget* parent)>;
    void SetChooser(Chooser chooser) { chooser_ = std::move(chooser); }

    static bool ShowQtFileDialog(TOpenDialog& dialog, QWidget* parent);
    // Sets up Qt's file dialog from this dialog's filter and last choice. An entry of "*.*"
    // lists every file, names without a dot included.
    void PrepareQtFileDialog(QFileDialog& fileDialog) const;

private:
    Chooser chooser_;
};
