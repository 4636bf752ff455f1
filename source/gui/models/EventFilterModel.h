#pragma once

// Sorting and filtering of TEventListModel's rows: by template, by a period the next arising
// falls in, by a text in the name. No filter set shows every row in the notebook's order.

#include "core/util/paDateUtils.h"

#include <QSortFilterProxyModel>
#include <QString>

namespace kelvo {

class TEvent;

class TEventFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit TEventFilterModel(QObject* parent = nullptr);

    // Events filed under that template; empty: any.
    void SetTemplate(const QString& name);
    // Events whose next arising lies within [from, to]; NullDate for both: any.
    void SetPeriod(TDateTime from, TDateTime to);
    // Events whose name holds the text, without regard to case; empty: any.
    void SetText(const QString& text);

    TEvent* EventAt(int row) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString template_;
    TDateTime from_ = NullDate;
    TDateTime to_ = NullDate;
    QString text_;
};

} // namespace kelvo
