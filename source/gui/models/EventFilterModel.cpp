#include "gui/models/EventFilterModel.h"

#include "gui/models/EventListModel.h"

namespace kelvo {

TEventFilterModel::TEventFilterModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(TEventListModel::SortRole);
    setDynamicSortFilter(true);
}

void TEventFilterModel::SetTemplate(const QString& name) {
    template_ = name;
    invalidateFilter();
}

void TEventFilterModel::SetPeriod(TDateTime from, TDateTime to) {
    from_ = from;
    to_ = to;
    invalidateFilter();
}

void TEventFilterModel::SetText(const QString& text) {
    text_ = text;
    invalidateFilter();
}

TEvent* TEventFilterModel::EventAt(int row) const {
    return static_cast<TEvent*>(index(row, 0).data(TEventListModel::EventRole).value<void*>());
}

bool TEventFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const QAbstractItemModel* source = sourceModel();
    const auto cell = [&](int column) { return source->index(sourceRow, column, sourceParent); };
    if (!template_.isEmpty() && cell(TEventListModel::ColTemplate)
                                        .data()
                                        .toString()
                                        .compare(template_, Qt::CaseInsensitive) != 0)
        return false;
    if (!IsNullDate(from_) || !IsNullDate(to_)) {
        const TDateTime next = cell(0).data(TEventListModel::NextAriseRole).toDouble();
        if (IsNullDate(next) || (!IsNullDate(from_) && next < from_) ||
            (!IsNullDate(to_) && next > to_))
            return false;
    }
    return text_.isEmpty() ||
           cell(TEventListModel::ColName).data().toString().contains(text_, Qt::CaseInsensitive);
}

} // namespace kelvo
