#include "gui/print/PrintPreview.h"

#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/events/EventListView.h"
#include "gui/print/PrintEventList.h"
#include "gui/print/PrintMonthCalendar.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
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

// One page on a sheet with a border and a shadow; a click toggles fitted and real size.
class TPaperView : public QWidget {
public:
    explicit TPaperView(TPreviewForm& form) : QWidget(nullptr), form_(form) {
        setObjectName(QStringLiteral("PaperPreview"));
        setAccessibleName(TPreviewForm::tr("Page"));
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        constexpr int shadow = 3;
        QPainter p(this);
        const QRect sheet = rect().adjusted(0, 0, -shadow, -shadow);
        p.fillRect(sheet.translated(shadow, shadow), palette().color(QPalette::Shadow));
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
    void mousePressEvent(QMouseEvent*) override { form_.SetFitted(!form_.Fitted()); }

private:
    TPreviewForm& form_;
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
    auto* zoomButton = new QToolButton(bar);
    zoomButton->setObjectName(QStringLiteral("ZoomButton"));
    zoomButton->setText(tr("&Zoom"));
    zoomButton->setAccessibleName(tr("Zoom"));
    zoomButton->setToolTip(tr("Zoom"));
    zoomButton->setMenu(zoomMenu);
    zoomButton->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(zoomButton);
    bar->addSeparator();
    add(tr("Pa&ge Setup.."), QString(), QStringLiteral("PageSetupAction"), [this] { PageSetup(); });
    add(tr("&Print..."), tr("Print"), QStringLiteral("PrintAction"), [this] { Print(); });
    bar->addSeparator();
    add(tr("C&lose"), tr("Close preview"), QStringLiteral("CloseAction"), [this] { close(); });

    paper_ = new TPaperView(*this);
    scroll_ = new QScrollArea(this);
    scroll_->setAccessibleName(tr("Page preview"));
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setWidget(paper_);
    scroll_->setBackgroundRole(QPalette::Dark);
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
    // The area inside a 6-pixel border, less the room a scroll bar takes where one may show.
    const QSize area = (scroll_->contentsRect().size() - QSize(12, 12)).expandedTo(QSize(10, 10));
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
    paper_->resize(size + QSize(3, 3));
    paper_->update();
}

void TPreviewForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    UpdateView();
}

void TPreviewForm::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int last = static_cast<int>(pages_.Pages.size());
    if (event->key() == Qt::Key_PageDown)
        SetCurrentPage(ctrl ? last : current_ + 1);
    else if (event->key() == Qt::Key_PageUp)
        SetCurrentPage(ctrl ? 1 : current_ - 1);
    else if (event->key() == Qt::Key_Home || event->key() == Qt::Key_End) {
        QScrollBar* bar = ctrl ? scroll_->verticalScrollBar() : scroll_->horizontalScrollBar();
        bar->setValue(event->key() == Qt::Key_Home ? bar->minimum() : bar->maximum());
    } else
        QDialog::keyPressEvent(event);
}

void TPreviewForm::PageSetup() {
    printer_->setPageLayout(layout_);
    auto* dialog = new QPageSetupDialog(printer_.get(), this);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] {
        QPageLayout layout = printer_->pageLayout();
        layout.setUnits(QPageLayout::Millimeter);
        QMarginsF m = layout.margins();
        m = QMarginsF(std::max(m.left(), 6.0), std::max(m.top(), 6.0), std::max(m.right(), 6.0),
                      std::max(m.bottom(), 6.0));
        layout.setMinimumMargins(QMarginsF(0, 0, 0, 0));
        layout.setMargins(m);
        SetPageLayout(layout);
    });
    dialog->open();
}

void TPreviewForm::Print() {
    printer_->setPageLayout(layout_);
    printer_->setFullPage(true);
    printer_->setDocName(windowTitle());
    auto* dialog = new QPrintDialog(printer_.get(), this);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] {
        printer_->setCopyCount(std::max(printer_->copyCount(), 1));
        if (!PrintTo(*printer_))
            ShowBox(this, QMessageBox::Warning, tr("Warning"), tr("The pages cannot be printed."));
    });
    dialog->open();
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
