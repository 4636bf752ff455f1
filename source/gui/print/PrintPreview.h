#pragma once

// The print preview: the pages of a printable object recorded as pictures, one shown at a time
// on a paper image that fits the window or shows the real size, paging, page setup (which
// records the pages again) and printing. Modal to its window only, so alarms stay answerable.

#include "core/util/paDateUtils.h"
#include "gui/print/PrintJob.h"
#include "gui/print/PrintPages.h"

#include <QDialog>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QPrinter;
class QScrollArea;

namespace kelvo {

class TEvent;
class TEventListView;
class TPaperView;

enum TZoomState { zsZoomOther, zsZoomToWidth, zsZoomToHeight, zsZoomToFit };

class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    TPreviewForm(std::unique_ptr<IPrintable> page, QPageLayout layout, QWidget* parent);
    ~TPreviewForm() override;

    const QPageLayout& PageLayout() const { return layout_; }
    const TRecordedPages& Pages() const { return pages_; }
    int CurrentPage() const { return current_; } // 1-based, 0: none
    void SetCurrentPage(int page);
    bool Fitted() const { return state_ == zsZoomToFit; }
    // Fitted, or else the real size (100 %).
    void SetFitted(bool fit);
    TZoomState ZoomState() const { return state_; }
    int Zoom() const { return zoom_; } // percent of the real size, with zsZoomOther
    void SetZoom(TZoomState state, int percent = 100);
    // Records the pages again for another layout, as after page setup.
    void SetPageLayout(const QPageLayout& layout);

    // Replays the recorded pages to printer, within the range its print dialog left.
    bool PrintTo(QPrinter& printer) const;
    // The printer the print and page setup dialogs work on.
    QPrinter& Printer() const { return *printer_; }
    // The print job under way, else null.
    const TPrintJob* Job() const { return job_.get(); }

    QAction* PrevAction() const { return prev_; }
    QAction* NextAction() const { return next_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Record();
    void UpdateView();
    bool ScrollKey(const QKeyEvent& event);
    void PageSetup();
    void Print();
    void StartPrinting();
    void EndPrinting(TPrintJob::TOutcome outcome);

    std::unique_ptr<IPrintable> page_;
    QPageLayout layout_;
    TRecordedPages pages_;
    int current_ = 0;
    TZoomState state_ = zsZoomToFit;
    int zoom_ = 100;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<TPrintJob> job_; // before printer_ goes, so an unfinished job is aborted
    QDialog* progress_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    TPaperView* paper_ = nullptr;
    QLabel* status_ = nullptr;
    QAction* prev_ = nullptr;
    QAction* next_ = nullptr;
    QAction* original_ = nullptr;
    QAction* fitAction_ = nullptr;
    QAction* setupAction_ = nullptr;
    QAction* printAction_ = nullptr;
};

// "&Calendar Preview...": the five weeks from first, landscape.
TPreviewForm* ShowCalendarPreview(QWidget* parent, TDateTime first,
                                  const std::vector<TEvent*>& events);
// "&Event List Preview...": the rows of the list as shown, portrait; an empty list is refused.
TPreviewForm* ShowListPreview(QWidget* parent, const TEventListView& list);

} // namespace kelvo
