#pragma once

// Recorded pages replayed to a printer a page at a time from the event loop, so that the windows
// stay answerable while a long document prints. A cancel stops between pages and aborts the job.
// Printing to a file writes beside it and renames over it once complete, so a cancelled or failed
// job leaves the file that was there as it was.

#include "gui/print/PrintPages.h"

#include <QObject>
#include <QPainter>
#include <QTimer>

class QPrinter;

namespace kelvo {

class TPrintJob : public QObject {
    Q_OBJECT
public:
    enum TOutcome { Complete, Cancelled, Failed };

    // Pages first..last (1-based, clamped to those recorded). printer must outlive the job.
    TPrintJob(TRecordedPages pages, QPrinter& printer, int first, int last);
    // A job still running is aborted.
    ~TPrintJob() override;

    // Opens the job and prints its first page on the next turn of the event loop.
    void Start();
    // Between pages: aborts the job.
    void Cancel();

    bool Running() const { return painter_.isActive(); }
    int Count() const { return last_ - first_ + 1; }
    int Printed() const { return printed_; }

signals:
    void Progress(int printed, int count);
    void Finished(kelvo::TPrintJob::TOutcome outcome);

private:
    void PrintNext();
    void Finish(TOutcome outcome);
    // Back to the file the user chose; a complete job's output is moved over it.
    bool RestoreOutput(bool keep);

    TRecordedPages pages_;
    QPrinter& printer_;
    int first_;
    int last_;
    int printed_ = 0;
    QString output_; // the file chosen, printed through temporary_
    QString temporary_;
    QPainter painter_;
    QTimer next_;
};

} // namespace kelvo
