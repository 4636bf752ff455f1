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
    rows_.clear();
    next_.clear();
    nameKeys_.clear();
    nameKeyMade_.clear();
    fewNameKeys_.clear();
    timed_.clear();
    moments_.clear();
    fewMoments_.clear();
    texts_.clear();
    timedRows_ = 0;
    if (held_) {
        // No row may point at an event the load is about to delete.
        refreshWanted_ = true;
        endResetModel();
        return;
    }
    time_ = notebook_.Generator().LastTime();
    today_ = Now();
    rows_.reserve(static_cast<std::size_t>(notebook_.EventCount()));
    for (int i = 0; i < notebook_.EventCount(); ++i)
        rows_.push_back(&notebook_.Event(i));
    timed_.assign(rows_.size(), false);
    endResetModel();
}

void TEventListModel::SetTemplateRows(const std::vector<TEventTemplate*>& templates) {
    if (!templates_.empty()) {
        beginRemoveRows({}, EventRowCount(), rowCount() - 1);
        templates_.clear();
        endRemoveRows();
    }
    if (templates.empty())
        return;
    beginInsertRows({}, EventRowCount(), EventRowCount() + static_cast<int>(templates.size()) - 1);
    for (TEventTemplate* t : templates) {
        TTemplateRow row;
        row.Template = t;
        row.Text[ColName] = Q(t->Template());
        row.Text[ColTemplate] = row.Text[ColName];
        row.Text[ColWhen] = Q(WhenOf(*t));
        if (TemplateIcon)
            row.Picture = TemplateIcon(*t);
        templates_.push_back(std::move(row));
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

const TEventListModel::TTemplateRow* TEventListModel::TemplateRow(int row) const {
    return row >= EventRowCount() ? &templates_[static_cast<std::size_t>(row - EventRowCount())]
                                  : nullptr;
}

TDateTime TEventListModel::NextAt(int index) const {
    // Every row's, as soon as one is shown: names tie on it, and most names of a big
    // notebook are another's.
    if (next_.empty())
        next_.assign(rows_.size(), std::numeric_limits<double>::quiet_NaN());
    TDateTime& next = next_[static_cast<std::size_t>(index)];
    if (std::isnan(next)) {
        next = NextOf(*rows_[static_cast<std::size_t>(index)], time_);
        ++timedRows_;
    }
    return next;
}

const TEventListModel::TMoments& TEventListModel::Timed(int index) const {
    const auto at = static_cast<std::size_t>(index);
    if (timed_[at])
        return moments_.empty() ? fewMoments_.at(index) : moments_[at];
    TEvent& e = *rows_[at];
    TMoments m;
    m.Last = e.LastAppear();
    m.NextReminder = NextReminderOf(e, time_);
    timed_[at] = true;
    if (moments_.empty() && fewMoments_.size() < rows_.size() / 16)
        return fewMoments_[index] = m;
    if (moments_.empty()) {
        moments_.resize(rows_.size());
        for (const auto& [row, moments] : fewMoments_)
            moments_[static_cast<std::size_t>(row)] = moments;
        fewMoments_.clear();
    }
    return moments_[at] = m;
}

int TEventListModel::DaysUntil(TDateTime next) const {
    return IsNullDate(next)
               ? 0
               : static_cast<int>(std::max(0.0, std::floor(next) - std::floor(DateOf(today_))));
}

QString TEventListModel::MakeText(int index, int column) const {
    TEvent& e = *rows_[static_cast<std::size_t>(index)];
    switch (column) {
    case ColName:
        return NameText(e, today_);
    case ColLastEvent:
        return Q(ListDateText(Timed(index).Last));
    case ColNextEvent:
        return Q(ListDateText(NextAt(index)));
    case ColNextReminder:
        return Q(ListDateText(Timed(index).NextReminder));
    case ColUntilEvent:
        return Q(UntilEventText(NextAt(index), today_));
    case ColTemplate:
        return Q(e.Template());
    case ColState:
        return Q(EventStateListText(e.State(), SnoozeOf(e, time_)));
    default:
        return Q(WhenOf(e));
    }
}

const QString& TEventListModel::Text(int index, int column) const {
    if (const TTemplateRow* t = TemplateRow(index))
        return t->Text[column];
    TTexts& texts = texts_[index];
    const unsigned bit = 1u << column;
    QString& text = texts.Text[column];
    if (!(texts.Ready & bit)) {
        text = MakeText(index, column);
        texts.Ready |= bit;
    }
    return text;
}

QString TEventListModel::PassingText(int index, int column) const {
    if (const TTemplateRow* t = TemplateRow(index))
        return t->Text[column];
    if (const auto kept = texts_.find(index);
        kept != texts_.end() && (kept->second.Ready & (1u << column)))
        return kept->second.Text[column];
    return MakeText(index, column);
}

TEvent* TEventListModel::EventAt(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return nullptr;
    return rows_[static_cast<std::size_t>(row)];
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
    return parent.isValid() ? 0 : static_cast<int>(rows_.size() + templates_.size());
}

int TEventListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TEventListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const TTemplateRow* t = TemplateRow(row);
    switch (role) {
    case Qt::DisplayRole:
        return Text(row, index.column());
    case EventRole:
        return QVariant::fromValue(static_cast<void*>(t ? nullptr : EventAt(row)));
    case TemplateRole:
        return QVariant::fromValue(static_cast<void*>(t ? t->Template : nullptr));
    case NextAriseRole:
        return t ? NullDate : NextAt(row);
    case Qt::DecorationRole:
        if (index.column() != ColName)
            return {};
        if (t)
            return t->Picture;
        return Icon ? Icon(*EventAt(row)) : QVariant();
    case SortRole:
        return SortKey(row, index.column());
    default:
        return {};
    }
}

QVariant TEventListModel::SortKey(int row, int column) const {
    if (row >= EventRowCount()) {
        if (const QString& text = Text(row, column); !text.isEmpty())
            return text.toCaseFolded();
        return {};
    }
    switch (column) {
    case ColLastEvent:
        return MomentKey(Timed(row).Last);
    case ColNextEvent:
        return MomentKey(NextAt(row));
    case ColNextReminder:
        return MomentKey(Timed(row).NextReminder);
    case ColUntilEvent:
        // Whole days as shown; no next arising is an empty cell.
        return IsNullDate(NextAt(row)) ? QVariant() : QVariant(DaysUntil(NextAt(row)));
    case ColName:
        if (const QString& key = NameKey(row); !key.isEmpty())
            return key;
        return {};
    default:
        // Sorting every row by a text keeps none of the texts.
        if (QString text = PassingText(row, column); !text.isEmpty())
            return std::move(text).toCaseFolded();
        return {};
    }
}

const QString& TEventListModel::NameKey(int row) const {
    const auto at = static_cast<std::size_t>(row);
    if (!nameKeys_.empty()) {
        if (!nameKeyMade_[at]) {
            nameKeys_[at] = PassingText(row, ColName).toCaseFolded();
            nameKeyMade_[at] = true;
        }
        return nameKeys_[at];
    }
    if (const auto kept = fewNameKeys_.find(row); kept != fewNameKeys_.end())
        return kept->second;
    QString key = PassingText(row, ColName).toCaseFolded();
    if (fewNameKeys_.size() < rows_.size() / 16)
        return fewNameKeys_.emplace(row, std::move(key)).first->second;
    nameKeys_.resize(rows_.size());
    nameKeyMade_.assign(rows_.size(), false);
    for (auto& [kept, keptKey] : fewNameKeys_) {
        nameKeys_[static_cast<std::size_t>(kept)] = std::move(keptKey);
        nameKeyMade_[static_cast<std::size_t>(kept)] = true;
    }
    fewNameKeys_.clear();
    nameKeys_[at] = std::move(key);
    nameKeyMade_[at] = true;
    return nameKeys_[at];
}

double TEventListModel::NextSortKey(int row) const {
    if (row >= EventRowCount())
        return 0;
    const TDateTime next = NextAt(row);
    return IsNullDate(next) ? std::numeric_limits<double>::max() : next;
}

bool TEventListModel::SameName(int a, int b) const {
    const TEvent* x = EventAt(a);
    const TEvent* y = EventAt(b);
    if (!x || !y || x->HasOption(eoComputeCount) || y->HasOption(eoComputeCount))
        return false;
    const std::string_view name = x->MessageLine();
    return !name.empty() && (x->WindowMessage() == y->WindowMessage() || name == y->MessageLine());
}

QVariant TEventListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return Caption(section);
}

Qt::ItemFlags TEventListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.row() >= EventRowCount() && !TemplateDragData)
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
        if (const TTemplateRow* t = TemplateRow(index.row()))
            return TemplateDragData ? TemplateDragData(t->Template) : nullptr;
        return EventDragData(index.row());
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
