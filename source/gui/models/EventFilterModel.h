#pragma once

// Sorting and filtering of TEventListModel's rows: by template, by a period the next arising
// falls in, by a text in the name. No filter set shows every row in the notebook's order.

#include "core/util/paDateUtils.h"

#include <QPointer>
#include <QSortFilterProxyModel>
#include <QString>
#include <unordered_set>
#include <vector>

namespace kelvo {

class TEvent;
class TEventTemplate;

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

    // Whether the source's template rows are shown (before the events when sorted ascending).
    void SetShowTemplates(bool show);
    bool ShowsTemplates() const { return showTemplates_; }

    // Only these events (a page that computes its own rows); cleared: no such filter.
    void SetEvents(const std::vector<TEvent*>& events);
    void ClearEvents();
    // No row at all, template rows neither, until the next SetEvents or ClearEvents (a
    // hidden page).
    void Hide();

    // The day up to which counting events count their elapsed time in "Name" (the calendar's
    // selected day); NullDate: now, as the rows were made.
    void SetCountDate(TDateTime day);

    TEvent* EventAt(int row) const;
    // A template row's template, by address only (see TEventListModel::TemplateRole).
    TEventTemplate* TemplateAt(int row) const;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The row showing the event, or -1.
    int RowOf(const TEvent* event) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    // A total order on the sort keys: empty cells last in either direction, names tied on
    // their next arising, other ties in the notebook's order (the sort is stable).
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    // The "Name" text when the count date is set, else none.
    QVariant CountedName(const QModelIndex& sourceIndex, int role) const;
    void FollowSource();

    QString template_;
    TDateTime countDate_ = NullDate;
    TDateTime from_ = NullDate;
    TDateTime to_ = NullDate;
    QString text_;
    bool eventsSet_ = false;
    bool showTemplates_ = false;
    bool hidden_ = false;
    std::unordered_set<const TEvent*> events_;
    // The source while a filter that shows no row reads noRows_ instead.
    class TNoRows : public QAbstractItemModel {
    public:
        int rowCount(const QModelIndex& parent = {}) const override;
        int columnCount(const QModelIndex& parent = {}) const override;
        QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
        QModelIndex parent(const QModelIndex& child) const override;
        QVariant data(const QModelIndex& index, int role) const override;
        QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    };
    TNoRows noRows_;
    QPointer<QAbstractItemModel> source_;
};

} // namespace kelvo
