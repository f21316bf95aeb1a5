// Prints plain text lines, one printed line per line, in a chosen font; a new
// page begins when one is full.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QPrinter;

namespace brackle {

// False with the reason in *error when the printer could not be started or failed.
bool PrintLines(QPrinter& printer, const QFont& font, const QStringList& lines, QString* error);

}  // namespace brackle
