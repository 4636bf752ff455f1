#pragma once

// Pages of a printable object recorded as pictures in the paper's device pixels, written to a
// PDF file, or replayed to a printer. The same recording serves the preview and the paper.

#include "gui/print/PrintGraphics.h"

#include <QPageLayout>
#include <QPicture>
#include <QString>
#include <vector>

class QPagedPaintDevice;
class QPrinter;

namespace kelvo {

// Pages are recorded at this resolution and scaled to the device's.
inline constexpr int RecordDpi = 300;

// A4 or Letter, with the 7 mm margins of a new preview.
QPageLayout DefaultPageLayout(QPageLayout::Orientation orientation,
                              QPageSize::PageSizeId size = QPageSize::A4);

struct TRecordedPages {
    QSize Paper; // in device pixels at RecordDpi
    std::vector<QPicture> Pages;
    QString Error; // why the recording ended early; empty when complete
};

// Every page of what; an error of the object ends the recording, the pages so far stay.
TRecordedPages RecordPages(IPrintable& what, const QPageLayout& layout);

// Draws pages first..last (1-based, clamped to those recorded; 0: the last) on device, the first
// on its current page. False when it cannot be painted on.
bool PlayPages(const TRecordedPages& pages, QPagedPaintDevice& device, int first = 1, int last = 0);

// Draws page (1-based) with painter, active on device, over the device's whole paper.
void PlayPage(const TRecordedPages& pages, int page, QPainter& painter, const QPaintDevice& device);

// Writes the pages to file; a failure leaves any file there as it was and throws EPrintError.
void WritePdf(IPrintable& what, const QPageLayout& layout, const QString& file,
              const QString& title);

} // namespace kelvo
