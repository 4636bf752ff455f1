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
#include <vector>

namespace kelvo {

class TEvent;
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
    };

    explicit TEventListModel(TReminderNotebook& notebook, QObject* parent = nullptr);

    // The rows again from the notebook, at the generator's last time.
    void Refresh();
    TEvent* EventAt(int row) const;

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
    // The picture of an event's row; none shows no picture.
    std::function<QIcon(const TEvent&)> Icon;
    static int DefaultWidth(int column);

private:
    struct TTexts {
        QString Text[ColumnCount];
        QString Key[ColumnCount]; // the texts without case, for sorting
    };
    struct TRow {
        TEvent* Event = nullptr;
        TDateTime Last = NullDate;
        TDateTime Next = NullDate;
        TDateTime NextReminder = NullDate;
        int Days = 0;
        unsigned Ready = 0; // a bit per column whose text is made
        // Made with the row's first text: most rows of a big notebook are never shown.
        std::unique_ptr<TTexts> Texts;
    };
    // The cell's text, made on first use.
    const QString& Text(int row, int column) const;

    TReminderNotebook& notebook_;
    // Texts are made on first use: a list shows a few rows of many.
    mutable std::vector<TRow> rows_;
    TDateTime time_ = NullDate;
    TDateTime today_ = NullDate;
};

} // namespace kelvo
