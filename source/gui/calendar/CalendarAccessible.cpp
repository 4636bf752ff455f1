#include "gui/calendar/CalendarAccessible.h"

#include "gui/calendar/DrawCalendar.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>

namespace kelvo {

namespace {

// A header cell (index below 7), a day cell, or a line of a day.
class TCellAccessible : public QAccessibleInterface {
public:
    TCellAccessible(const TCalendarAccessible& grid, int index, int line)
        : grid_(grid), index_(index), line_(line) {}

    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_.window(); }
    QAccessibleInterface* parent() const override {
        if (line_ >= 0)
            return grid_.child(index_);
        return const_cast<TCalendarAccessible*>(&grid_);
    }
    int childCount() const override {
        if (line_ >= 0 || index_ < TDrawCalendar::Columns)
            return 0;
        return static_cast<int>(Lines().size());
    }
    QAccessibleInterface* child(int i) const override {
        if (line_ >= 0 || i < 0 || i >= childCount())
            return nullptr;
        return grid_.Line(index_, i);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (grid_.Line(index_, i) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (grid_.Line(index_, i)->rect().contains(x, y))
                return grid_.Line(index_, i);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name && t != QAccessible::Description)
            return {};
        TDrawCalendar& c = grid_.Calendar();
        if (index_ < TDrawCalendar::Columns)
            return c.HeaderText(index_);
        if (line_ >= 0) {
            const auto& lines = Lines();
            if (line_ >= static_cast<int>(lines.size()))
                return {};
            const auto& l = lines[static_cast<std::size_t>(line_)];
            return l.Reminder
                       ? QCoreApplication::translate("kelvo::TCalendarAccessible", "Reminder: %1")
                             .arg(l.Text)
                       : l.Text;
        }
        const QString date = QLocale().toString(Date(), QLocale::LongFormat);
        const int n = static_cast<int>(Lines().size());
        QString name =
            n == 0 ? QCoreApplication::translate("kelvo::TCalendarAccessible", "%1, no events")
                         .arg(date)
                   : QCoreApplication::translate("kelvo::TCalendarAccessible", "%1, %2 event(s)")
                         .arg(date)
                         .arg(n);
        if (DayDate() == DateOf(Today()))
            name += QCoreApplication::translate("kelvo::TCalendarAccessible", ", today");
        return name;
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        TDrawCalendar& c = grid_.Calendar();
        QRect r;
        if (index_ < TDrawCalendar::Columns)
            r = QRect(c.DayRect(c.FirstShownDate()).left(), 0, 1, 1); // the column's header
        if (index_ >= TDrawCalendar::Columns)
            r = line_ >= 0 ? c.LineRect(DayDate(), line_) : c.DayRect(DayDate());
        return r.isEmpty() ? QRect() : QRect(c.mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override {
        if (index_ < TDrawCalendar::Columns)
            return QAccessible::ColumnHeader;
        return line_ >= 0 ? QAccessible::ListItem : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        TDrawCalendar& c = grid_.Calendar();
        if (index_ < TDrawCalendar::Columns)
            return s;
        s.selectable = true;
        s.focusable = true;
        if (line_ < 0) {
            s.selected = DayDate() == c.SelectedDate();
            s.focused = s.selected && c.hasFocus();
        } else {
            const auto* selected = c.SelectedLine();
            s.selected = DayDate() == c.SelectedDate() && selected &&
                         line_ < static_cast<int>(Lines().size()) &&
                         selected == &Lines()[static_cast<std::size_t>(line_)];
        }
        return s;
    }

private:
    TDateTime DayDate() const {
        return IncDay(index_ - TDrawCalendar::Columns, grid_.Calendar().FirstShownDate());
    }
    QDate Date() const {
        const TDateParts p = DecodeDate(DayDate());
        return QDate(static_cast<int>(p.Year), p.Month, p.Day);
    }
    const TDrawCalendar::TCellLines& Lines() const { return grid_.Calendar().LinesOf(DayDate()); }

    const TCalendarAccessible& grid_;
    int index_;
    int line_;
};

constexpr int LineKeyBase = 1000;

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("kelvo::TDrawCalendar") && object && object->isWidgetType())
        return new TCalendarAccessible(static_cast<TDrawCalendar&>(*object));
    return nullptr;
}

} // namespace

TCalendarAccessible::TCalendarAccessible(TDrawCalendar& calendar)
    : QAccessibleWidget(&calendar, QAccessible::Table), calendar_(calendar) {}

TCalendarAccessible::~TCalendarAccessible() {
    for (const auto& [key, id] : children_)
        QAccessible::deleteAccessibleInterface(id);
}

int TCalendarAccessible::childCount() const {
    return TDrawCalendar::Columns + TDrawCalendar::DayCells;
}

QAccessibleInterface* TCalendarAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    if (auto it = children_.find(index); it != children_.end())
        return QAccessible::accessibleInterface(it->second);
    auto* cell = new TCellAccessible(*this, index, -1);
    children_[index] = QAccessible::registerAccessibleInterface(cell);
    return cell;
}

QAccessibleInterface* TCalendarAccessible::Line(int cell, int line) const {
    const int key = (cell + 1) * LineKeyBase + line;
    if (auto it = children_.find(key); it != children_.end())
        return QAccessible::accessibleInterface(it->second);
    auto* item = new TCellAccessible(*this, cell, line);
    children_[key] = QAccessible::registerAccessibleInterface(item);
    return item;
}

int TCalendarAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int i = 0; i < childCount(); ++i)
        if (this->child(i) == child)
            return i;
    return -1;
}

QAccessibleInterface* TCalendarAccessible::childAt(int x, int y) const {
    const QPoint local = calendar_.mapFromGlobal(QPoint(x, y));
    const TDateTime d = calendar_.DateAt(local);
    if (IsNullDate(d))
        return nullptr;
    return child(TDrawCalendar::Columns + static_cast<int>(d - calendar_.FirstShownDate()));
}

QAccessibleInterface* TCalendarAccessible::focusChild() const {
    return child(TDrawCalendar::Columns +
                 static_cast<int>(calendar_.SelectedDate() - calendar_.FirstShownDate()));
}

void InstallCalendarAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}

} // namespace kelvo
