#include "gui/print/PrintPreview.h"

#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/events/EventListView.h"
#include "gui/print/PrintEventList.h"
#include "gui/print/PrintMonthCalendar.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace kelvo {

namespace {

// A magnifying glass with a plus (in) or a minus, drawn at the screen's device pixel ratio.
QCursor ZoomCursor(bool in, qreal ratio) {
    QPixmap pixmap(QSize(32, 32) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(12.5, 12.5);
    // A white halo keeps the glass visible on the black lines of a page.
    for (const double halo : {2.0, 0.0}) {
        const QColor colour = halo > 0 ? Qt::white : Qt::black;
        p.setPen(QPen(colour, 3 + halo, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(19, 19), QPointF(28, 28));
        p.setPen(QPen(colour, 1.6 + halo));
        p.setBrush(halo > 0 ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
        p.drawEllipse(centre, 8, 8);
    }
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(8.5, 12.5), QPointF(16.5, 12.5));
    if (in)
        p.drawLine(QPointF(12.5, 8.5), QPointF(12.5, 16.5));
    p.end();
    return QCursor(pixmap, 12, 12);
}

} // namespace

// One page on a sheet with a border and a shadow. A click toggles fitted and real size; dragging
// with the left button moves the page with the pointer.
class TPaperView : public QWidget {
public:
    // The sheet lies this far inside the widget, so a page larger than the window starts this
    // far from its edge; the shadow is drawn along the right and bottom edges.
    static constexpr int Edge = 6;
    static constexpr int Shadow = 3;
    static constexpr int Frame = 2 * Edge + Shadow;

    TPaperView(TPreviewForm& form, QScrollArea& area) : QWidget(nullptr), form_(form), area_(area) {
        setObjectName(QStringLiteral("PaperPreview"));
        setAccessibleName(TPreviewForm::tr("Page"));
    }

    // The glass that tells what a click does: enlarge a fitted page, else fit it again.
    void UpdateCursor() {
        if (dragging_)
            return;
        const qreal ratio = devicePixelRatioF();
        if (ratio != ratio_) {
            ratio_ = ratio;
            zoomIn_ = ZoomCursor(true, ratio);
            zoomOut_ = ZoomCursor(false, ratio);
        }
        setCursor(form_.Fitted() ? zoomIn_ : zoomOut_);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect sheet = rect().adjusted(Edge, Edge, -Edge - Shadow, -Edge - Shadow);
        p.fillRect(sheet.translated(Shadow, Shadow), palette().color(QPalette::Shadow));
        p.fillRect(sheet, Qt::white);
        p.setPen(Qt::black);
        p.drawRect(sheet.adjusted(0, 0, -1, -1));
        const TRecordedPages& pages = form_.Pages();
        const int i = form_.CurrentPage() - 1;
        if (i < 0 || i >= static_cast<int>(pages.Pages.size()))
            return;
        const QPicture& picture = pages.Pages[static_cast<std::size_t>(i)];
        p.setClipRect(sheet.adjusted(1, 1, -1, -1));
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(double(sheet.width()) / pages.Paper.width() * picture.logicalDpiX() / logicalDpiX(),
                double(sheet.height()) / pages.Paper.height() * picture.logicalDpiY() /
                    logicalDpiY());
        p.drawPicture(0, 0, picture);
    }
    void mousePressEvent(QMouseEvent* event) override {
        pressed_ = true;
        dragging_ = false;
        grabbed_ = event->globalPosition().toPoint();
        from_ = QPoint(area_.horizontalScrollBar()->value(), area_.verticalScrollBar()->value());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!pressed_ || !(event->buttons() & Qt::LeftButton))
            return;
        const QPoint moved = event->globalPosition().toPoint() - grabbed_;
        if (!dragging_ && moved.manhattanLength() < QApplication::startDragDistance())
            return;
        if (!dragging_) {
            dragging_ = true;
            setCursor(Qt::ClosedHandCursor);
        }
        // The point grabbed stays under the pointer.
        area_.horizontalScrollBar()->setValue(from_.x() - moved.x());
        area_.verticalScrollBar()->setValue(from_.y() - moved.y());
    }
    // The toggle waits for the release, so that a drag does not change the zoom.
    void mouseReleaseEvent(QMouseEvent*) override {
        if (!pressed_)
            return;
        pressed_ = false;
        if (dragging_) {
            dragging_ = false;
            UpdateCursor();
        } else
            form_.SetFitted(!form_.Fitted());
    }

private:
    TPreviewForm& form_;
    QScrollArea& area_;
    bool pressed_ = false;
    bool dragging_ = false;
    QPoint grabbed_; // global
    QPoint from_;    // the scroll bars' values when grabbed
    qreal ratio_ = 0;
    QCursor zoomIn_;
    QCursor zoomOut_;
};

TPreviewForm::TPreviewForm(std::unique_ptr<IPrintable> page, QPageLayout layout, QWidget* parent)
    : QDialog(parent), page_(std::move(page)), layout_(std::move(layout)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(tr("Preview"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);

    auto* bar = new QToolBar(this);
    bar->setAccessibleName(tr("Preview commands"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto add = [this, bar](const QString& text, const QString& tip, const QString& name,
                                 auto run) {
        QAction* a = bar->addAction(text);
        // The caption as the button's text keeps its access key (Alt and the letter).
        a->setIconText(text);
        a->setObjectName(name);
        a->setToolTip(tip.isEmpty() ? QString(text).remove(QLatin1Char('&')) : tip);
        connect(a, &QAction::triggered, this, run);
        return a;
    };
    prev_ = add(tr("Pre&v. Page"), tr("Previous page"), QStringLiteral("PrevPageAction"),
                [this] { SetCurrentPage(current_ - 1); });
    next_ = add(tr("&Next Page"), tr("Next page"), QStringLiteral("NextPageAction"),
                [this] { SetCurrentPage(current_ + 1); });
    bar->addSeparator();
    original_ = add(tr("&Original"), tr("Original size"), QStringLiteral("Zoom100Action"),
                    [this] { SetFitted(!original_->isChecked()); });
    fitAction_ = add(tr("Zoom to &Fit"), tr("Fit to page"), QStringLiteral("ZoomFitToPageAction"),
                     [this] { SetFitted(fitAction_->isChecked()); });
    original_->setCheckable(true);
    fitAction_->setCheckable(true);
    auto* zoomMenu = new QMenu(this);
    for (const int percent : {500, 200, 150, 100, 75, 50})
        zoomMenu->addAction(tr("%1%").arg(percent), this,
                            [this, percent] { SetZoom(zsZoomOther, percent); });
    zoomMenu->addAction(tr("Fit to page"), this, [this] { SetZoom(zsZoomToFit); });
    zoomMenu->addAction(tr("Fit to width"), this, [this] { SetZoom(zsZoomToWidth); });
    zoomMenu->addAction(tr("Fit to height"), this, [this] { SetZoom(zsZoomToHeight); });
    auto* zoomButton = new QToolButton(bar);
    zoomButton->setObjectName(QStringLiteral("ZoomButton"));
    zoomButton->setText(tr("&Zoom"));
    zoomButton->setAccessibleName(tr("Zoom"));
    zoomButton->setToolTip(tr("Zoom"));
    zoomButton->setMenu(zoomMenu);
    zoomButton->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(zoomButton);
    bar->addSeparator();
    setupAction_ = add(tr("Pa&ge Setup.."), QString(), QStringLiteral("PageSetupAction"),
                       [this] { PageSetup(); });
    printAction_ =
        add(tr("&Print..."), tr("Print"), QStringLiteral("PrintAction"), [this] { Print(); });
    bar->addSeparator();
    add(tr("C&lose"), tr("Close preview"), QStringLiteral("CloseAction"), [this] { close(); });

    scroll_ = new QScrollArea(this);
    scroll_->setAccessibleName(tr("Page preview"));
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->horizontalScrollBar()->setSingleStep(8);
    scroll_->verticalScrollBar()->setSingleStep(8);
    scroll_->installEventFilter(this);
    paper_ = new TPaperView(*this, *scroll_);
    scroll_->setWidget(paper_);
    auto* statusBar = new QStatusBar(this);
    status_ = new QLabel(statusBar);
    statusBar->addWidget(status_);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(bar);
    box->addWidget(scroll_, 1);
    box->addWidget(statusBar);
    resize(900, 700);
    scroll_->setFocus();
    Record();
}

TPreviewForm::~TPreviewForm() = default;

void TPreviewForm::Record() {
    pages_ = RecordPages(*page_, layout_);
    current_ = pages_.Pages.empty() ? 0 : 1;
    UpdateView();
    // Told once the preview is open, over it; the pages so far stay.
    if (!pages_.Error.isEmpty())
        QTimer::singleShot(0, this, [this, error = pages_.Error] {
            ShowBox(this, QMessageBox::Warning, tr("Warning"), error);
        });
}

void TPreviewForm::SetPageLayout(const QPageLayout& layout) {
    layout_ = layout;
    Record();
}

void TPreviewForm::SetCurrentPage(int page) {
    const int count = static_cast<int>(pages_.Pages.size());
    if (count == 0)
        return;
    current_ = std::clamp(page, 1, count);
    UpdateView();
}

void TPreviewForm::SetFitted(bool fit) {
    SetZoom(fit ? zsZoomToFit : zsZoomOther, 100);
}

void TPreviewForm::SetZoom(TZoomState state, int percent) {
    state_ = state;
    zoom_ = std::clamp(percent, 1, 1000);
    UpdateView();
}

void TPreviewForm::UpdateView() {
    const int count = static_cast<int>(pages_.Pages.size());
    prev_->setEnabled(current_ > 1);
    next_->setEnabled(current_ < count);
    original_->setChecked(state_ == zsZoomOther && zoom_ == 100);
    fitAction_->setChecked(state_ == zsZoomToFit);
    status_->setText(tr("Page %1 of %2").arg(current_).arg(count));
    const QSize paper = pages_.Paper.isEmpty() ? QSize(210, 297) : pages_.Paper;
    // The area inside a 6-pixel border and the shadow, less the room a scroll bar takes where one
    // may show.
    const QSize area =
        (scroll_->contentsRect().size() - QSize(TPaperView::Frame, TPaperView::Frame))
            .expandedTo(QSize(10, 10));
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize size;
    Qt::ScrollBarPolicy horizontal = Qt::ScrollBarAlwaysOff;
    Qt::ScrollBarPolicy vertical = Qt::ScrollBarAlwaysOff;
    switch (state_) {
    case zsZoomToFit:
        size = paper.scaled(area, Qt::KeepAspectRatio);
        break;
    case zsZoomToWidth:
        size = paper.scaled(QSize(area.width() - bar, 1), Qt::KeepAspectRatioByExpanding);
        vertical = Qt::ScrollBarAsNeeded;
        break;
    case zsZoomToHeight:
        size = paper.scaled(QSize(1, area.height() - bar), Qt::KeepAspectRatioByExpanding);
        horizontal = Qt::ScrollBarAsNeeded;
        break;
    case zsZoomOther:
        // The recording's pixels at the screen's pixels per inch, times the zoom.
        size = paper * (double(logicalDpiX()) / RecordDpi * zoom_ / 100.0);
        horizontal = vertical = Qt::ScrollBarAsNeeded;
        break;
    }
    scroll_->setHorizontalScrollBarPolicy(horizontal);
    scroll_->setVerticalScrollBarPolicy(vertical);
    paper_->resize(size + QSize(TPaperView::Frame, TPaperView::Frame));
    paper_->UpdateCursor();
    paper_->update();
}

void TPreviewForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    UpdateView();
}

void TPreviewForm::keyPressEvent(QKeyEvent* event) {
    if (!ScrollKey(*event))
        QDialog::keyPressEvent(event);
}

// The paging and scrolling keys are the preview's, also where the page area has the focus.
bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_ && event->type() == QEvent::KeyPress)
        return ScrollKey(static_cast<const QKeyEvent&>(*event));
    return QDialog::eventFilter(watched, event);
}

bool TPreviewForm::ScrollKey(const QKeyEvent& event) {
    const bool ctrl = event.modifiers() & Qt::ControlModifier;
    QScrollBar* across = scroll_->horizontalScrollBar();
    QScrollBar* down = scroll_->verticalScrollBar();
    const auto step = [ctrl](QScrollBar* bar, int sign) {
        bar->setValue(bar->value() + sign * (ctrl ? bar->pageStep() : bar->singleStep()));
    };
    switch (event.key()) {
    case Qt::Key_PageDown:
        SetCurrentPage(ctrl ? static_cast<int>(pages_.Pages.size()) : current_ + 1);
        break;
    case Qt::Key_PageUp:
        SetCurrentPage(ctrl ? 1 : current_ - 1);
        break;
    case Qt::Key_Home:
        (ctrl ? down : across)->setValue((ctrl ? down : across)->minimum());
        break;
    case Qt::Key_End:
        (ctrl ? down : across)->setValue((ctrl ? down : across)->maximum());
        break;
    case Qt::Key_Left:
        step(across, -1);
        break;
    case Qt::Key_Right:
        step(across, 1);
        break;
    case Qt::Key_Up:
        step(down, -1);
        break;
    case Qt::Key_Down:
        step(down, 1);
        break;
    default:
        return false;
    }
    return true;
}

void TPreviewForm::PageSetup() {
    if (job_)
        return;
    printer_->setPageLayout(layout_);
    QPointer<TPreviewForm> self(this);
    QPointer<QPageSetupDialog> dialog = new QPageSetupDialog(printer_.get(), this);
    dialog->setWindowModality(Qt::WindowModal);
    // Only exec() hands the dialog's choice to the printer.
    const int answer = dialog->exec();
    if (!self)
        return;
    delete dialog;
    if (answer != QDialog::Accepted)
        return;
    QPageLayout layout = printer_->pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    QMarginsF m = layout.margins();
    m = QMarginsF(std::max(m.left(), 6.0), std::max(m.top(), 6.0), std::max(m.right(), 6.0),
                  std::max(m.bottom(), 6.0));
    layout.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    layout.setMargins(m);
    layout.setMode(QPageLayout::StandardMode);
    SetPageLayout(layout);
}

void TPreviewForm::Print() {
    if (job_)
        return;
    printer_->setPageLayout(layout_);
    printer_->setFullPage(true);
    printer_->setDocName(windowTitle());
    auto* dialog = new QPrintDialog(printer_.get(), this);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, &TPreviewForm::StartPrinting);
    dialog->open();
}

void TPreviewForm::StartPrinting() {
    printer_->setCopyCount(std::max(printer_->copyCount(), 1));
    const bool range = printer_->printRange() == QPrinter::PageRange && printer_->fromPage() > 0;
    job_ = std::make_unique<TPrintJob>(pages_, *printer_, range ? printer_->fromPage() : 1,
                                       range ? printer_->toPage() : 0);

    progress_ = new QDialog(this);
    progress_->setObjectName(QStringLiteral("PrintProgress"));
    progress_->setWindowTitle(tr("Printing"));
    progress_->setWindowModality(Qt::WindowModal);
    auto* label = new QLabel(tr("Printing page %1 of %2").arg(1).arg(job_->Count()), progress_);
    auto* bar = new QProgressBar(progress_);
    bar->setAccessibleName(tr("Pages printed"));
    bar->setRange(0, job_->Count());
    bar->setValue(0);
    auto* cancel = new QPushButton(tr("Cancel"), progress_);
    cancel->setObjectName(QStringLiteral("CancelPrintButton"));
    cancel->setAccessibleName(tr("Cancel printing"));
    auto* box = new QVBoxLayout(progress_);
    box->addWidget(label);
    box->addWidget(bar);
    box->addWidget(cancel, 0, Qt::AlignRight);
    progress_->setMinimumWidth(progress_->fontMetrics().averageCharWidth() * 40);
    // Esc and the window's close button cancel as well.
    connect(progress_, &QDialog::rejected, job_.get(), &TPrintJob::Cancel);
    connect(cancel, &QPushButton::clicked, progress_, &QDialog::reject);
    connect(job_.get(), &TPrintJob::Progress, progress_,
            [label, bar, count = job_->Count()](int printed) {
                bar->setValue(printed);
                label->setText(
                    tr("Printing page %1 of %2").arg(std::min(printed + 1, count)).arg(count));
            });
    connect(job_.get(), &TPrintJob::Finished, this, &TPreviewForm::EndPrinting);
    setupAction_->setEnabled(false);
    printAction_->setEnabled(false);
    progress_->open();
    job_->Start();
}

void TPreviewForm::EndPrinting(TPrintJob::TOutcome outcome) {
    // Told from inside the job: it goes once the event loop has it back.
    job_.release()->deleteLater();
    if (progress_) {
        // Closed by the job's end, which is no cancel.
        disconnect(progress_, &QDialog::rejected, nullptr, nullptr);
        progress_->hide();
        progress_->deleteLater();
        progress_ = nullptr;
    }
    setupAction_->setEnabled(true);
    printAction_->setEnabled(true);
    if (outcome == TPrintJob::Cancelled)
        status_->setText(tr("Printing cancelled."));
    else if (outcome == TPrintJob::Failed)
        ShowBox(this, QMessageBox::Warning, tr("Warning"), tr("The pages cannot be printed."));
}

bool TPreviewForm::PrintTo(QPrinter& printer) const {
    // The print dialog's page range; without one every page.
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0)
        return PlayPages(pages_, printer, printer.fromPage(), printer.toPage());
    return PlayPages(pages_, printer);
}

TPreviewForm* ShowCalendarPreview(QWidget* parent, TDateTime first,
                                  const std::vector<TEvent*>& events) {
    auto page = std::make_unique<TPrintMonthCalendar>(first, FirstDayOfWeek());
    page->PlaceEvents(events);
    auto* form =
        new TPreviewForm(std::move(page), DefaultPageLayout(QPageLayout::Landscape), parent);
    form->open();
    form->setWindowState(form->windowState() | Qt::WindowMaximized);
    return form;
}

TPreviewForm* ShowListPreview(QWidget* parent, const TEventListView& list) {
    if (list.EventRowCount() == 0) {
        ShowBox(parent, QMessageBox::Information, TPreviewForm::tr("Information"),
                TPreviewForm::tr("Empty event list. Nothing to print."));
        return nullptr;
    }
    auto page = std::make_unique<TPrintEventList>(TableOfView(*list.DetailsView()), list.font());
    auto* form =
        new TPreviewForm(std::move(page), DefaultPageLayout(QPageLayout::Portrait), parent);
    form->open();
    form->setWindowState(form->windowState() | Qt::WindowMaximized);
    return form;
}

} // namespace kelvo
