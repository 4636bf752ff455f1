#include "gui/calendar/DrawCalendar.h"

#include "core/agenda/Agenda.h"
#include "core/agenda/DayMove.h"
#include "core/entities/EventTemplate.h"
#include "core/options/ProgramOptions.h"
#include "core/options/paAppIni.h"
#include "core/timers/ProgramFolders.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/calendar/CalendarAccessible.h"
#include "gui/dialogs/fmGoto.h"
#include "gui/dialogs/fmQuickEventCreate.h"
#include "gui/session/ProgramSession.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QImageReader>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

namespace kelvo {

namespace {

constexpr int GridLine = 1;
// Days the scroll bar spans: a year back and a year ahead of today.
constexpr int ScrollDays = 730;

QColor FromColorValue(TColor value) {
    const TColor rgb = ColorToRGB(value);
    return QColor(static_cast<int>(rgb & 0xFFu), static_cast<int>((rgb >> 8) & 0xFFu),
                  static_cast<int>((rgb >> 16) & 0xFFu));
}

QFont FromFont(const TFont& f) {
    QFont font(QString::fromStdString(f.Name));
    font.setPointSize(std::max(1, f.Size));
    font.setBold((f.Style & fsBold) != 0);
    font.setItalic((f.Style & fsItalic) != 0);
    font.setUnderline((f.Style & fsUnderline) != 0);
    font.setStrikeOut((f.Style & fsStrikeOut) != 0);
    return font;
}

// The icon library's pictures at the size of a line, or one drawn bell without a library.
std::vector<QPixmap> LibraryImages() {
    std::vector<QPixmap> out;
    QImageReader reader(QString::fromStdString(ProgramFolders().IconsLibrary()));
    const int count = std::min(reader.imageCount(), 1000);
    for (int i = 0; i < count && reader.jumpToImage(i); ++i) {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        // 16 by 16 on the screen, drawn from twice that for screens at twice the scale.
        QPixmap picture =
            QPixmap::fromImage(image.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        picture.setDevicePixelRatio(2.0);
        out.push_back(picture);
    }
    if (out.empty()) {
        QPixmap bell(16, 16);
        bell.fill(Qt::transparent);
        QPainter p(&bell);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(128, 80, 0));
        p.setBrush(QColor(240, 176, 0));
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        p.end();
        out.push_back(bell);
    }
    return out;
}

QString Capitalized(const QString& name) {
    if (name.isEmpty())
        return name;
    return name.left(1).toUpper() + name.mid(1).toLower();
}

QColor Blend(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - share) + b.redF() * share),
                            static_cast<float>(a.greenF() * (1 - share) + b.greenF() * share),
                            static_cast<float>(a.blueF() * (1 - share) + b.blueF() * share));
}

} // namespace

TDrawCalendar::TLayout TDrawCalendar::TLayout::Compute(int w, int h, int g, int headerHeight) {
    TLayout l;
    l.HeaderHeight = headerHeight;
    if (w < 6 * g || h < 6 * g + headerHeight)
        return l;
    const int colWidth = (w - 6 * g) / Columns;
    const int colExtra = (w - 6 * g) % Columns;
    int x = 0;
    for (int c = 0; c < Columns; ++c) {
        l.Left[static_cast<std::size_t>(c)] = x;
        l.Width[static_cast<std::size_t>(c)] = colWidth + (c < colExtra ? 1 : 0);
        x += l.Width[static_cast<std::size_t>(c)] + g;
    }
    const int rowHeight = (h - 6 * g - headerHeight) / WeekRows;
    const int rowExtra = (h - 6 * g - headerHeight) % WeekRows;
    int y = headerHeight + g;
    for (int r = 0; r < WeekRows; ++r) {
        l.Top[static_cast<std::size_t>(r)] = y;
        l.Height[static_cast<std::size_t>(r)] = rowHeight + (r < rowExtra ? 1 : 0);
        y += l.Height[static_cast<std::size_t>(r)] + g;
    }
    return l;
}

TDrawCalendar::TDrawCalendar(TProgramSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    qRegisterMetaType<TEvent*>("kelvo::TEvent*");
    setObjectName(QStringLiteral("DrawCalendar"));
    setAccessibleName(tr("Calendar"));
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setMouseTracking(false);
    setMinimumSize(210, 150);

    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName(QStringLiteral("CalendarScrollBar"));
    scroll_->setAccessibleName(tr("Weeks"));
    scroll_->setRange(0, ScrollDays);
    scroll_->setPageStep(35);
    scroll_->setSingleStep(7);
    scroll_->setFocusPolicy(Qt::NoFocus);
    connect(scroll_, &QScrollBar::actionTriggered, this, &TDrawCalendar::ScrollAction);
    connect(scroll_, &QScrollBar::sliderMoved, this, [this](int position) {
        const TDateTime d = IncDay(position, DateOf(IncYear(-1, Today())));
        QToolTip::showText(QCursor::pos(), QString::fromStdString(ShortDateText(d)), scroll_);
    });
    connect(scroll_, &QScrollBar::sliderReleased, this, [this] {
        SetDate(IncDay(scroll_->sliderPosition(), DateOf(IncYear(-1, Today()))));
        Changed();
    });

    headerFont_ = font();
    dateFont_ = QFont(QStringLiteral("Times New Roman"));
    lineFont_ = dateFont_;
    images_ = LibraryImages();
    imageSize_ = images_.empty() ? QSize(0, 0) : images_.front().deviceIndependentSize().toSize();
    startOfWeek_ = FirstDayOfWeek();

    CreateCommands();
    ListenToSession();
    ApplyOptions();
    SetFirstShown(IncDay(-((DayOfWeek0(Today()) - startOfWeek_ + 7) % 7), DateOf(Today())));
    SelectCell(CellIndex(DateOf(Today())));
    reported_ = SelectedDate();
    UpdateScrollBar();
    InstallCalendarAccessibility();
}

TDrawCalendar::~TDrawCalendar() = default;

void TDrawCalendar::ListenToSession() {
    connect(&session_, &TProgramSession::eventsChanged, this, [this] { RefreshLines(); });
    connect(&session_, &TProgramSession::dataReplaced, this, [this] { RefreshLines(); });
    connect(&session_, &TProgramSession::dataLoaded, this, [this] { RefreshLines(); });
    connect(&session_, &TProgramSession::settingsLoaded, this, [this] {
        const int stored = session_.Ini().ReadInteger("View", "CalendarView", viewStyle_);
        SetViewStyle(stored == csIcons ? csIcons : csLines);
        ApplyOptions();
    });
}

void TDrawCalendar::ApplyOptions() {
    TProgramOptions& o = session_.Settings().Options();
    headerFont_ = FromFont(o.FontCalendar.Font());
    dateFont_ = headerFont_;
    lineFont_ = FromFont(o.FontCalendarItems.Font());
    lineTextColor_ = FromColorValue(o.FontCalendarItems.Font().Color);
    evenColor_ = FromColorValue(o.ColorCalendarEvenMonth.Value());
    oddColor_ = FromColorValue(o.ColorCalendarOddMonth.Value());
    todayColor_ = FromColorValue(o.ColorCalendarToday.Value());
    const bool reminders = o.BehaviourShowReminderInCalendar.Value();
    const bool refill = reminders != showReminders_;
    showReminders_ = reminders;
    SetStartOfWeek(FirstDayOfWeek());
    Relayout();
    if (refill)
        RefreshLines();
    update();
}

// ---------------------------------------------------------------------------------------------
// Dates and cells

TDateTime TDrawCalendar::SelectedDate() const {
    return CellDate(selected_);
}

int TDrawCalendar::CellIndex(TDateTime d) const {
    const double n = DateOf(d) - firstShown_;
    if (n < 0 || n >= DayCells)
        return -1;
    return static_cast<int>(n);
}

void TDrawCalendar::SetFirstShown(TDateTime first) {
    first = DateOf(first);
    if (first == firstShown_)
        return;
    const double shift = IsNullDate(firstShown_) ? DayCells : first - firstShown_;
    firstShown_ = first;
    // Days that stay in view keep their lines; only the new ones are asked for.
    if (shift > 0 && shift < DayCells) {
        const int n = static_cast<int>(shift);
        std::rotate(cells_.begin(), cells_.begin() + n, cells_.end());
        FillCells(DayCells - n, n);
    } else if (shift < 0 && -shift < DayCells) {
        const int n = static_cast<int>(-shift);
        std::rotate(cells_.rbegin(), cells_.rbegin() + n, cells_.rend());
        FillCells(0, n);
    } else {
        FillCells(0, DayCells);
    }
    update();
}

void TDrawCalendar::FillCells(int from, int count) {
    std::vector<TEvent*> events;
    TReminderNotebook& notebook = session_.Notebook();
    events.reserve(static_cast<std::size_t>(notebook.EventCount()));
    for (int i = 0; i < notebook.EventCount(); ++i)
        events.push_back(&notebook.Event(i));
    const auto days = CalendarDays(events, CellDate(from), count, showReminders_);
    for (int i = 0; i < count; ++i) {
        TCellLines& lines = cells_[static_cast<std::size_t>(from + i)];
        lines.clear();
        for (const TCalendarEntry& entry : days[static_cast<std::size_t>(i)])
            lines.push_back({QString::fromStdString(entry.Event->Description()),
                             ImageFor(*entry.Event), entry.Event, entry.Reminder});
    }
}

void TDrawCalendar::RefreshLines() {
    if (IsNullDate(firstShown_))
        return;
    const TEvent* kept = SelectedEvent();
    FillCells(0, DayCells);
    selectedLine_ = -1;
    if (kept)
        SelectEventLine(*kept);
    update();
}

int TDrawCalendar::ImageFor(const TEvent& event) const {
    if (images_.empty())
        return -1;
    const int id = event.IconFileId();
    return id >= 0 && id < static_cast<int>(images_.size()) ? id : 0;
}

const TDrawCalendar::TCellLines& TDrawCalendar::LinesOf(TDateTime d) const {
    static const TCellLines none;
    const int index = CellIndex(d);
    return index < 0 ? none : cells_[static_cast<std::size_t>(index)];
}

void TDrawCalendar::SetDate(TDateTime d) {
    d = DateOf(d);
    if (CellIndex(d) < 0)
        SetFirstShown(IncDay(-((DayOfWeek0(d) - startOfWeek_ + 7) % 7), d));
    if (selectedLine_ >= 0) {
        selectedLine_ = -1;
        emit selectedLineChanged(nullptr);
    }
    SelectCell(CellIndex(d));
    Changed();
}

void TDrawCalendar::SelectCell(int index) {
    if (index < 0 || index >= DayCells)
        return;
    const bool lineWas = selectedLine_ >= 0;
    if (index != selected_)
        selectedLine_ = -1;
    selected_ = index;
    if (lineWas && selectedLine_ < 0)
        emit selectedLineChanged(nullptr);
    UpdateCommands();
    update();
}

void TDrawCalendar::ScrollWeeks(int weeks) {
    SetFirstShown(IncDay(7LL * weeks, firstShown_));
    Changed();
}

void TDrawCalendar::Changed() {
    UpdateScrollBar();
    const TDateTime d = SelectedDate();
    if (d == reported_)
        return;
    reported_ = d;
    emit selectedDateChanged(d);
    if (QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(selected_ + Columns);
        QAccessible::updateAccessibility(&focus);
    }
}

void TDrawCalendar::UpdateScrollBar() {
    const TDateTime base = DateOf(IncYear(-1, Today()));
    const int position =
        static_cast<int>(std::clamp(SelectedDate() - base, 0.0, static_cast<double>(ScrollDays)));
    const QSignalBlocker block(scroll_);
    scroll_->setValue(position);
}

void TDrawCalendar::ScrollAction(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        ScrollWeeks(1);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        ScrollWeeks(-1);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        ScrollWeeks(WeekRows);
        break;
    case QAbstractSlider::SliderPageStepSub:
        ScrollWeeks(-WeekRows);
        break;
    case QAbstractSlider::SliderToMinimum:
        SetDate(IncYear(-1, Today()));
        break;
    case QAbstractSlider::SliderToMaximum:
        SetDate(IncYear(1, Today()));
        break;
    default:
        return; // the thumb: the date follows on release
    }
    const TDateTime base = DateOf(IncYear(-1, Today()));
    scroll_->setSliderPosition(
        static_cast<int>(std::clamp(SelectedDate() - base, 0.0, static_cast<double>(ScrollDays))));
}

void TDrawCalendar::SetStartOfWeek(int day) {
    day = ((day % 7) + 7) % 7;
    if (day == startOfWeek_ && !IsNullDate(firstShown_))
        return;
    const TDateTime selected = IsNullDate(firstShown_) ? DateOf(Today()) : SelectedDate();
    startOfWeek_ = day;
    if (IsNullDate(firstShown_))
        return;
    // The top row keeps its dates' week, starting on the new day.
    SetFirstShown(IncDay(-((DayOfWeek0(firstShown_) - startOfWeek_ + 7) % 7), firstShown_));
    if (CellIndex(selected) < 0)
        SetFirstShown(IncDay(-((DayOfWeek0(selected) - startOfWeek_ + 7) % 7), selected));
    SelectCell(CellIndex(selected));
    Changed();
}

void TDrawCalendar::SetViewStyle(TViewStyle style) {
    if (style == viewStyle_)
        return;
    viewStyle_ = style;
    session_.Ini().WriteInteger("View", "CalendarView", style);
    UpdateCommands();
    update();
}

void TDrawCalendar::SetDatePosition(TDatePosition position) {
    datePosition_ = position;
    update();
}

void TDrawCalendar::SetColors(QColor evenMonth, QColor oddMonth, QColor today) {
    evenColor_ = evenMonth;
    oddColor_ = oddMonth;
    todayColor_ = today;
    update();
}

QColor TDrawCalendar::MonthColor(TDateTime d) const {
    return MonthOf(d) % 2 == 1 ? oddColor_ : evenColor_;
}

void TDrawCalendar::SetFonts(const QFont& header, const QFont& date, const QFont& lines) {
    headerFont_ = header;
    dateFont_ = date;
    lineFont_ = lines;
    Relayout();
    update();
}

void TDrawCalendar::SetCellLineHeight(int height) {
    cellLineHeight_ = height;
    update();
}

void TDrawCalendar::SetImages(std::vector<QPixmap> images) {
    images_ = std::move(images);
    imageSize_ = images_.empty() ? QSize(0, 0) : images_.front().deviceIndependentSize().toSize();
    RefreshLines();
}

// ---------------------------------------------------------------------------------------------
// Geometry

void TDrawCalendar::Relayout() {
    const int w = width() - scroll_->sizeHint().width();
    scroll_->setGeometry(w, 0, scroll_->sizeHint().width(), height());
    layout_ = TLayout::Compute(w, height(), GridLine, QFontMetrics(headerFont_).height() + 4);
}

void TDrawCalendar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

QRect TDrawCalendar::CellRect(int index) const {
    if (index < 0 || index >= DayCells)
        return {};
    const auto r = static_cast<std::size_t>(index / Columns);
    const auto c = static_cast<std::size_t>(index % Columns);
    return QRect(layout_.Left[c], layout_.Top[r], layout_.Width[c], layout_.Height[r]);
}

QRect TDrawCalendar::HeaderRect(int column) const {
    const auto c = static_cast<std::size_t>(column);
    return QRect(layout_.Left[c], 0, layout_.Width[c], layout_.HeaderHeight);
}

QRect TDrawCalendar::DayRect(TDateTime d) const {
    return CellRect(CellIndex(d));
}

TDateTime TDrawCalendar::DateAt(QPoint p) const {
    for (int r = 0; r < WeekRows; ++r)
        for (int c = 0; c < Columns; ++c)
            if (CellRect(r * Columns + c).contains(p))
                return CellDate(r * Columns + c);
    return NullDate;
}

TDrawCalendar::TLineGeometry TDrawCalendar::LineGeometry(int index) const {
    TLineGeometry g;
    QRect area = CellRect(index).adjusted(1, 1, 0, 0);
    if (CellDate(index) == DateOf(Today()))
        area.adjust(2, 2, -2, -2);
    const int band = QFontMetrics(dateFont_).height() + 1;
    if (datePosition_ == dpBottomLeft || datePosition_ == dpBottomRight)
        area.setBottom(area.bottom() - band);
    else
        area.setTop(area.top() + band);
    g.Area = area;
    const int count = static_cast<int>(cells_[static_cast<std::size_t>(index)].size());
    if (viewStyle_ == csLines) {
        g.Height = cellLineHeight_ >= 0
                       ? cellLineHeight_
                       : std::max(imageSize_.height(), QFontMetrics(lineFont_).height());
        g.Step = std::max(1, g.Height + marginY_);
        int fit = area.height() / g.Step;
        if (area.height() - fit * g.Step > 4)
            ++fit;
        g.Visible = std::min(count, std::max(fit, 0));
    } else {
        g.StepX = std::max(1, imageSize_.width() + marginX_);
        g.Step = std::max(1, imageSize_.height() + marginY_);
        g.Height = imageSize_.height();
        g.PerRow = std::max(1, area.width() / g.StepX);
        int rows = area.height() / g.Step;
        if (rows * g.PerRow < count)
            ++rows;
        g.Visible = std::min(count, std::max(rows, 0) * g.PerRow);
    }
    return g;
}

int TDrawCalendar::LineIndexAt(int cell, QPoint p) const {
    const TLineGeometry g = LineGeometry(cell);
    if (!g.Area.contains(p))
        return -1;
    int i;
    if (viewStyle_ == csLines)
        i = (p.y() - g.Area.top()) / g.Step;
    else
        i = (p.y() - g.Area.top()) / g.Step * g.PerRow + (p.x() - g.Area.left()) / g.StepX;
    return i < g.Visible ? i : -1;
}

QRect TDrawCalendar::LineRect(TDateTime d, int index) const {
    const int cell = CellIndex(d);
    if (cell < 0)
        return {};
    const TLineGeometry g = LineGeometry(cell);
    if (index < 0 || index >= g.Visible)
        return {};
    if (viewStyle_ == csLines)
        return QRect(g.Area.left(), g.Area.top() + index * g.Step, g.Area.width(), g.Height)
            .intersected(g.Area);
    return QRect(g.Area.left() + index % g.PerRow * g.StepX,
                 g.Area.top() + index / g.PerRow * g.Step, imageSize_.width(), imageSize_.height())
        .intersected(g.Area);
}

const TDrawCalendar::TCellLine* TDrawCalendar::LineAt(QPoint p) const {
    const int cell = CellIndex(DateAt(p));
    if (cell < 0)
        return nullptr;
    const int i = LineIndexAt(cell, p);
    return i < 0 ? nullptr : &cells_[static_cast<std::size_t>(cell)][static_cast<std::size_t>(i)];
}

// ---------------------------------------------------------------------------------------------
// Lines

const TDrawCalendar::TCellLine* TDrawCalendar::SelectedLine() const {
    const TCellLines& lines = cells_[static_cast<std::size_t>(selected_)];
    if (selectedLine_ < 0 || selectedLine_ >= static_cast<int>(lines.size()))
        return nullptr;
    return &lines[static_cast<std::size_t>(selectedLine_)];
}

TEvent* TDrawCalendar::SelectedEvent() const {
    const TCellLine* line = SelectedLine();
    return line ? line->Event : nullptr;
}

void TDrawCalendar::SelectLine(TDateTime d, int index) {
    const int cell = CellIndex(d);
    if (cell < 0)
        return;
    const TCellLines& lines = cells_[static_cast<std::size_t>(cell)];
    if (index >= static_cast<int>(lines.size()))
        index = -1;
    selected_ = cell;
    selectedLine_ = index;
    UpdateCommands();
    update();
    emit selectedLineChanged(SelectedEvent());
}

bool TDrawCalendar::SelectEventLine(const TEvent& event) {
    const TCellLines& lines = cells_[static_cast<std::size_t>(selected_)];
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].Event == &event) {
            SelectLine(SelectedDate(), static_cast<int>(i));
            return true;
        }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Texts

QString TDrawCalendar::HeaderText(int column) const {
    const auto day = static_cast<TDayOfWeekName>((column + startOfWeek_) % 7);
    const ILocale& locale = CurrentLocale();
    const QFontMetrics fm(headerFont_);
    int widest = 0;
    for (int d = 0; d < 7; ++d)
        widest = std::max(widest, fm.horizontalAdvance(QString::fromStdString(
                                      locale.LongDayName(static_cast<TDayOfWeekName>(d)))));
    const int width = layout_.Width[static_cast<std::size_t>(column)];
    return Capitalized(QString::fromStdString(widest + 8 <= width ? locale.LongDayName(day)
                                                                  : locale.ShortDayName(day)));
}

QString TDrawCalendar::DateText(TDateTime d, int columnWidth) const {
    const int index = CellIndex(d);
    const bool named = index == 0 || (DayOfMonthOf(d) == 1 && MonthOf(d) != MonthOf(firstShown_));
    if (!named)
        return QString::number(DayOfMonthOf(d));
    const QFontMetrics fm(dateFont_);
    for (const char* format : {"d mmmm yyyy", "d mmm yyyy", "d mmm"}) {
        const QString text = QString::fromStdString(FormatDateTime(format, d));
        if (fm.horizontalAdvance(text) + 6 <= columnWidth)
            return text;
    }
    return QString::number(DayOfMonthOf(d));
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TDrawCalendar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width() - scroll_->width();
    p.fillRect(QRect(0, 0, w, height()), palette().color(QPalette::Mid));
    for (int c = 0; c < Columns; ++c)
        PaintHeader(p, c);
    for (int i = 0; i < DayCells; ++i)
        PaintDay(p, i);
}

void TDrawCalendar::PaintHeader(QPainter& p, int column) const {
    const QRect r = HeaderRect(column);
    QStyleOptionButton face;
    face.rect = r;
    face.palette = palette();
    face.state = QStyle::State_Enabled | QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &face, &p, this);
    p.setFont(headerFont_);
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(r, Qt::AlignCenter, HeaderText(column));
}

void TDrawCalendar::PaintDay(QPainter& p, int index) const {
    const TDateTime d = CellDate(index);
    const QRect cell = CellRect(index);
    if (cell.isEmpty())
        return;
    const QColor background = MonthColor(d);
    p.save();
    p.setClipRect(cell);
    p.fillRect(cell, background);
    QRect area = cell.adjusted(1, 1, 0, 0);
    if (d == DateOf(Today())) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(todayColor_, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(area).adjusted(1, 1, -1, -1), 4, 4);
        p.setRenderHint(QPainter::Antialiasing, false);
        area.adjust(2, 2, -2, -2);
    }

    // The day number in its band.
    const QFontMetrics fm(dateFont_);
    const int band = fm.height() + 1;
    const bool bottom = datePosition_ == dpBottomLeft || datePosition_ == dpBottomRight;
    const bool left = datePosition_ == dpTopLeft || datePosition_ == dpBottomLeft;
    const QRect bandRect = bottom ? QRect(area.left(), area.bottom() - band + 1, area.width(), band)
                                  : QRect(area.left(), area.top(), area.width(), band);
    const QString text = DateText(d, cell.width());
    const int textWidth = fm.horizontalAdvance(text);
    const QRect textRect(left ? bandRect.left() + 3 : bandRect.right() - 3 - textWidth,
                         bandRect.top(), textWidth, band);
    p.setFont(dateFont_);
    if (index == selected_) {
        p.fillRect(textRect.adjusted(-2, 0, 2, 0), focusColor_);
        p.setPen(focusTextColor_);
    } else {
        p.setPen(palette().color(QPalette::WindowText));
    }
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text);

    // The lines.
    const TLineGeometry g = LineGeometry(index);
    const TCellLines& lines = cells_[static_cast<std::size_t>(index)];
    p.setClipRect(g.Area.intersected(cell));
    p.setFont(lineFont_);
    const QColor faded = Blend(lineTextColor_, background, 0.55);
    for (int i = 0; i < g.Visible; ++i) {
        const TCellLine& line = lines[static_cast<std::size_t>(i)];
        const bool selected = index == selected_ && i == selectedLine_;
        if (viewStyle_ == csLines) {
            const QRect r(g.Area.left(), g.Area.top() + i * g.Step, g.Area.width(), g.Height);
            if (selected)
                p.fillRect(r, lineFocusColor_);
            const QRect image(r.left(), r.top() + (r.height() - imageSize_.height()) / 2,
                              imageSize_.width(), imageSize_.height());
            DrawImage(p, image, line, selected, background);
            p.setPen(selected ? lineFocusTextColor_ : line.Reminder ? faded : lineTextColor_);
            p.drawText(r.adjusted(imageSize_.width() + marginX_, 0, 0, 0),
                       Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, line.Text);
        } else {
            const QRect image(g.Area.left() + i % g.PerRow * g.StepX,
                              g.Area.top() + i / g.PerRow * g.Step, imageSize_.width(),
                              imageSize_.height());
            DrawImage(p, image, line, selected, background);
        }
    }
    p.restore();
}

void TDrawCalendar::DrawImage(QPainter& p, const QRect& r, const TCellLine& line, bool selected,
                              const QColor& background) const {
    if (line.Image < 0 || line.Image >= static_cast<int>(images_.size()))
        return;
    const QPixmap& image = images_[static_cast<std::size_t>(line.Image)];
    if (!selected && !line.Reminder) {
        p.drawPixmap(r, image);
        return;
    }
    // A copy tinted a quarter toward the highlight, or toward the cell (faded).
    QPixmap tinted = image;
    {
        QPainter t(&tinted);
        t.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QColor tint = selected ? palette().color(QPalette::Highlight) : background;
        tint.setAlphaF(selected ? 0.25F : 0.6F);
        t.fillRect(tinted.rect(), tint);
    }
    p.drawPixmap(r, tinted);
}

void TDrawCalendar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        Relayout();
}

// ---------------------------------------------------------------------------------------------
// Keyboard and mouse

void TDrawCalendar::keyPressEvent(QKeyEvent* event) {
    const int row = selected_ / Columns;
    switch (event->key()) {
    case Qt::Key_PageUp:
        ScrollWeeks(-WeekRows);
        break;
    case Qt::Key_PageDown:
        ScrollWeeks(WeekRows);
        break;
    case Qt::Key_Left:
        if (selected_ == 0) {
            ScrollWeeks(-1);
            SelectCell(Columns - 1);
        } else {
            SelectCell(selected_ - 1);
        }
        Changed();
        break;
    case Qt::Key_Right:
        if (selected_ == DayCells - 1) {
            ScrollWeeks(1);
            SelectCell(DayCells - Columns);
        } else {
            SelectCell(selected_ + 1);
        }
        Changed();
        break;
    case Qt::Key_Up:
        if (event->modifiers() & Qt::ControlModifier) {
            // The lines of the selected day, for the keyboard alone.
            SelectLine(SelectedDate(), std::max(selectedLine_, 1) - 1);
            break;
        }
        if (row == 0)
            ScrollWeeks(-1);
        else
            SelectCell(selected_ - Columns);
        Changed();
        break;
    case Qt::Key_Down:
        if (event->modifiers() & Qt::ControlModifier) {
            const int count = static_cast<int>(cells_[static_cast<std::size_t>(selected_)].size());
            if (count > 0)
                SelectLine(SelectedDate(), std::min(selectedLine_ + 1, count - 1));
            break;
        }
        if (row == WeekRows - 1)
            ScrollWeeks(1);
        else
            SelectCell(selected_ + Columns);
        Changed();
        break;
    case Qt::Key_Home:
        SelectCell(row * Columns);
        Changed();
        break;
    case Qt::Key_End:
        SelectCell(row * Columns + Columns - 1);
        Changed();
        break;
    case Qt::Key_Insert:
        if (QAction* add = Command(QStringLiteral("CalendarAddEventAction")); add->isEnabled())
            add->trigger();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (SelectedEvent())
            ShowProperties();
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QWidget::keyPressEvent(event);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TDrawCalendar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    const int cell = CellIndex(DateAt(at));
    if (cell < 0)
        return;
    pressed_ = event->button() == Qt::LeftButton;
    pressPos_ = at;
    SelectCell(cell);
    SelectLine(CellDate(cell), LineIndexAt(cell, at));
    Changed();
}

void TDrawCalendar::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint at = event->position().toPoint();
    if ((at - pressPos_).manhattanLength() < QApplication::startDragDistance()) {
        const int cell = CellIndex(DateAt(at));
        if (cell == selected_)
            if (const int i = LineIndexAt(cell, at); i >= 0 && i != selectedLine_)
                SelectLine(CellDate(cell), i);
        return;
    }
    pressed_ = false;
    if (!hasFocus() || !SelectedEvent())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(DragData());
    const TCellLine* line = SelectedLine();
    if (line->Image >= 0)
        drag->setPixmap(images_[static_cast<std::size_t>(line->Image)]);
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void TDrawCalendar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    mousePressEvent(event);
    pressed_ = false;
    if (SelectedEvent())
        ShowProperties();
}

void TDrawCalendar::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        ScrollWeeks(-steps);
    event->accept();
}

void TDrawCalendar::contextMenuEvent(QContextMenuEvent* event) {
    UpdateCommands();
    // From the keyboard, at the selected day rather than wherever the mouse is.
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? mapToGlobal(CellRect(selected_).center())
                          : event->globalPos();
    menu_->popup(at);
}

// ---------------------------------------------------------------------------------------------
// Dragging events between days

QMimeData* TDrawCalendar::DragData() const {
    TEvent* event = SelectedEvent();
    if (!event)
        return nullptr;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(EventMimeType),
                  QByteArray::number(reinterpret_cast<quintptr>(event)));
    data->setText(QString::fromStdString(event->Description()));
    return data;
}

TEvent* TDrawCalendar::EventOf(const QMimeData* data) const {
    if (!data || !data->hasFormat(QString::fromLatin1(EventMimeType)))
        return nullptr;
    bool ok = false;
    const quintptr address = data->data(QString::fromLatin1(EventMimeType)).toULongLong(&ok);
    if (!ok)
        return nullptr;
    TReminderNotebook& notebook = session_.Notebook();
    for (int i = 0; i < notebook.EventCount(); ++i)
        if (reinterpret_cast<quintptr>(&notebook.Event(i)) == address)
            return &notebook.Event(i);
    return nullptr; // gone since the drag began, or from another program
}

void TDrawCalendar::dragEnterEvent(QDragEnterEvent* event) {
    if (EventOf(event->mimeData()))
        event->acceptProposedAction();
}

void TDrawCalendar::dragMoveEvent(QDragMoveEvent* event) {
    const TDateTime target = DateAt(event->position().toPoint());
    if (IsNullDate(target) || target == SelectedDate() || !EventOf(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction
                                                                    : Qt::MoveAction);
    event->accept();
}

void TDrawCalendar::dropEvent(QDropEvent* event) {
    const TDateTime target = DateAt(event->position().toPoint());
    TEvent* dropped = EventOf(event->mimeData());
    if (IsNullDate(target) || !dropped) {
        event->ignore();
        return;
    }
    const bool copy = (event->modifiers() & Qt::ControlModifier) != 0;
    if (DropEvent(*dropped, target, copy)) {
        event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

bool TDrawCalendar::DropEvent(TEvent& event, TDateTime target, bool copy) {
    target = DateOf(target);
    if (target == SelectedDate() || !MoveArisingToDay(event, SelectedDate(), target, copy))
        return false;
    // An edit like any other: registered again with the generator, and the events file
    // saved by whoever saves the notebook's changes.
    session_.Notebook().RearmEvent(event);
    RefreshLines();
    SetDate(target);
    SelectEventLine(event);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Commands

QAction* TDrawCalendar::Command(const QString& name) const {
    for (QAction* a : commands_)
        if (a->objectName() == name)
            return a;
    return nullptr;
}

void TDrawCalendar::CreateCommands() {
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("CalendarMenu"));
    const auto add = [this](const char* name, const QString& caption, auto run) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, run);
        commands_.push_back(a);
        menu_->addAction(a);
        return a;
    };
    add("CalendarQuickEventAction", tr("Add &Quick Event in the selected day"),
        [this] { AddQuickEvent(); });
    add("CalendarAddEventAction", tr("Add Event in the selected &day"), [this] {
        AddEventByDate();
    })->setShortcut(QKeySequence(Qt::Key_Insert));
    add("CalendarRenameAction", tr("&Rename..."), [this] {
        if (TEvent* e = SelectedEvent(); e && RenameEvent)
            RenameEvent(*e);
    });
    add("CalendarDeleteAction", tr("&Delete..."), [this] {
        if (TEvent* e = SelectedEvent(); e && DeleteEvent)
            DeleteEvent(*e);
    });
    menu_->addSeparator();
    add("CalendarFirstDateAction", tr("Select &First date of this Event"),
        [this] { SelectDateOfEvent(false); });
    add("CalendarNextDateAction", tr("Select &Next date of this Event"),
        [this] { SelectDateOfEvent(true); });
    add("CalendarSelectTemplateAction", tr("&Select this Event on the Templates view"), [this] {
        if (TEvent* e = SelectedEvent(); e && SelectOnTemplates)
            SelectOnTemplates(*e);
    });
    menu_->addSeparator();
    add("CalendarTodayAction", tr("Go to Toda&y"), [this] { SetDate(Today()); });
    add("CalendarGoToAction", tr("&Go to Date..."), [this] { GoToDate(); });
    menu_->addSeparator();
    QMenu* view = menu_->addMenu(tr("&View"));
    auto* styles = new QActionGroup(this);
    for (const auto& [name, caption, style] :
         {std::tuple{"CalendarIconViewAction", tr("&Icon"), csIcons},
          std::tuple{"CalendarListViewAction", tr("&List"), csLines}}) {
        auto* a = new QAction(caption, styles);
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        const TViewStyle chosen = style;
        connect(a, &QAction::triggered, this, [this, chosen] { SetViewStyle(chosen); });
        commands_.push_back(a);
        view->addAction(a);
    }
    menu_->addSeparator();
    add("CalendarPropertiesAction", tr("Properties"), [this] { ShowProperties(); });
    addAction(Command(QStringLiteral("CalendarAddEventAction")));
    UpdateCommands();
}

void TDrawCalendar::UpdateCommands() {
    if (commands_.empty())
        return;
    TEvent* e = SelectedEvent();
    Command(QStringLiteral("CalendarAddEventAction"))->setEnabled(static_cast<bool>(EditEvent));
    Command(QStringLiteral("CalendarRenameAction"))->setEnabled(e && RenameEvent);
    Command(QStringLiteral("CalendarDeleteAction"))->setEnabled(e && DeleteEvent);
    Command(QStringLiteral("CalendarFirstDateAction"))->setEnabled(e != nullptr);
    Command(QStringLiteral("CalendarNextDateAction"))->setEnabled(e != nullptr);
    Command(QStringLiteral("CalendarSelectTemplateAction"))->setEnabled(e && SelectOnTemplates);
    Command(QStringLiteral("CalendarPropertiesAction"))->setEnabled(e != nullptr);
    Command(QStringLiteral("CalendarIconViewAction"))->setChecked(viewStyle_ == csIcons);
    Command(QStringLiteral("CalendarListViewAction"))->setChecked(viewStyle_ == csLines);
}

void TDrawCalendar::AddQuickEvent() {
    TProgramOptions& options = session_.Settings().Options();
    const QString name = QString::fromStdString(options.QuickDefaultTemplate.Value());
    TTemplateTree& templates = session_.Templates();
    QString text;
    if (TTemplateNode* node = templates.FindTemplate(name.toStdString()))
        text = QString::fromStdString(node->Template()->Description());
    else if (TEventTemplate* t = templates.DefaultTemplate())
        text = QString::fromStdString(t->Description());
    const TDateTime moment = SelectedDate() + (Now() - DateOf(Now()));
    if (auto event =
            TQuickEventForm::QuickEventAt(templates, options, window(), name, text, moment)) {
        TEvent& added = session_.Notebook().AddEvent(std::move(event));
        SelectEventLine(added);
    }
}

void TDrawCalendar::AddEventByDate() {
    if (!EditEvent)
        return;
    TTemplateTree& templates = session_.Templates();
    templates.EnsureDefaultTemplate();
    std::unique_ptr<TEvent> event = templates.NewEventFromTemplate(*templates.DefaultTemplate());
    const TDateTime day = SelectedDate();
    event->InitializeCondition().SetStartDate(day);
    if (!EditEvent(*event, tr("New Event by Date"), day))
        return;
    TEvent& added = session_.Notebook().AddEvent(std::move(event));
    SelectEventLine(added);
}

void TDrawCalendar::SelectDateOfEvent(bool next) {
    TEvent* e = SelectedEvent();
    if (!e)
        return;
    const TDateTime from = next ? IncDay(1, SelectedDate()) : NullDate;
    const TDateTime d = e->InitializeCondition().NextArise(from);
    if (IsNullDate(d)) {
        Inform(next ? tr("This last occurence of event") : tr("Event never appear"));
        return;
    }
    SetDate(d);
    if (!SelectEventLine(*e))
        SelectLine(SelectedDate(), -1);
}

void TDrawCalendar::ShowProperties() {
    TEvent* e = SelectedEvent();
    if (!e)
        return;
    emit eventActivated(*e);
    if (!EditEvent)
        return;
    const QString caption =
        tr("Event Properties: %1").arg(QString::fromStdString(e->Description()));
    if (EditEvent(*e, caption, SelectedDate()))
        session_.Notebook().RearmEvent(*e);
}

void TDrawCalendar::GoToDate() {
    TDateTime d = SelectedDate();
    if (TGoToForm::AskDate(window(), d))
        SetDate(d);
}

void TDrawCalendar::Inform(const QString& text) {
    if (ShowInformation)
        ShowInformation(text);
    else
        ShowBox(window(), QMessageBox::Information, tr("Information"), text);
}

} // namespace kelvo
