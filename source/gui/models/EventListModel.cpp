#include "gui/models/EventListModel.h"

#include "core/agenda/Agenda.h"
#include "core/entities/EventTemplate.h"
#include "core/runtime/RemNotebook.h"
#include "core/util/paText.h"
#include "gui/templates/TemplateDrag.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

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
    std::vector<TRow> templates(std::make_move_iterator(rows_.begin() + eventRows_),
                                std::make_move_iterator(rows_.end()));
    rows_.clear();
    timedRows_ = 0;
    if (held_) {
        // No row may point at an event the load is about to delete.
        refreshWanted_ = true;
        eventRows_ = 0;
        rows_ = std::move(templates);
        endResetModel();
        return;
    }
    time_ = notebook_.Generator().LastTime();
    today_ = Now();
    rows_.resize(static_cast<std::size_t>(notebook_.EventCount()));
    for (int i = 0; i < notebook_.EventCount(); ++i)
        rows_[static_cast<std::size_t>(i)].Event = &notebook_.Event(i);
    eventRows_ = static_cast<int>(rows_.size());
    std::move(templates.begin(), templates.end(), std::back_inserter(rows_));
    endResetModel();
}

void TEventListModel::SetTemplateRows(const std::vector<TEventTemplate*>& templates) {
    if (rowCount() > eventRows_) {
        beginRemoveRows({}, eventRows_, rowCount() - 1);
        rows_.resize(static_cast<std::size_t>(eventRows_));
        endRemoveRows();
    }
    if (templates.empty())
        return;
    beginInsertRows({}, eventRows_, eventRows_ + static_cast<int>(templates.size()) - 1);
    for (TEventTemplate* t : templates) {
        TRow row;
        row.Template = t;
        row.Timed = true;
        row.Texts = std::make_unique<TTexts>();
        TTexts& texts = *row.Texts;
        texts.Text[ColName] = Q(t->Template());
        texts.Text[ColTemplate] = texts.Text[ColName];
        texts.Text[ColWhen] = Q(WhenOf(*t));
        for (int column = 0; column < ColumnCount; ++column)
            texts.Key[column] = texts.Text[column].toCaseFolded();
        row.Ready = ~0u;
        if (TemplateIcon)
            row.Picture = TemplateIcon(*t);
        rows_.push_back(std::move(row));
    }
    endInsertRows();
}

void TEventListModel::Hold() {
    held_ = true;
}

void TEventListModel::Release() {
    held_ = false;
    if (std::exchange(refreshWanted_, false))
        Refresh();
}

const TEventListModel::TRow& TEventListModel::Timed(int index) const {
    TRow& row = rows_[static_cast<std::size_t>(index)];
    // A template row has no moments.
    if (row.Timed || !row.Event)
        return row;
    TEvent& e = *row.Event;
    row.Last = e.LastAppear();
    row.Next = NextOf(e, time_);
    row.NextReminder = NextReminderOf(e, time_);
    row.Days =
        IsNullDate(row.Next)
            ? 0
            : static_cast<int>(std::max(0.0, std::floor(row.Next) - std::floor(DateOf(today_))));
    row.Timed = true;
    ++timedRows_;
    return row;
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
        text = NameText(e, today_);
        break;
    case ColLastEvent:
        text = Q(ListDateText(Timed(index).Last));
        break;
    case ColNextEvent:
        text = Q(ListDateText(Timed(index).Next));
        break;
    case ColNextReminder:
        text = Q(ListDateText(Timed(index).NextReminder));
        break;
    case ColUntilEvent:
        text = Q(UntilEventText(Timed(index).Next, today_));
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
    case TemplateRole:
        return QVariant::fromValue(static_cast<void*>(row.Template));
    case NextAriseRole:
        return Timed(index.row()).Next;
    case Qt::DecorationRole:
        if (index.column() != ColName)
            return {};
        if (row.Template)
            return row.Picture;
        return Icon ? Icon(*row.Event) : QVariant();
    case SortRole:
        if (row.Template) {
            if (row.Texts->Text[index.column()].isEmpty())
                return {};
            return row.Texts->Key[index.column()];
        }
        switch (index.column()) {
        case ColLastEvent:
            return MomentKey(Timed(index.row()).Last);
        case ColNextEvent:
            return MomentKey(Timed(index.row()).Next);
        case ColNextReminder:
            return MomentKey(Timed(index.row()).NextReminder);
        case ColUntilEvent:
            // Whole days as shown; no next arising is an empty cell.
            return IsNullDate(Timed(index.row()).Next) ? QVariant() : QVariant(row.Days);
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
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.row() >= eventRows_ && !TemplateDragData)
        return QAbstractItemModel::flags(index);
    return QAbstractItemModel::flags(index) | Qt::ItemIsDragEnabled;
}

QStringList TEventListModel::mimeTypes() const {
    return {EventDragMimeType, TemplateDragMimeType};
}

QMimeData* TEventListModel::mimeData(const QModelIndexList& indexes) const {
    // The rows are in the notebook's order.
    for (const QModelIndex& index : indexes) {
        if (!index.isValid() || index.row() >= rowCount())
            continue;
        if (index.row() < eventRows_)
            return EventDragData(index.row());
        if (TemplateDragData)
            return TemplateDragData(rows_[static_cast<std::size_t>(index.row())].Template);
    }
    return nullptr;
}

QString TEventListModel::NameText(TEvent& event, TDateTime x) {
    try {
        return Q(event.DescriptionWithCount(x));
    } catch (const std::exception&) {
        return Q(event.Description()); // the notebook reports the faulty condition itself
    }
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
