#pragma once

// What a list view shows: its rows, and the text of its n-th shown column (hidden columns
// skipped, in the header's order).

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QString>
#include <QTreeView>

namespace kelvo::test {

inline int ShownRowCount(const QTreeView* view) {
    return view->model()->rowCount();
}

inline QString ShownText(const QTreeView* view, int row, int shownColumn) {
    const QHeaderView* header = view->header();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        if (shownColumn-- == 0)
            return view->model()->index(row, logical).data().toString();
    }
    return QStringLiteral("<no such column>");
}

} // namespace kelvo::test
