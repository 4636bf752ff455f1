#pragma once

#include "core/scheduling/ReminderInitializeCondition.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;

namespace kelvo {

class TBoundedSpinBox;

// The six units of the reminder editors, minute(s) to year(s); entry i is TPeriodType i + 1.
void FillPeriodUnits(QComboBox& units);

// An early reminder: how long before the event, at which time, and whether and how often it
// repeats until when.
class TReminderDateFrame : public QWidget {
    Q_OBJECT
public:
    explicit TReminderDateFrame(QWidget* parent = nullptr);
    ~TReminderDateFrame() override;

    // The working condition becomes a copy of c; the controls show it.
    void LoadCondition(const TReminderInitializeCondition& c);
    // The controls copied into the working condition; the frame keeps owning it.
    TReminderInitializeCondition& BuildCondition();
    void SetDefault(TDateTime x);

    TBoundedSpinBox& StartNumber() const { return *startNumber_; }
    QComboBox& StartSubject() const { return *startSubject_; }
    QLineEdit& TimeEdit() const { return *timeEdit_; }
    QToolButton& TimeBtn() const { return *timeBtn_; }
    QCheckBox& RepeatEnabled() const { return *repeat_; }
    TBoundedSpinBox& RepeatNumber() const { return *repeatNumber_; }
    QComboBox& RepeatSubject() const { return *repeatSubject_; }
    QLineEdit& UntilEdit() const { return *untilEdit_; }
    QToolButton& RepeatBtn() const { return *repeatBtn_; }

private:
    void Fill();
    void ShowRepeatLine();
    void ShowTimeLine();
    void EditTime();
    void EditEnd();

    TReminderInitializeCondition working_;
    TBoundedSpinBox* startNumber_;
    QComboBox* startSubject_;
    QLineEdit* timeEdit_;
    QToolButton* timeBtn_;
    QCheckBox* repeat_;
    QWidget* repeatLine_;
    TBoundedSpinBox* repeatNumber_;
    QComboBox* repeatSubject_;
    QLineEdit* untilEdit_;
    QToolButton* repeatBtn_;
};

} // namespace kelvo
