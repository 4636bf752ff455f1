#pragma once

// The printed month calendar: a title naming the months, five framed week rows of day boxes
// under the weekday names, each event written into its days, and the moment of printing.

#include "core/util/paDateUtils.h"
#include "gui/print/PrintGraphics.h"

#include <QFont>
#include <QString>
#include <memory>
#include <vector>

namespace kelvo {

class TEvent;

struct TPrintItem {
    TDateTime Moment;
    QString Description;
};

class TPrintMonthCalendar : public IPrintable {
public:
    static constexpr int Rows = 5;
    static constexpr int Days = Rows * 7;

    // first: the first drawn day; weekStart 0 = Sunday .. 6 = Saturday.
    TPrintMonthCalendar(TDateTime first, int weekStart);
    ~TPrintMonthCalendar() override;

    TDateTime First() const { return first_; }
    TDateTime End() const { return first_ + Days; }
    // Items outside the drawn days are left out; each day keeps its items by moment.
    void Place(const std::vector<TPrintItem>& items);
    // Every event's first arising of each drawn day, unless it is not shown on the calendar.
    void PlaceEvents(const std::vector<TEvent*>& events);
    QString Title() const;

    // The moment of printing in the footer.
    TDateTime PrintedAt = NullDate;

    void Layout(const QRect& page, const TpaDPI& dpi);
    void Draw(QPainter& canvas);
    void PrintOn(IPrintTarget& target) override;

private:
    class TDayBox;
    class TWeekDayCell;
    class TMonthDrawing;

    TDateTime first_;
    int weekStart_;
    TpaDPI dpi_;
    QFont titleFont_;
    QRect page_;
    QRect titleBand_;
    QRect footerBand_;
    std::unique_ptr<TMonthDrawing> month_;
    std::unique_ptr<TBorderDecorator> border_;
};

} // namespace kelvo
