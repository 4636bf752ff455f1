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
    FollowSource();
    invalidateFilter();
}

void TEventFilterModel::SetEvents(const std::vector<TEvent*>& events) {
    events_ = std::unordered_set<const TEvent*>(events.begin(), events.end());
    eventsSet_ = true;
    hidden_ = false;
    FollowSource();
    invalidateFilter();
}

void TEventFilterModel::ClearEvents() {
    events_.clear();
    eventsSet_ = false;
    hidden_ = false;
    FollowSource();
    invalidateFilter();
}

void TEventFilterModel::Hide() {
    events_.clear();
    eventsSet_ = true;
    hidden_ = true;
    FollowSource();
    invalidateFilter();
}

void TEventFilterModel::FollowSource() {
    // Showing no row, a list reads a model without rows: even a filter that takes none keeps
    // two numbers for every source row (a hidden page over a million events). The stand-in
    // has the same columns, so the list's header keeps its layout.
    const bool none = eventsSet_ && events_.empty() && (hidden_ || !showTemplates_);
    if (none && sourceModel() != &noRows_) {
        source_ = sourceModel();
        setSourceModel(&noRows_);
    } else if (!none && sourceModel() == &noRows_ && source_) {
        setSourceModel(source_);
    }
}

int TEventFilterModel::TNoRows::rowCount(const QModelIndex&) const {
    return 0;
}

int TEventFilterModel::TNoRows::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TEventListModel::ColumnCount;
}

QModelIndex TEventFilterModel::TNoRows::index(int, int, const QModelIndex&) const {
    return {};
}

QModelIndex TEventFilterModel::TNoRows::parent(const QModelIndex&) const {
    return {};
}

QVariant TEventFilterModel::TNoRows::data(const QModelIndex&, int) const {
    return {};
}

QVariant TEventFilterModel::TNoRows::headerData(int section, Qt::Orientation orientation,
                                                int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return TEventListModel::Caption(section);
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
    // Asked some twenty million times for a million rows: straight from the rows, without the
    // indexes' round trips (never of the stand-in, which has no rows).
    const auto& rows = static_cast<const TEventListModel&>(*sourceModel());
    const int l = left.row();
    const int r = right.row();
    // Template rows before event rows; a descending sort asks the reversed question, which
    // puts them last.
    if (const bool t = l >= rows.EventRowCount(); t != (r >= rows.EventRowCount()))
        return t;
    const int column = left.column();
    const bool byName = column == TEventListModel::ColName;
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    // Descending sorts by the reversed question: an empty cell still goes after the others,
    // and ties still keep the notebook's order (the rows arrive in the previous sort's order).
    const auto inNotebookOrder = [&] { return ascending ? l < r : l > r; };
    if (!byName || !IsNullDate(countDate_) || !rows.SameName(l, r)) {
        const auto key = [&](const QModelIndex& i) {
            const QVariant counted = CountedName(i, sortRole());
            return counted.isValid() ? counted : rows.SortKey(i.row(), column);
        };
        const QVariant a = key(left);
        const QVariant b = key(right);
        if (!a.isValid() || !b.isValid()) {
            if (a.isValid() != b.isValid())
                return ascending ? a.isValid() : !a.isValid();
            return inNotebookOrder();
        }
        if (a.typeId() != QMetaType::QString) {
            if (a.toDouble() != b.toDouble())
                return a.toDouble() < b.toDouble();
            return inNotebookOrder();
        }
        if (const int order = QString::localeAwareCompare(a.toString(), b.toString()); order != 0)
            return order < 0;
        if (!byName)
            return inNotebookOrder();
    }
    // Names tied on their next arising.
    if (const double a = rows.NextSortKey(l), b = rows.NextSortKey(r); a != b)
        return a < b;
    return inNotebookOrder();
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
        return showTemplates_ && !hidden_;
    if (eventsSet_ && !events_.contains(static_cast<const TEvent*>(
                          cell(0).data(TEventListModel::EventRole).value<void*>())))
        return false;
    // The sort keys: filtering every row keeps none of their texts.
    const auto key = [&](int column) {
        return cell(column).data(TEventListModel::SortRole).toString();
    };
    if (!template_.isEmpty() &&
        key(TEventListModel::ColTemplate).compare(template_, Qt::CaseInsensitive) != 0)
        return false;
    if (!IsNullDate(from_) || !IsNullDate(to_)) {
        const TDateTime next = cell(0).data(TEventListModel::NextAriseRole).toDouble();
        if (IsNullDate(next) || (!IsNullDate(from_) && next < from_) ||
            (!IsNullDate(to_) && next > to_))
            return false;
    }
    return text_.isEmpty() || key(TEventListModel::ColName).contains(text_, Qt::CaseInsensitive);
}

} // namespace kelvo
