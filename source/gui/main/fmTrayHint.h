#pragma once

// What the tray icon tells of the day: the next event and today's other arisings, as a small
// window beside the tray (where the host lets the program see the mouse rest on the icon) and
// as the icon's tooltip (where it does not).

#include "core/util/paDateUtils.h"

#include <QIcon>
#include <QString>
#include <QWidget>
#include <vector>

class QLabel;
class QTimer;
class QTreeWidget;

namespace kelvo {

class TReminderNotebook;

struct TTrayHintRow {
    QString Name;
    QString Time;
    QIcon Icon;
};

struct TTrayHintContent {
    bool HasNext = false;
    TTrayHintRow Next;
    std::vector<TTrayHintRow> Today;
};

// The notebook's next scheduled event, and every event whose next arising from now falls on
// today, soonest first.
TTrayHintContent TrayHintContent(const TReminderNotebook& notebook, TDateTime now);
// The same as plain lines, for hosts that show only a tooltip.
QString TrayHintText(const TTrayHintContent& content);

class TTrayHintForm : public QWidget {
    Q_OBJECT
public:
    explicit TTrayHintForm(QWidget* parent = nullptr);

    void SetContent(const TTrayHintContent& content);
    // Beside the icon's area (or the cursor when the host tells none), inside the screen.
    void ShowNear(const QRect& icon, const QPoint& cursor);

    QLabel& TimeLabel() const { return *timeLabel_; }
    QLabel& NextLabel() const { return *nextLabel_; }
    QLabel& NextTimeLabel() const { return *nextTimeLabel_; }
    QTreeWidget& List() const { return *list_; }
    QLabel& NoneLabel() const { return *noneLabel_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ShowTime();

    QLabel* timeLabel_ = nullptr;
    QLabel* nextImage_ = nullptr;
    QLabel* nextLabel_ = nullptr;
    QLabel* nextTimeLabel_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLabel* noneLabel_ = nullptr;
    QTimer* clock_ = nullptr;
};

} // namespace kelvo
