#include "gui/models/EventListModel.h"

#include "core/agenda/Agenda.h"
#include "core/runtime/RemNotebook.h"
#include "core/util/paText.h"
#include "gui/templates/TemplateDrag.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvo {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(DisplayText(text));
}

TDateTime NextOf(TEvent& event, TDateTime t) {
    try {
        return event.InitializeCondition().NextAriseForCheck(t);
    } catch (const std::exception&) {
        return NullDate; // the notebook reports the faulty event itself
    }
}

TDateTime NextReminderOf(TEvent& event, TDateTime t) {
    try {
        return event.ReminderNextArise(t);
    } catch (const std::exception&) {
        return NullDate;
    }
}

TDateTime SnoozeOf(TEvent& event, TDateTime t) {
    try {
        TSnoozeInitializeCondition* snooze = event.SnoozeConditionIfAny();
        return snooze ? snooze->NextArise(t) : NullDate;
    } catch (const std::exception&) {
        return NullDate; // shown as "Never"
    }
}

std::string WhenOf(TEvent& event) {
    try {
        return event.InitializeCondition().Description();
    } catch (const std::exception&) {
        return {};
    }
}

// "Never" sorts after every moment.
QVariant MomentKey(TDateTime x) {
    return IsNullDate(x) ? std::numeric_limits<double>::max() : x;
}

} // namespace

TEventListModel::TEventListModel(TReminderNotebook& notebook, QObject* parent)
    : QAbstractItemModel(parent), notebook_(notebook) {
    Refresh();
}

void TEventListModel::Refresh() {
    beginResetModel();
    rows_.clear();
    time_ = notebook_.Generator().LastTime();
    today_ = Now();
    rows_.reserve(static_cast<std::size_t>(notebook_.EventCount()));
    // The moments now; the texts when a row is first shown or sorted by them.
    for (int i = 0; i < notebook_.EventCount(); ++i) {
        TEvent& e = notebook_.Event(i);
        TRow row;
        row.Event = &e;
        row.Last = e.LastAppear();
        row.Next = NextOf(e, time_);
        row.NextReminder = NextReminderOf(e, time_);
        row.Days = IsNullDate(row.Next)
                       ? 0
                       : static_cast<int>(
                             std::max(0.0, std::floor(row.Next) - std::floor(DateOf(today_))));
        rows_.push_back(std::move(row));
    }
    endResetModel();
}

const QString& TEventListModel::Text(int index, int column) const {
    TRow& row = rows_[static_cast<std::size_t>(index)];
    const unsigned bit = 1u << column;
    if (row.Ready & bit)
        return row.Texts->Text[column];
    if (!row.Texts)
        row.Texts = std::make_unique<TTexts>();
    TEvent& e = *row.Event;
    QString& text = row.Texts->Text[column];
    switch (column) {
    case ColName:
        text = Q(e.Description());
        break;
    case ColLastEvent:
        text = Q(ListDateText(row.Last));
        break;
    case ColNextEvent:
        text = Q(ListDateText(row.Next));
        break;
    case ColNextReminder:
        text = Q(ListDateText(row.NextReminder));
        break;
    case ColUntilEvent:
        text = Q(UntilEventText(row.Next, today_));
        break;
    case ColTemplate:
        text = Q(e.Template());
        break;
    case ColState:
        text = Q(EventStateListText(e.State(), SnoozeOf(e, time_)));
        break;
    default:
        text = Q(WhenOf(e));
        break;
    }
    row.Texts->Key[column] = text.toCaseFolded();
    row.Ready |= bit;
    return text;
}

TEvent* TEventListModel::EventAt(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return nullptr;
    return rows_[static_cast<std::size_t>(row)].Event;
}

QModelIndex TEventListModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount)
        return {};
    return createIndex(row, column);
}

QModelIndex TEventListModel::parent(const QModelIndex&) const {
    return {};
}

int TEventListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TEventListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TEventListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TRow& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return Text(index.row(), index.column());
    case EventRole:
        return QVariant::fromValue(static_cast<void*>(row.Event));
    case NextAriseRole:
        return row.Next;
    case Qt::DecorationRole:
        return index.column() == ColName && Icon ? Icon(*row.Event) : QVariant();
    case SortRole:
        switch (index.column()) {
        case ColLastEvent:
            return MomentKey(row.Last);
        case ColNextEvent:
            return MomentKey(row.Next);
        case ColNextReminder:
            return MomentKey(row.NextReminder);
        case ColUntilEvent:
            // Whole days as shown; no next arising is an empty cell.
            return IsNullDate(row.Next) ? QVariant() : QVariant(row.Days);
        default: {
            if (Text(index.row(), index.column()).isEmpty())
                return {};
            return row.Texts->Key[index.column()];
        }
        }
    default:
        return {};
    }
}

QVariant TEventListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return Caption(section);
}

Qt::ItemFlags TEventListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? QAbstractItemModel::flags(index) | Qt::ItemIsDragEnabled
                           : Qt::NoItemFlags;
}

QStringList TEventListModel::mimeTypes() const {
    return {EventDragMimeType};
}

QMimeData* TEventListModel::mimeData(const QModelIndexList& indexes) const {
    // The rows are in the notebook's order.
    for (const QModelIndex& index : indexes)
        if (index.isValid() && index.row() < rowCount())
            return EventDragData(index.row());
    return nullptr;
}

QString TEventListModel::Caption(int column) {
    switch (column) {
    case ColName:
        return tr("Name");
    case ColLastEvent:
        return tr("Last event");
    case ColNextEvent:
        return tr("Next event");
    case ColNextReminder:
        return tr("Next reminder");
    case ColUntilEvent:
        return tr("Until event");
    case ColTemplate:
        return tr("Template");
    case ColState:
        return tr("State");
    case ColWhen:
        return tr("When");
    default:
        return {};
    }
}

int TEventListModel::DefaultWidth(int column) {
    static constexpr int Widths[ColumnCount] = {220, 160, 160, 160, 90, 100, 70, 200};
    return column >= 0 && column < ColumnCount ? Widths[column] : 100;
}

} // namespace kelvo
