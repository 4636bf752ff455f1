#include "gui/print/PrintPages.h"

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <memory>

namespace kelvo {

namespace {

int Pixels(double mm) {
    return static_cast<int>(std::lround(mm * RecordDpi / 25.4));
}

class TPictureTarget : public IPrintTarget {
public:
    TPictureTarget(TRecordedPages& pages, const QPageLayout& layout) : pages_(pages) {
        const QSizeF paper = layout.fullRect(QPageLayout::Millimeter).size();
        pages_.Paper = QSize(Pixels(paper.width()), Pixels(paper.height()));
        const QMarginsF m = layout.margins(QPageLayout::Millimeter);
        page_ = QRect(QPoint(Pixels(m.left()), Pixels(m.top())),
                      QPoint(pages_.Paper.width() - Pixels(m.right()) - 1,
                             pages_.Paper.height() - Pixels(m.bottom()) - 1));
        Open();
    }
    ~TPictureTarget() override { Close(); }

    QRect PageRect() const override { return page_; }
    const TpaDPI& Dpi() const override { return dpi_; }
    // The same painter on every page, so that a reference to it stays good.
    QPainter& Canvas() override { return painter_; }
    void NewPage() override {
        Close();
        Open();
    }
    void Close() {
        if (!painter_.isActive())
            return;
        painter_.end();
        pages_.Pages.push_back(picture_);
    }

private:
    void Open() {
        picture_ = QPicture();
        picture_.setBoundingRect(QRect(QPoint(0, 0), pages_.Paper));
        if (!painter_.begin(&picture_))
            throw EPrintError("cannot record a page");
        painter_.setRenderHint(QPainter::TextAntialiasing);
    }

    TRecordedPages& pages_;
    QRect page_;
    TpaDPI dpi_{RecordDpi, RecordDpi};
    QPicture picture_;
    QPainter painter_;
};

} // namespace

QPageLayout DefaultPageLayout(QPageLayout::Orientation orientation, QPageSize::PageSizeId size) {
    return QPageLayout(QPageSize(size), orientation, QMarginsF(7, 7, 7, 7), QPageLayout::Millimeter,
                       QMarginsF(6, 6, 6, 6));
}

TRecordedPages RecordPages(IPrintable& what, const QPageLayout& layout) {
    TRecordedPages pages;
    {
        TPictureTarget target(pages, layout);
        try {
            what.PrintOn(target);
        } catch (const std::exception& e) {
            pages.Error = QString::fromStdString(e.what());
        }
    }
    return pages;
}

void PlayPage(const TRecordedPages& pages, int page, QPainter& painter,
              const QPaintDevice& device) {
    // A picture replayed on a device of another resolution is scaled by the ratio of the two.
    const QPicture& picture = pages.Pages[static_cast<std::size_t>(page - 1)];
    const double sx =
        double(device.width()) / pages.Paper.width() * picture.logicalDpiX() / device.logicalDpiX();
    const double sy = double(device.height()) / pages.Paper.height() * picture.logicalDpiY() /
                      device.logicalDpiY();
    painter.save();
    painter.scale(sx, sy);
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

bool PlayPages(const TRecordedPages& pages, QPagedPaintDevice& device, int first, int last) {
    const int count = static_cast<int>(pages.Pages.size());
    first = std::max(first, 1);
    last = last <= 0 ? count : std::min(last, count);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int i = first; i <= last; ++i) {
        if (i > first)
            device.newPage();
        PlayPage(pages, i, painter, device);
    }
    return painter.end();
}

void WritePdf(IPrintable& what, const QPageLayout& layout, const QString& file,
              const QString& title) {
    const TRecordedPages pages = RecordPages(what, layout);
    if (!pages.Error.isEmpty())
        throw EPrintError(pages.Error.toStdString());
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("kelvo-cli"));
        pdf.setResolution(RecordDpi);
        QPageLayout full = layout;
        full.setMode(QPageLayout::FullPageMode);
        pdf.setPageLayout(full);
        if (!PlayPages(pages, pdf))
            throw EPrintError("cannot draw the pages");
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw EPrintError(file.toStdString() + ": " + out.errorString().toStdString());
}

} // namespace kelvo
