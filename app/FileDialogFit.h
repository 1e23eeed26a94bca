#pragma once
// Qt's file dialog opens at a size chosen for short English names. Before it is shown, the size
// column is widened to hold any file size as the list writes it, the modification-date column
// to hold a whole date in the user's format, the sidebar to hold its longest place name, and the
// dialog grows by what the list would otherwise lose.
// Widths the user set wider (Qt keeps them between runs) are left as they are.

class QFileDialog;

void FitFileDialog(QFileDialog& dialog);
