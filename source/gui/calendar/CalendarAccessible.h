#pragma once

// What a screen reader reads of the calendar: the weekday headers, every day cell by its date
// and number of events, and each line of a day by its event.

#include <QAccessibleWidget>
#include <map>

namespace kelvo {

class TDrawCalendar;

class TCalendarAccessible : public QAccessibleWidget {
public:
    explicit TCalendarAccessible(TDrawCalendar& calendar);
    ~TCalendarAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // Index 0..6 the header cells, then the day cells; a line of a day below its cell.
    QAccessibleInterface* Line(int cell, int line) const;
    TDrawCalendar& Calendar() const { return calendar_; }

private:
    TDrawCalendar& calendar_;
    mutable std::map<int, QAccessible::Id> children_;
};

// Makes QAccessible describe every calendar with TCalendarAccessible; safe to call again.
void InstallCalendarAccessibility();

} // namespace kelvo
