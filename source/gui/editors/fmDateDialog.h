#pragma once

#include "core/scheduling/DateCondition.h"
#include "gui/editors/EditorControls.h"

#include <functional>

namespace kelvo {

class TDateFrame;

// "Choose date...": one date of any kind but the complex one, or a single date only.
class TDateDialogForm : public TEditorDialog {
    Q_OBJECT
public:
    explicit TDateDialogForm(QWidget* owner);
    TDateFrame& Frame() const { return *frame_; }

private:
    TDateFrame* frame_;
};

using TDateAccepted = std::function<void(const TDateCondition&)>;

// Loads condition when given and it suits (a once date, or any with onceOnly false); on OK
// hands the built condition to accepted. True for OK.
bool ChooseDate(QWidget* owner, const TDateCondition* condition, bool onceOnly,
                const TDateAccepted& accepted);

} // namespace kelvo
