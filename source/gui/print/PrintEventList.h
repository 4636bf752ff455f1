#pragma once

// The printed event list: a ruled table, a bold header row with the captions on every page,
// then the rows as the list shows them, page after page.

#include "gui/print/PrintGraphics.h"

#include <QFont>
#include <QStringList>
#include <vector>

class QTreeView;

namespace kelvo {

class TEvent;

struct TPrintTable {
    QStringList Captions;
    std::vector<int> Widths; // in screen pixels; 0: a hidden column
    std::vector<QStringList> Rows;
};

// The rows, columns (in the order shown), widths and texts of a list view.
TPrintTable TableOfView(const QTreeView& view);
// The eight columns at their default widths, one row per event, as the lists show them at t.
TPrintTable TableOfEvents(const std::vector<TEvent*>& events, double t);

class TPrintEventList : public IPrintable {
public:
    TPrintEventList(TPrintTable table, QFont font);
    // Pages of the rows, each with the header row; a page lower than two rows cannot show any.
    void PrintOn(IPrintTarget& target) override;
    static int RowsPerPage(const QRect& page, int rowHeight);

private:
    TPrintTable table_;
    QFont font_;
};

} // namespace kelvo
