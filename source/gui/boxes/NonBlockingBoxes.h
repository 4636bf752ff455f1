#pragma once

// The program's message boxes, questions and dialogs. None is modal: a modal box would
// block every alarm window (the user could neither close nor snooze an alarm while it is
// open), and a nested modal loop at the wrong moment lets arisings run half-wired. Each box
// is kept above stay-on-top windows, so it never ends up hidden under an alarm window.

#include <QMessageBox>
#include <QString>
#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace kelvo {

using TBoxAnswered = std::function<void(QMessageBox::StandardButton)>;

// Shows the box and returns at once. answered (if any) runs once with the button chosen;
// Escape and the close button give the box's escape button, or NoButton. The box deletes
// itself once answered.
QMessageBox* ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                     const QString& text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                     QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                     TBoxAnswered answered = {});

// For a caller that cannot go on without the answer: the box as above, waited for in a
// local event loop. Timers, arisings and the alarm windows go on meanwhile.
QMessageBox::StandardButton AskAndWait(QWidget* parent, QMessageBox::Icon icon,
                                       const QString& title, const QString& text,
                                       QMessageBox::StandardButtons buttons,
                                       QMessageBox::StandardButton defaultButton);

// Any dialog the same way: not modal, above stay-on-top windows, waited for until it is
// finished. Answers the dialog's result.
int RunAndWait(QDialog& dialog);

// Puts every open box back on top; for after a stay-on-top window was shown.
void RaiseOpenBoxes();
// The boxes and waited-for dialogs open now.
std::vector<QWidget*> OpenBoxes();
// Whether a local loop of AskAndWait or RunAndWait is running.
bool WaitingForBox();

} // namespace kelvo
