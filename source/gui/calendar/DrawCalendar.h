#pragma once

// The month calendar: a grid of five weeks under a row of weekday names, every day cell listing
// the events (and, when the options say so, the reminders) that arise on it. It reads the
// session's notebook, follows its signals, and rewrites an event's dates when the event is
// dragged to another day.

#include "core/util/paDateUtils.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMimeData;
class QScrollBar;

namespace kelvo {

class TEvent;
class TProgramSession;

// What a drag of events carries: the address of one TEvent of the session's notebook, checked
// against the notebook before it is used.
inline constexpr const char* EventMimeType = "application/x-kelvo-event";

class TDrawCalendar : public QWidget {
    Q_OBJECT
public:
    enum TViewStyle : std::uint8_t { csIcons, csLines };
    enum TDatePosition : std::uint8_t { dpTopLeft, dpTopRight, dpBottomLeft, dpBottomRight };

    struct TCellLine {
        QString Text;
        int Image = -1; // into Images(), -1 none
        TEvent* Event = nullptr;
        bool Reminder = false; // drawn faded
    };
    using TCellLines = std::vector<TCellLine>;

    static constexpr int WeekRows = 5;
    static constexpr int Columns = 7;
    static constexpr int DayCells = WeekRows * Columns;

    // Column widths and row heights for a client area; what drawing and hit tests share.
    struct TLayout {
        int HeaderHeight = 0;
        std::array<int, Columns> Left{}, Width{};
        std::array<int, WeekRows> Top{}, Height{};
        // w, h: the client area without the scroll bar; g: the grid line width.
        static TLayout Compute(int w, int h, int g, int headerHeight);
    };

    // Shows the week of today with today selected; the options apply with the session's
    // settings (and again on every ApplyOptions).
    explicit TDrawCalendar(TProgramSession& session, QWidget* parent = nullptr);
    ~TDrawCalendar() override;

    // The date of the top-left day cell, always the first day of a week.
    TDateTime FirstShownDate() const { return firstShown_; }
    TDateTime LastShownDate() const { return IncDay(DayCells - 1, firstShown_); }
    TDateTime SelectedDate() const;
    // Scrolls when d is not shown (d's week becomes the top row), selects its cell and clears
    // the line selection.
    void SetDate(TDateTime d);
    // Moves the view by weeks; the selection keeps its cell.
    void ScrollWeeks(int weeks);
    // The day under a point, NullDate over the header or outside.
    TDateTime DateAt(QPoint p) const;
    // The line under a point, or none.
    const TCellLine* LineAt(QPoint p) const;
    // The cell of a shown day, an empty rectangle otherwise; and a line of it.
    QRect DayRect(TDateTime d) const;
    QRect LineRect(TDateTime d, int index) const;
    // The lines of a shown day (empty for any other).
    const TCellLines& LinesOf(TDateTime d) const;

    const TCellLine* SelectedLine() const;
    TEvent* SelectedEvent() const;
    // The line of that day's cell; its cell becomes the selected one. -1: no line.
    void SelectLine(TDateTime d, int index);
    // Selects the event's line in the selected cell; false when it is not there.
    bool SelectEventLine(const TEvent& event);
    // Every shown day's lines again, and a repaint.
    void RefreshLines();

    // The weekday of the first column, 0 Sunday .. 6 Saturday; the top row keeps its dates'
    // week.
    int StartOfWeek() const { return startOfWeek_; }
    void SetStartOfWeek(int day);
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);
    TDatePosition DatePosition() const { return datePosition_; }
    void SetDatePosition(TDatePosition position);
    void SetColors(QColor evenMonth, QColor oddMonth, QColor today);
    QColor MonthColor(TDateTime d) const;
    void SetFonts(const QFont& header, const QFont& date, const QFont& lines);
    // -1: the larger of the image height and the line font's text height.
    void SetCellLineHeight(int height);
    // Images of the lines, all of one size; an event's line shows the image of its icon.
    void SetImages(std::vector<QPixmap> images);
    const std::vector<QPixmap>& Images() const { return images_; }

    // Fonts, colours, the first day of the week, the reminders and the view style from the
    // session's settings; for after the options changed.
    void ApplyOptions();

    // The grid's commands by object name, as its context menu holds them.
    QAction* Command(const QString& name) const;
    QMenu* ContextMenu() const { return menu_; }

    // The commands that need the main window; a command without its hook stays disabled.
    std::function<bool(TEvent& event, const QString& caption, TDateTime date)> EditEvent;
    std::function<void(TEvent& event)> RenameEvent;
    std::function<void(TEvent& event)> DeleteEvent;
    std::function<void(TEvent& event)> SelectOnTemplates;
    // Information boxes; tests take the text.
    std::function<void(const QString& text)> ShowInformation;

    // The drag's contents for the selected line's event (none without one).
    QMimeData* DragData() const;
    // The selected date's arising of event goes to target (copy: added there); the event is
    // re-armed, which saves the events file, and target becomes the selected day. False when
    // the event could not be moved.
    bool DropEvent(TEvent& event, TDateTime target, bool copy);

    // The header cells' texts as drawn at the present width.
    QString HeaderText(int column) const;
    // The day number, or for the top-left cell and a month's first day the longest date
    // that fits the column.
    QString DateText(TDateTime d, int columnWidth) const;

signals:
    void selectedDateChanged(double date);
    void selectedLineChanged(kelvo::TEvent* event);
    // A double click on a line, or "Properties".
    void eventActivated(kelvo::TEvent& event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TCalendarAccessible;

    struct TLineGeometry {
        QRect Area;
        int Step = 1;    // csLines: line height + MarginY
        int Height = 1;  // line height
        int StepX = 1;   // csIcons
        int PerRow = 1;  // csIcons
        int Visible = 0; // lines or icons drawn
    };

    int CellIndex(TDateTime d) const;
    TDateTime CellDate(int index) const { return IncDay(index, firstShown_); }
    QRect CellRect(int index) const;
    QRect HeaderRect(int column) const;
    TLineGeometry LineGeometry(int index) const;
    int LineIndexAt(int cell, QPoint p) const;
    void Relayout();
    void SetFirstShown(TDateTime first);
    void FillCells(int from, int count);
    void SelectCell(int index);
    void Changed();
    void UpdateScrollBar();
    void ScrollAction(int action);
    TEvent* EventOf(const QMimeData* data) const;
    void PaintHeader(QPainter& p, int column) const;
    void PaintDay(QPainter& p, int index) const;
    void DrawImage(QPainter& p, const QRect& r, const TCellLine& line, bool selected,
                   const QColor& background) const;
    int ImageFor(const TEvent& event) const;
    void CreateCommands();
    void UpdateCommands();
    void AddQuickEvent();
    void AddEventByDate();
    void SelectDateOfEvent(bool next);
    void ShowProperties();
    void GoToDate();
    void Inform(const QString& text);
    void ListenToSession();

    TProgramSession& session_;
    QScrollBar* scroll_ = nullptr;
    QMenu* menu_ = nullptr;
    std::vector<QAction*> commands_;

    TDateTime firstShown_ = NullDate;
    int selected_ = 0;      // cell index
    int selectedLine_ = -1; // in the selected cell
    TDateTime reported_ = NullDate;
    std::array<TCellLines, DayCells> cells_;
    TLayout layout_;
    QPoint pressPos_;
    bool pressed_ = false;

    int startOfWeek_ = 0;
    TViewStyle viewStyle_ = csLines;
    TDatePosition datePosition_ = dpTopRight;
    bool showReminders_ = false;
    QColor evenColor_{Qt::white};
    QColor oddColor_{0x80, 0x80, 0x80};
    QColor todayColor_{0x80, 0x80, 0x00};
    QColor focusColor_{0x00, 0x00, 0x80};
    QColor focusTextColor_{Qt::white};
    QColor lineFocusColor_{0x00, 0x00, 0x80};
    QColor lineFocusTextColor_{Qt::white};
    QColor lineTextColor_{Qt::black};
    QFont headerFont_;
    QFont dateFont_;
    QFont lineFont_;
    int cellLineHeight_ = -1;
    int marginX_ = 1;
    int marginY_ = 1;
    std::vector<QPixmap> images_;
    QSize imageSize_{0, 0};
};

} // namespace kelvo
