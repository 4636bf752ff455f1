#include "gui/print/PrintMonthCalendar.h"

#include "core/agenda/Agenda.h"
#include "core/entities/Event.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>

namespace kelvo {

namespace {

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

QString Format(const char* format, TDateTime x) {
    return Text(FormatDateTime(format, x));
}

const QString Family = QStringLiteral("Times New Roman");

} // namespace

class TPrintMonthCalendar::TDayBox : public TDrawable {
public:
    TDateTime Date = 0;
    std::vector<TPrintItem> Items;
    const QFont* Font = nullptr;
    int MinLine = 16;

    void Draw(QPainter& canvas) override {
        canvas.save();
        canvas.setFont(*Font);
        canvas.setBrush(Qt::white);
        canvas.drawRect(bounds_.adjusted(0, 0, -1, -1));
        canvas.setBrush(Qt::NoBrush);
        const QFontMetrics fm(*Font, canvas.device());
        const int textHeight = fm.height();
        const QRect band(bounds_.left() + 3, bounds_.top() + 2, bounds_.width() - 6, textHeight);
        QString day = Format("d", Date);
        if (DayOfMonthOf(Date) == 1)
            for (const char* f : {"d mmmm yyyy", "d mmm yyyy", "d mmm", "d"})
                if (fm.horizontalAdvance(Format(f, Date)) <= band.width()) {
                    day = Format(f, Date);
                    break;
                }
        canvas.drawText(band, Qt::AlignRight | Qt::AlignTop, day);

        const QRect lines = QRect(QPoint(bounds_.left() + 4, band.bottom() + 1 + 2),
                                  QPoint(bounds_.right() - 2, bounds_.bottom()));
        const int lineHeight = std::max(textHeight + 2, MinLine);
        const int fit = std::max(0, lines.height() / lineHeight);
        const int count = static_cast<int>(Items.size());
        // What does not fit is not lost silently: the last line that fits says how much more.
        const int shown = count <= fit ? count : std::max(0, fit - 1);
        canvas.setClipRect(lines);
        for (int i = 0; i < shown; ++i) {
            const TPrintItem& item = Items[static_cast<std::size_t>(i)];
            const double time = TimeOf(item.Moment);
            const QString text = time > 0 ? QStringLiteral("%1 %2").arg(
                                                Text(ShortTimeText(item.Moment)), item.Description)
                                          : item.Description;
            canvas.drawText(
                QRect(lines.left(), lines.top() + i * lineHeight, lines.width(), lineHeight),
                Qt::AlignLeft | Qt::AlignVCenter, text);
        }
        if (shown < count && fit > 0)
            canvas.drawText(
                QRect(lines.left(), lines.top() + shown * lineHeight, lines.width(), lineHeight),
                Qt::AlignLeft | Qt::AlignVCenter,
                QCoreApplication::translate("kelvo::TPrintMonthCalendar", "+%1 more")
                    .arg(count - shown));
        canvas.restore();
    }
};

class TPrintMonthCalendar::TWeekDayCell : public TDrawable {
public:
    int WeekDay = 0;
    const QFont* Font = nullptr;

    void Draw(QPainter& canvas) override {
        canvas.save();
        canvas.setFont(*Font);
        const QFontMetrics fm(*Font, canvas.device());
        const auto day = static_cast<TDayOfWeekName>(WeekDay);
        QString text = Text(CurrentLocale().LongDayName(day));
        if (fm.horizontalAdvance(text) > bounds_.width())
            text = Text(CurrentLocale().ShortDayName(day));
        if (fm.horizontalAdvance(text) > bounds_.width())
            text = text.left(1);
        canvas.drawText(bounds_, Qt::AlignCenter, text);
        canvas.restore();
    }
};

class TPrintMonthCalendar::TMonthDrawing : public TDrawable {
public:
    explicit TMonthDrawing(int weekStart) {
        for (int i = 0; i < Days; ++i) {
            boxes[static_cast<std::size_t>(i)].Font = &DayFont;
            grid.Add(boxes[static_cast<std::size_t>(i)]);
        }
        grid.SetColumns(7);
        grid.SetRows(Rows);
        for (int i = 0; i < 7; ++i) {
            cells[static_cast<std::size_t>(i)].WeekDay = (weekStart + i) % 7;
            cells[static_cast<std::size_t>(i)].Font = &HeaderFont;
            header.Add(cells[static_cast<std::size_t>(i)]);
        }
    }

    QFont HeaderFont;
    QFont DayFont;
    int HeaderBand = 14;
    int DayFontHeight = 16; // in screen pixels
    std::array<TDayBox, Days> boxes;
    std::array<TWeekDayCell, 7> cells;
    TGridLayout grid;
    TLineLayout header;
    int headerHeight = 0;

    void SetBounds(const QRect& r) override {
        TDrawable::SetBounds(r);
        headerHeight = std::max(DayFontHeight + 4, HeaderBand);
        header.SetBounds(QRect(r.left(), r.top(), r.width(), headerHeight));
        grid.SetBounds(QRect(QPoint(r.left(), r.top() + headerHeight + 1), r.bottomRight()));
    }

    void Draw(QPainter& canvas) override {
        canvas.save();
        canvas.setPen(QPen(Qt::black, 1));
        header.Draw(canvas);
        grid.Draw(canvas);
        canvas.drawLine(bounds_.left(), bounds_.top() + headerHeight, bounds_.right(),
                        bounds_.top() + headerHeight);
        canvas.restore();
    }
};

TPrintMonthCalendar::TPrintMonthCalendar(TDateTime first, int weekStart)
    : first_(DateOf(first)), weekStart_(((weekStart % 7) + 7) % 7),
      month_(std::make_unique<TMonthDrawing>(weekStart_)),
      border_(std::make_unique<TBorderDecorator>(*month_)) {
    for (int i = 0; i < Days; ++i)
        month_->boxes[static_cast<std::size_t>(i)].Date = first_ + i;
}

TPrintMonthCalendar::~TPrintMonthCalendar() = default;

void TPrintMonthCalendar::Place(const std::vector<TPrintItem>& items) {
    for (const TPrintItem& item : items)
        if (item.Moment >= first_ && item.Moment < End())
            month_->boxes[static_cast<std::size_t>(DateOf(item.Moment) - first_)].Items.push_back(
                item);
    for (TDayBox& box : month_->boxes)
        std::stable_sort(
            box.Items.begin(), box.Items.end(),
            [](const TPrintItem& a, const TPrintItem& b) { return a.Moment < b.Moment; });
}

void TPrintMonthCalendar::PlaceEvents(const std::vector<TEvent*>& events) {
    std::vector<TPrintItem> items;
    for (const TAgendaArising& a : AgendaArisings(events, first_, Days, false))
        if (!a.Event->HasOption(ecNotShowOnCalendar))
            items.push_back({a.Moment, Text(a.Event->Description())});
    Place(items);
}

QString TPrintMonthCalendar::Title() const {
    return QStringLiteral("%1 - %2").arg(Format("mmmm yyyy", first_),
                                         Format("mmmm yyyy", End() - 1));
}

void TPrintMonthCalendar::Layout(const QRect& page, const TpaDPI& dpi) {
    dpi_ = dpi;
    page_ = page;
    titleFont_ = DeviceFont(Family, 24, dpi);
    month_->HeaderFont = DeviceFont(Family, 12, dpi);
    month_->DayFont = DeviceFont(Family, 12, dpi);
    // Font heights as the screen measures them: points at 96 pixels per inch.
    const int titleHeight = 24 * TpaDPI::ScreenDpi / 72;
    const int fontHeight = 12 * TpaDPI::ScreenDpi / 72;
    titleBand_ = QRect(page.left(), page.top(), page.width(), dpi.ScaleY(titleHeight + 10));
    const int restTop = titleBand_.bottom() + 2;
    const QRect area(QPoint(page.left(), restTop),
                     QPoint(page.right(), page.bottom() - dpi.ScaleY(20)));
    footerBand_ = QRect(QPoint(page.left(), area.bottom() + 2), page.bottomRight());
    month_->HeaderBand = dpi.ScaleY(fontHeight + 4);
    month_->DayFontHeight = dpi.ScaleY(fontHeight);
    for (TDayBox& box : month_->boxes)
        box.MinLine = dpi.ScaleY(16);
    border_->SetBounds(area);
}

void TPrintMonthCalendar::Draw(QPainter& canvas) {
    canvas.save();
    canvas.setPen(QPen(Qt::black, 1));
    canvas.setFont(titleFont_);
    canvas.drawText(titleBand_, Qt::AlignCenter, Title());
    border_->Draw(canvas);
    canvas.setFont(month_->DayFont);
    const TDateTime at = PrintedAt == NullDate ? Now() : PrintedAt;
    canvas.drawText(footerBand_, Qt::AlignRight | Qt::AlignBottom,
                    QStringLiteral("%1, %2").arg(Text(ShortDateText(at)), Text(ShortTimeText(at))));
    canvas.restore();
}

void TPrintMonthCalendar::PrintOn(IPrintTarget& target) {
    Layout(target.PageRect(), target.Dpi());
    Draw(target.Canvas());
}

} // namespace kelvo
