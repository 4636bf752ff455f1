#pragma once

// "Choose action...": the single-action editor in a dialog of its own, for the action lists.

#include <QDialog>
#include <functional>

namespace kelvo {

class TActionFrame;
class TAppIni;
class TEventAction;
class TPlatformActions;

class TActionDialogForm : public QDialog {
    Q_OBJECT
public:
    TActionDialogForm(TAppIni* ini, TPlatformActions* platform, QWidget* parent);

    TActionFrame& Frame() { return *frame_; }

private:
    TActionFrame* frame_;
};

// Runs the dialog modal to owner only, on action when one is given (otherwise the editor's
// initial values with the beep); on OK calls chosen with the editor's action (the dialog's:
// copy it). Answers whether OK was pressed.
bool ChooseAction(QWidget& owner, const TEventAction* action, TAppIni* ini,
                  TPlatformActions* platform,
                  const std::function<void(const TEventAction& chosen)>& chosen);

} // namespace kelvo
