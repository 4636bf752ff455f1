#pragma once

#include "gui/editors/frConditionList.h"

namespace kelvo {

// The reminder's further conditions; nothing can be added or edited while the list box is
// disabled.
class TReminderConditionListFrame : public TInitializeConditionListFrame {
    Q_OBJECT
public:
    explicit TReminderConditionListFrame(QWidget* parent = nullptr);

protected:
    std::unique_ptr<TInitializeCondition> NewCondition() const override;
    bool EditCondition(TInitializeCondition& member) override;
};

} // namespace kelvo
