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

void TEventFilterModel::SetShowTemplates(bool show) {
    showTemplates_ = show;
    invalidateFilter();
}

void TEventFilterModel::SetEvents(const std::vector<TEvent*>& events) {
    events_ = std::unordered_set<const TEvent*>(events.begin(), events.end());
    eventsSet_ = true;
    invalidateFilter();
}

void TEventFilterModel::ClearEvents() {
    events_.clear();
    eventsSet_ = false;
    invalidateFilter();
}

void TEventFilterModel::SetCountDate(TDateTime day) {
    if (day == countDate_)
        return;
    countDate_ = day;
    if (rowCount() > 0)
        emit dataChanged(index(0, TEventListModel::ColName),
                         index(rowCount() - 1, TEventListModel::ColName));
}

QVariant TEventFilterModel::CountedName(const QModelIndex& sourceIndex, int role) const {
    if (IsNullDate(countDate_) || sourceIndex.column() != TEventListModel::ColName ||
        (role != Qt::DisplayRole && role != TEventListModel::SortRole))
        return {};
    auto* event = static_cast<TEvent*>(sourceIndex.data(TEventListModel::EventRole).value<void*>());
    if (!event)
        return {};
    const QString text = TEventListModel::NameText(*event, countDate_);
    return role == Qt::DisplayRole ? text : text.toCaseFolded();
}

QVariant TEventFilterModel::data(const QModelIndex& index, int role) const {
    if (const QVariant counted = CountedName(mapToSource(index), role); counted.isValid())
        return counted;
    return QSortFilterProxyModel::data(index, role);
}

int TEventFilterModel::RowOf(const TEvent* event) const {
    for (int row = 0; row < rowCount(); ++row)
        if (EventAt(row) == event)
            return row;
    return -1;
}

bool TEventFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const auto key = [this](const QModelIndex& i) {
        const QVariant counted = CountedName(i, sortRole());
        return counted.isValid() ? counted : i.data(sortRole());
    };
    // Template rows before event rows; a descending sort asks the reversed question, which
    // puts them last.
    const auto isTemplate = [](const QModelIndex& i) {
        return i.data(TEventListModel::TemplateRole).value<void*>() != nullptr;
    };
    if (const bool t = isTemplate(left); t != isTemplate(right))
        return t;
    const QVariant a = key(left);
    const QVariant b = key(right);
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    // Descending sorts by the reversed question: an empty cell still goes after the others,
    // and ties still keep the notebook's order (the rows arrive in the previous sort's order).
    if (!a.isValid() || !b.isValid()) {
        if (a.isValid() != b.isValid())
            return ascending ? a.isValid() : !a.isValid();
    } else if (a.typeId() == QMetaType::QString) {
        if (const int order = QString::localeAwareCompare(a.toString(), b.toString()); order != 0)
            return order < 0;
        if (left.column() == TEventListModel::ColName) {
            const auto next = [this](const QModelIndex& i) {
                return i.siblingAtColumn(TEventListModel::ColNextEvent).data(sortRole()).toDouble();
            };
            if (next(left) != next(right))
                return next(left) < next(right);
        }
    } else if (a.toDouble() != b.toDouble()) {
        return a.toDouble() < b.toDouble();
    }
    return ascending ? left.row() < right.row() : left.row() > right.row();
}

TEventTemplate* TEventFilterModel::TemplateAt(int row) const {
    return static_cast<TEventTemplate*>(
        index(row, 0).data(TEventListModel::TemplateRole).value<void*>());
}

TEvent* TEventFilterModel::EventAt(int row) const {
    return static_cast<TEvent*>(index(row, 0).data(TEventListModel::EventRole).value<void*>());
}

bool TEventFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const QAbstractItemModel* source = sourceModel();
    const auto cell = [&](int column) { return source->index(sourceRow, column, sourceParent); };
    if (cell(0).data(TEventListModel::TemplateRole).value<void*>())
        return showTemplates_;
    if (eventsSet_ && !events_.contains(static_cast<const TEvent*>(
                          cell(0).data(TEventListModel::EventRole).value<void*>())))
        return false;
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
