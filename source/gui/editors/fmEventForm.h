#pragma once

// The event properties dialog: when an event arises, what it shows and does, its early
// reminder and its options, on pages. It edits a private copy; only OK writes back, and only
// a copy that could be built completely.

#include "core/entities/Event.h"
#include "gui/events/EventView.h"
#include "gui/options/fmOptionsDlg.h"

#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace kelvo {
class TpaColorButton;

class TActionFrame;
class TActionListFrame;
class TConditionListFrame;
class TReminderConditionListFrame;
class TReminderDateFrame;
class TSimpleConditionFrame;
class TProgramSession;

class EEventFormError : public EpaError {
public:
    using EpaError::EpaError;
};

class TEventForm : public TOptionsDlgForm {
    Q_OBJECT
public:
    enum TPageIndex { InitializePage, ActionPage, ReminderPage, OptionsPage, SummaryPage };

    // The dialog of one program run; parent is the window it is modal to.
    TEventForm(TProgramSession& session, QWidget* parent);
    ~TEventForm() override;

    // Edits target (an event or a template); false leaves it untouched. date, when not zero,
    // is the day the editors start from.
    bool ShowEventDialog(TEvent& target, const QString& caption, TDateTime date, int firstPage);

    // Lets the user pick a template by name; allowNone lets the root give an empty name.
    // Until one is set, a list of the template names is offered.
    using TChooseTemplate = std::function<bool(QWidget& owner, std::string& name, bool allowNone)>;
    void SetTemplateChooser(TChooseTemplate choose) { chooseTemplate_ = std::move(choose); }

    // The controls stored into a fresh copy of the event being edited; raises the error that
    // stops the dialog from closing with OK.
    std::unique_ptr<TEvent> BuildEvent() const;

    TActionFrame& ActionEditor() { return *actionFrame_; }
    TActionListFrame& MoreActions() { return *actionsFrame_; }
    TActionListFrame& ReminderActions() { return *remActionsFrame_; }
    // The last error OK showed.
    const QString& LastError() const { return lastError_; }

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildInitializePage();
    QWidget* BuildActionPage();
    QWidget* BuildReminderPage();
    QWidget* BuildOptionsPage();
    QWidget* BuildSummaryPage();
    QToolButton* Toggle(const QString& objectName, const QString& accessibleName);

    void Reset(TDateTime date);
    void LoadControls(const TEvent& e);
    void StoreControls(TEvent& e) const;
    void FillSummary();
    void SetToggle(QToolButton& toggle, bool open);
    void UpdateActionPage();
    void UpdateReminderPage();
    void UpdateSnoozeBound();
    void ChangeIcon();
    void ChangeTemplate();
    void ShowIcon();

    TProgramSession& session_;
    std::unique_ptr<TEvent> working_;
    std::unique_ptr<TEvent> result_;
    TChooseTemplate chooseTemplate_;
    QString lastError_;
    QString shownMessage_;
    std::string iconFileName_;
    int iconFileId_ = 0;

    // Date/Time
    TSimpleConditionFrame* condition_ = nullptr;
    QToolButton* conditionsToggle_ = nullptr;
    TConditionListFrame* conditions_ = nullptr;
    // Action
    QPlainTextEdit* messageMemo_ = nullptr;
    QCheckBox* showAlarm_ = nullptr;
    QCheckBox* doAction_ = nullptr;
    TActionFrame* actionFrame_ = nullptr;
    QLabel* actionsName_ = nullptr;
    QToolButton* actionsToggle_ = nullptr;
    TActionListFrame* actionsFrame_ = nullptr;
    // Reminder
    QCheckBox* enabledReminder_ = nullptr;
    QGroupBox* reminderConditionGroup_ = nullptr;
    TReminderDateFrame* reminderCondition_ = nullptr;
    QLabel* remConditionsName_ = nullptr;
    QToolButton* remConditionsToggle_ = nullptr;
    TReminderConditionListFrame* remConditions_ = nullptr;
    QGroupBox* reminderActionsGroup_ = nullptr;
    QCheckBox* remShowAlarm_ = nullptr;
    QComboBox* reminderActions_ = nullptr;
    TActionListFrame* remActionsFrame_ = nullptr;
    // Options
    QLabel* iconImage_ = nullptr;
    QPushButton* changeIcon_ = nullptr;
    QCheckBox* deleteAfter_ = nullptr;
    QCheckBox* executeIfMissed_ = nullptr;
    QCheckBox* computeCount_ = nullptr;
    QCheckBox* hidden_ = nullptr;
    QSpinBox* snoozeNumber_ = nullptr;
    QComboBox* snoozePeriod_ = nullptr;
    TpaColorButton* messageColor_ = nullptr;
    TpaColorButton* windowColor_ = nullptr;
    QLineEdit* templateEdit_ = nullptr;
    QPushButton* changeTemplate_ = nullptr;
    // Summary
    QLabel* sumDescription_ = nullptr;
    QPlainTextEdit* sumInitialize_ = nullptr;
    QPlainTextEdit* sumAction_ = nullptr;
    QPlainTextEdit* sumRemCondition_ = nullptr;
    QPlainTextEdit* sumRemAction_ = nullptr;
    QLabel* sumTemplate_ = nullptr;
    QLabel* sumIcon_ = nullptr;
    QPlainTextEdit* sumOptions_ = nullptr;
};

} // namespace kelvo
