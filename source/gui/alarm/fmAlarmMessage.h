#pragma once

// The small window that pops up when an event or its early reminder arises: what the event is
// about, when it started, and the three answers (close, snooze, find). The window knows
// nothing of the notebook; it reports back through two callbacks.

#include "core/util/paDateUtils.h"

#include <QDialog>
#include <QIcon>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace kelvo {

class TEvent;

// A colour value of the data files as a Qt colour: 0x00BBGGRR, or a system colour (0xFF000000
// or 0x80000000 plus its index) taken from the palette role that plays its part.
QColor ColorFromValue(std::int32_t value, const QPalette& palette);
// Text of the core (UTF-8; bytes from a Windows machine are Windows-1252) for a widget.
QString TextFromCore(const std::string& text);

class TAlarmMessageForm : public QDialog {
    Q_OBJECT
public:
    using TEventCallback = std::function<void(TEvent&)>;

    // transientParent only keeps windows of events without eoStayOnTop above the main
    // window; it does not own the alarm window.
    explicit TAlarmMessageForm(QWidget* transientParent = nullptr);
    // A window destroyed while its event is attached is answered as by "&Close" first.
    ~TAlarmMessageForm() override;

    // Attaches the event and fills the window: caption, start, age, message, snooze choice.
    // The window style follows the event's eoStayOnTop. due: for an overdue alarm, the
    // missed moment, which the start text then shows (the check's time tells nothing).
    void Attach(TEvent& event, bool isEventAlarm, bool overdue, TDateTime due = NullDate);
    // Window colour, message colour and icon of the attached event; refreshed on every alarm.
    void ApplyLook(const QIcon& icon);
    // Shows the window without modality, paints it and brings it to the front; a minimized
    // window stays minimized.
    void Present();

    // None once the window has been answered.
    TEvent* AttachedEvent() const { return event_; }
    bool IsEventAlarm() const { return isEventAlarm_; }
    bool Overdue() const { return overdue_; }

    // "&Close": the event becomes enabled. Nothing once answered.
    void CloseAlarm();
    // "&Snooze for": the choice becomes the event's default snooze, and the event (or its
    // reminder) is snoozed by it. Nothing once answered.
    void SnoozeAlarm();
    // "&Find".
    void FindEvent();
    // Forgets the event without answering (program end: the alarm stays as it was).
    void Detach() { event_ = nullptr; }
    // Adds the line that says the sound file could not be played.
    void ReportSoundNotPlayed(const QString& fileName);
    QString SoundProblemText() const;

    // Called once, when the window is answered by Close or Snooze; the window is released
    // after it.
    TEventCallback OnAlarmClosed;
    TEventCallback OnFindEvent;

    // F1: shows a help topic, when the program has help.
    static std::function<void(int topic)>& HelpHandler();
    static constexpr int HelpTopic = 310;

protected:
    // The caption's close button and Alt+F4 only hide the window.
    void closeEvent(QCloseEvent* event) override;
    // Esc and the cancel button.
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Answer(bool snooze);
    void FillTexts(TEvent& event, TDateTime due);

    TEvent* event_ = nullptr;
    bool isEventAlarm_ = true;
    bool overdue_ = false;
    QWidget* transientParent_;

    QLabel* image1_;
    QLabel* startedLabel_;
    QLabel* ageLabel_;
    QLabel* soundLabel_;
    QPlainTextEdit* messageMemo_;
    QFrame* bevel1_;
    QPushButton* snoozeBtn_;
    QSpinBox* snoozeNumberEdit_;
    QComboBox* snoozeSubjectCombo_;
    QPushButton* openButton_;
    QPushButton* nextButton_;
};

// The age text of a reminder alarm: the span between its start and the event as whole days,
// hours and minutes, each part that is not zero, joined by ", ".
std::string SpanText(TDateTime start, TDateTime eventTime);

} // namespace kelvo
