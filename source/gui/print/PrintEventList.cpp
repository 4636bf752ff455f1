#include "gui/print/PrintEventList.h"

#include "core/exchange/Csv.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QTreeView>
#include <algorithm>
#include <cmath>

namespace kelvo {

TPrintTable TableOfView(const QTreeView& view) {
    TPrintTable table;
    const QAbstractItemModel* model = view.model();
    const QHeaderView* header = view.header();
    std::vector<int> columns;
    for (int visual = 0; visual < header->count(); ++visual)
        columns.push_back(header->logicalIndex(visual));
    for (int c : columns) {
        table.Captions << model->headerData(c, Qt::Horizontal).toString();
        table.Widths.push_back(header->isSectionHidden(c) ? 0 : header->sectionSize(c));
    }
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c : columns)
            row << model->index(r, c).data().toString();
        table.Rows.push_back(row);
    }
    return table;
}

TPrintTable TableOfEvents(const std::vector<TEvent*>& events, double t) {
    static const int widths[] = {220, 160, 160, 160, 90, 100, 70, 200};
    TPrintTable table;
    for (const std::string& c : EventListCaptions())
        table.Captions << QString::fromStdString(c);
    table.Widths.assign(std::begin(widths), std::end(widths));
    for (TEvent* e : events) {
        QStringList row;
        for (const std::string& cell : EventListCells(*e, t, t))
            row << QString::fromStdString(cell);
        table.Rows.push_back(row);
    }
    return table;
}

TPrintEventList::TPrintEventList(TPrintTable table, QFont font)
    : table_(std::move(table)), font_(std::move(font)) {}

int TPrintEventList::RowsPerPage(const QRect& page, int rowHeight) {
    return rowHeight > 0 ? page.height() / rowHeight : 0;
}

void TPrintEventList::PrintOn(IPrintTarget& target) {
    const TpaDPI& dpi = target.Dpi();
    const QRect p = target.PageRect();
    QPainter& canvas = target.Canvas();
    QFont font = font_;
    if (font.pixelSize() <= 0)
        font.setPixelSize(
            std::max(1, static_cast<int>(std::lround(font.pointSizeF() * dpi.Y() / 72))));
    QFont bold = font;
    bold.setBold(true);
    const int t = QFontMetrics(font, canvas.device()).height();
    const int d = RowsPerPage(p, t);
    // A page that holds the header but no row would never end.
    if (d < 2)
        throw EPrintError(
            QCoreApplication::translate("kelvo::TPrintEventList", "Failed to print grid!")
                .toStdString());

    const int columns = static_cast<int>(table_.Captions.size());
    TWidths widths;
    widths.Resize(columns);
    for (int i = 0; i < columns; ++i) {
        const int start = widths.Start(i);
        const int w = dpi.ScaleX(table_.Widths[static_cast<std::size_t>(i)]);
        widths.SetWidth(i, std::clamp(p.width() - start, 0, w));
    }
    const int inset = dpi.ScaleX(3);
    const int n = static_cast<int>(table_.Rows.size());
    const int pages = std::max(1, (n + d - 2) / (d - 1));
    int next = 0;
    for (int page = 0; page < pages; ++page) {
        const int m = std::min(d, n - next + 1);
        TWidths heights;
        heights.Resize(m);
        const int each = (m * t - (m - 1)) / m;
        for (int r = 0; r < m; ++r)
            heights.SetWidth(r, each + (r == 0 ? dpi.ScaleX(2) : 0));
        const auto cell = [&](int row, int column) {
            return QRect(p.left() + widths.Start(column) + inset, p.top() + heights.Start(row),
                         std::max(0, widths.Width(column) - 2 * inset), heights.Width(row));
        };
        canvas.save();
        canvas.setPen(QPen(Qt::black, 1));
        canvas.setFont(bold);
        for (int c = 0; c < columns; ++c)
            if (widths.Width(c) > 0)
                canvas.drawText(cell(0, c), Qt::AlignLeft | Qt::AlignVCenter, table_.Captions[c]);
        canvas.setFont(font);
        for (int r = 1; r < m; ++r, ++next) {
            const QStringList& row = table_.Rows[static_cast<std::size_t>(next)];
            for (int c = 0; c < columns && c < row.size(); ++c)
                if (widths.Width(c) > 0)
                    canvas.drawText(cell(r, c), Qt::AlignLeft | Qt::AlignVCenter, row[c]);
        }
        const int right = p.left() + widths.Start(columns - 1) + widths.Width(columns - 1);
        const int bottom = p.top() + heights.Start(m - 1) + heights.Width(m - 1);
        for (int c = 1; c < columns; ++c) {
            const int x = p.left() + widths.Start(c) - 1;
            if (x < right)
                canvas.drawLine(x, p.top(), x, bottom);
        }
        for (int r = 1; r < m; ++r) {
            const int y = p.top() + heights.Start(r) - 1;
            canvas.drawLine(p.left(), y, right, y);
        }
        canvas.drawRect(QRect(QPoint(p.left(), p.top()), QPoint(right, bottom)));
        canvas.restore();
        if (page + 1 < pages)
            target.NewPage();
    }
}

} // namespace kelvo
