#pragma once

// The notebook's events as rows, with the eight columns of the event lists; every view of the
// events (the pages' lists, the calendar's list, printing, export) reads these rows through a
// TEventFilterModel.

#include "core/util/paDateUtils.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <QString>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace kelvo {

class TEvent;
class TEventTemplate;
class TReminderNotebook;

class TEventListModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum TColumn {
        ColName,
        ColLastEvent,
        ColNextEvent,
        ColNextReminder,
        ColUntilEvent,
        ColTemplate,
        ColState,
        ColWhen,
        ColumnCount
    };
    enum TRole {
        // What a column sorts by: moments as numbers (NullDate last), texts without case,
        // whole days; no value for an empty cell.
        SortRole = Qt::UserRole + 1,
        // The row's TEvent*.
        EventRole,
        // The next arising, as a number (for filters by period).
        NextAriseRole,
        // A template row's TEventTemplate*, null on an event row. Kept by address only: the
        // template may be gone by the time the row is read.
        TemplateRole,
    };

    explicit TEventListModel(TReminderNotebook& notebook, QObject* parent = nullptr);

    // The rows again from the notebook, at the generator's last time; the template rows stay.
    // A row's moments are asked of its conditions when the row is first shown, sorted or
    // filtered by them.
    void Refresh();
    // While held (the start-up's load), a refresh only empties the rows; the release makes the
    // one refresh that was asked for meanwhile.
    void Hold();
    void Release();
    // How many rows have had their moments made since the last refresh.
    int TimedRows() const { return timedRows_; }
    TEvent* EventAt(int row) const;
    // Rows for these templates after the events' rows, their texts taken now. Only a list
    // that asks for them shows them (TEventFilterModel::SetShowTemplates).
    void SetTemplateRows(const std::vector<TEventTemplate*>& templates);
    int EventRowCount() const { return static_cast<int>(rows_.size()); }

    // What sorting asks of a row many times over, without an index: its SortRole value, the
    // next arising's (0 on a template row), and whether two event rows' "Name" cells are
    // certainly the same text, told without making either (most names of a big notebook are
    // another's).
    QVariant SortKey(int row, int column) const;
    double NextSortKey(int row) const;
    bool SameName(int a, int b) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // A row is dragged onto a template as the event's position in the notebook.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    static QString Caption(int column);
    // The "Name" cell: the event's description, with the time elapsed since its first arising
    // up to x for a counting event (a birthday's age).
    static QString NameText(TEvent& event, TDateTime x);
    // The picture of an event's row; none shows no picture.
    std::function<QIcon(const TEvent&)> Icon;
    // The picture of a template's row.
    std::function<QIcon(const TEventTemplate&)> TemplateIcon;
    // What a drag of a template row carries (the template is known by address only); none, or
    // no such hook: the row is not dragged.
    std::function<QMimeData*(const TEventTemplate*)> TemplateDragData;
    static int DefaultWidth(int column);

private:
    // The texts of a row that was shown, made on first use: a list shows a few rows of many,
    // and sorting or filtering asks for texts it does not keep.
    struct TTexts {
        QString Text[ColumnCount];
        unsigned Ready = 0; // a bit per column whose text is made
    };
    struct TMoments {
        TDateTime Last = NullDate;
        TDateTime NextReminder = NullDate;
    };
    struct TTemplateRow {
        TEventTemplate* Template = nullptr;
        QIcon Picture;
        QString Text[ColumnCount];
    };
    const TTemplateRow* TemplateRow(int row) const;
    // The event row's moments, asked of its conditions on first use.
    TDateTime NextAt(int row) const;
    const TMoments& Timed(int row) const;
    // The cell's text, kept for the next call.
    const QString& Text(int row, int column) const;
    // The cell's text as kept, or made anew and not kept.
    QString PassingText(int row, int column) const;
    QString MakeText(int row, int column) const;
    const QString& NameKey(int row) const;
    // Whole days from today to the next arising, as "Until event" shows them.
    int DaysUntil(TDateTime next) const;

    TReminderNotebook& notebook_;
    // The event rows, in the notebook's order.
    std::vector<TEvent*> rows_;
    // The next arisings by row, NaN until made.
    mutable std::vector<TDateTime> next_;
    // The "Name" sort keys, which a sort asks for many times over, kept once made: by row
    // once many were, until then in fewNameKeys_ (none when every name is another's).
    mutable std::vector<QString> nameKeys_;
    mutable std::vector<bool> nameKeyMade_;
    mutable std::unordered_map<int, QString> fewNameKeys_;
    // A bit per event row: its other moments are made. They are kept by row in moments_ once
    // a sort asked for many; until then (the rows shown) in fewMoments_.
    mutable std::vector<bool> timed_;
    mutable std::vector<TMoments> moments_;
    mutable std::unordered_map<int, TMoments> fewMoments_;
    mutable std::unordered_map<int, TTexts> texts_;
    std::vector<TTemplateRow> templates_;
    TDateTime time_ = NullDate;
    TDateTime today_ = NullDate;
    mutable int timedRows_ = 0;
    bool held_ = false;
    bool refreshWanted_ = false;
};

} // namespace kelvo
