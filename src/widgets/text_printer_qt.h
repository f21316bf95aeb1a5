// Prints plain text lines in a chosen font inside margins of kPrintMarginMm on
// every side: a line wider than the page goes on in the printed lines below it
// (broken between words), and a new page begins when one is full.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QPrinter;

namespace brackle {

inline constexpr double kPrintMarginMm = 18.0;

// False with the reason in *error when the printer could not be started or failed.
bool PrintLines(QPrinter& printer, const QFont& font, const QStringList& lines, QString* error);

}  // namespace brackle
