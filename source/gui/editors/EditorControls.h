#pragma once

// What every condition editor shares: the numeric field that keeps a stored value outside its
// bounds until the user edits it, the date and time pickers and their conversions, small event
// hooks for read-only fields, and the OK/Cancel/Help dialog frame.

#include "core/util/paDateUtils.h"

#include <QDate>
#include <QDialog>
#include <QSpinBox>
#include <QString>
#include <QTime>
#include <functional>
#include <span>
#include <string>

class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QStackedWidget;
class QRadioButton;
class QTimeEdit;
class QVBoxLayout;

namespace kelvo {

inline QString QText(const std::string& text) {
    return QString::fromStdString(text);
}

QDate ToQDate(TDateTime d);
TDateTime FromQDate(const QDate& d);
QTime ToQTime(TDateTime t);
TDateTime FromQTime(const QTime& t);
// A picker shows whole milliseconds; a stored time may carry finer bits. ShowTime remembers
// the value it shows, and ShownTime answers it exactly while the user has not changed the
// picker, so an unedited time is written back as it was read.
void ShowTime(QTimeEdit& picker, TDateTime t);
TDateTime ShownTime(const QTimeEdit& picker);

// Names a control for tests (objectName) and for assistive tools (accessibleName).
template <typename W> W* Named(W* widget, const char* objectName, const QString& accessible) {
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(accessible);
    return widget;
}

// A numeric field with fixed bounds. A value loaded from outside them (a file written by hand
// or by another version) is shown and kept as it is; the first edit by the user brings it back
// into the bounds.
class TBoundedSpinBox : public QSpinBox {
    Q_OBJECT
public:
    TBoundedSpinBox(int lowest, int highest, QWidget* parent = nullptr);

    void SetLoaded(int value);
    bool OutOfBounds() const { return widened_; }
    void stepBy(int steps) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RestoreBounds();

    int lowest_;
    int highest_;
    bool widened_ = false;
};

QDateEdit* NewDatePicker(QWidget* parent, const char* objectName, const QString& accessible);
QTimeEdit* NewTimePicker(QWidget* parent, const char* objectName, const QString& accessible);

// Runs action on a double click on widget.
void OnDoubleClick(QWidget& widget, std::function<void()> action);
// Runs action on any key pressed in widget except those that move the focus, close the
// dialog or only modify.
void OnAnyKey(QWidget& widget, std::function<void()> action);
// Runs action on a single click on widget.
void OnClick(QWidget& widget, std::function<void()> action);

// A dialog of the editors: modal to the window that opens it only (alarm windows stay
// answerable), a fixed border, OK (default), Cancel and, with a topic, Help.
class TEditorDialog : public QDialog {
    Q_OBJECT
public:
    TEditorDialog(QWidget* owner, const QString& caption, int helpTopic);

    QVBoxLayout& Body() const { return *body_; }
    // Shows the dialog centred on its owner's window and waits; true for OK.
    bool Run();
    int HelpTopic() const { return helpTopic_; }

private:
    QVBoxLayout* body_;
    int helpTopic_;
};

// Opens a Form (a TEditorDialog whose Frame() edits one condition) on a copy of condition
// and writes it back only on OK.
template <class Form, class Condition> bool EditInDialog(QWidget* owner, Condition& condition) {
    Form dialog(owner);
    dialog.Frame().LoadCondition(condition);
    if (!dialog.Run())
        return false;
    condition.Assign(dialog.Frame().BuildCondition());
    return true;
}

// Runs dialog (a Form of one condition) without the complex kind; on OK hands the condition
// built to accepted, when there is one. True for OK.
template <class Form, class Accepted> bool ChooseInDialog(Form& dialog, const Accepted& accepted) {
    dialog.Frame().ShowComplexKind(false);
    if (!dialog.Run())
        return false;
    if (accepted)
        accepted(dialog.Frame().BuildCondition());
    return true;
}

// Opens a Form with Load and Store of a Part (a condition or a piece of one) and stores into
// part only on OK; true for OK.
template <class Form, class Part> bool EditByForm(QWidget* owner, Part& part) {
    Form dialog(owner);
    dialog.Load(part);
    if (!dialog.Run())
        return false;
    dialog.Store(part);
    return true;
}

// The radio buttons of a dialog's exclusive choices, down grid's first column from row 0;
// clicked runs on a click on any of them.
void AddChoiceRadios(QWidget& owner, QGridLayout& grid, std::span<QRadioButton*> radios,
                     std::span<const QString> captions, std::span<const char* const> names,
                     const std::function<void()>& clicked);
// The kinds of a condition frame: a column of radio buttons, one per kind, on the left of
// layout, and right of it a stack with a page per kind, which a click on a kind shows.
// Returns the column.
QWidget* AddKindColumn(QWidget& frame, QHBoxLayout& layout, std::span<QRadioButton*> buttons,
                       std::span<const QString> captions, std::span<const char* const> names,
                       QStackedWidget*& pages);
// Shows a kind by program: its radio button is checked without the click handling.
void ShowKindPage(std::span<QRadioButton* const> buttons, QStackedWidget& pages, int kind);
// The index of the checked button, or -1.
int CheckedIndex(std::span<QRadioButton* const> radios);

} // namespace kelvo
