#pragma once

// The estimate on paper: its name, the date, the table and the totals, as
// one document for the printer and for PDF.

#include "estimate/estimate.h"
#include "estimate/file_names.h"

#include <QString>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace tarvik {

// Built with text cursors, never from markup: the name and the lines are
// the user's text and show as typed.
std::unique_ptr<QTextDocument> estimateDocument(const Estimate& estimate, CalendarDate date);

// Lays the document out on the device's pages and paints it there.
void printEstimate(const Estimate& estimate, CalendarDate date, QPagedPaintDevice& device);

// The PDF's bytes, A4 landscape.
QByteArray estimatePdf(const Estimate& estimate, CalendarDate date);

// Today in the user's time zone.
CalendarDate today();

} // namespace tarvik
