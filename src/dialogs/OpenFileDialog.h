#pragma once
// The open-file dialog of the program's own dialogs, given a filter in the string
// table's form ("description|pattern", pairs joined by "|").

#include <QString>

class QWidget;

namespace parvo {

// "Tutti i files|*.*" → "Tutti i files (*)": on this system a file need not have a dot.
QString QtFileFilter(const QString& filter);

// The full name of the file the user picked; empty when cancelled.
QString ChooseFileToOpen(QWidget* parent, const QString& title, const QString& filter);

} // namespace parvo
