#pragma once

#include "core/scheduling/TimeCondition.h"
#include "gui/editors/EditorControls.h"

#include <functional>

namespace kelvo {

class TTimeFrame;

// "Choose time...": one time of any kind but the complex one.
class TTimeDialogForm : public TEditorDialog {
    Q_OBJECT
public:
    explicit TTimeDialogForm(QWidget* owner);
    TTimeFrame& Frame() const { return *frame_; }

private:
    TTimeFrame* frame_;
};

using TTimeAccepted = std::function<void(const TTimeCondition&)>;

// Loads condition when given; on OK hands the built condition to accepted. True for OK.
bool ChooseTime(QWidget* owner, const TTimeCondition* condition, const TTimeAccepted& accepted);

} // namespace kelvo
