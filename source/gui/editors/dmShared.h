#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QAction;
class QDateEdit;
class QDateTimeEdit;
class QMenu;
class QPoint;
class QToolButton;

namespace kelvo {

// The time menu every time picker offers: "Now", "At" a half hour of the day, "In" some
// minutes from now. One menu for the whole program, built on first use.
class TDM : public QObject {
    Q_OBJECT
public:
    static TDM& Instance();

    QMenu& TimePickerPopup() const { return *popup_; }
    QAction* NowMenuItem() const { return now_; }
    QAction* AtMenuItem() const { return at_; }
    QAction* InMenuItem() const { return in_; }
    // 00:00 to 23:30; 5 to 55 minutes, then 1 to 6 hours.
    const std::vector<QAction*>& AtItems() const { return atItems_; }
    const std::vector<QAction*>& InItems() const { return inItems_; }

    // The picker the items act on until the menu is opened for another; date, when given, is
    // the date picker beside it, moved on by the days an "In" item passes.
    void Target(QDateTimeEdit* picker, QDateEdit* date = nullptr);
    void PopupFor(QDateTimeEdit& picker, const QPoint& globalPos, QDateEdit* date = nullptr);
    // The picker's context menu and the small drop-down button beside it.
    void Attach(QDateTimeEdit& picker, QToolButton& button,
                std::function<QDateEdit*()> beside = {});

    // The caption of an "At" item: the short time format without its seconds.
    static QString AtCaption(int minutesOfDay);

private:
    TDM();
    ~TDM() override;
    void SetIn(int minutes);

    QMenu* popup_;
    QAction* now_;
    QAction* at_;
    QAction* in_;
    std::vector<QAction*> atItems_;
    std::vector<QAction*> inItems_;
    QPointer<QDateTimeEdit> picker_;
    QPointer<QDateEdit> date_;
};

} // namespace kelvo
