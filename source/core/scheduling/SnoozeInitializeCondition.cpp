#include "core/scheduling/SnoozeInitializeCondition.h"

#include "core/stream/PropertyTable.h"

namespace kelvo {

TDateTime TSnoozeInitializeCondition::NextArise(TDateTime x) {
    if (IsNullDate(snoozeDateTime_) || snoozeDateTime_ < x)
        return NullDate;
    return snoozeDateTime_;
}

void TSnoozeInitializeCondition::AssignOwn(const TInitializeCondition& source) {
    snoozeDateTime_ = static_cast<const TSnoozeInitializeCondition&>(source).snoozeDateTime_;
}

std::unique_ptr<TInitializeCondition> TSnoozeInitializeCondition::NewInstance() const {
    return std::make_unique<TSnoozeInitializeCondition>();
}

// ---- property table ---------------------------------------------------------------------

const TClassInfo& TSnoozeInitializeCondition::StaticClass() {
    using C = TSnoozeInitializeCondition;
    static const TClassInfo info =
        TClassBuilder<C, TInitializeCondition>("TSnoozeInitializeCondition")
            .DateTime("SnoozeDateTime", &C::SnoozeDateTime, &C::SetSnoozeDateTime)
            .Build();
    return info;
}

} // namespace kelvo
