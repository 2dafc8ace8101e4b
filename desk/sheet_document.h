// The calculation sheet (sheet.h) laid out as a document of A4 pages, as the
// page prints it: the heading, the inputs and the results, then each side
// table with its chart (drawn by chart_painter, as lines and text, not a
// picture) and its rows, the heads repeated on every page a table runs on.
// Printed through Qt's print dialog, or written as PDF without one.
#pragma once

#include <QString>

#include "sheet.h"

class QPrinter;

namespace milfo {

void printSheet(const CalculationSheet& sheet, QPrinter& printer);

// False when the file cannot be written.
bool writeSheetPdf(const CalculationSheet& sheet, const QString& path);

}  // namespace milfo
