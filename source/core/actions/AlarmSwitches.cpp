#include "core/actions/AlarmSwitches.h"

#include "core/options/OptionsStd.h"

namespace kelvo {

void TAlarmSwitches::SetAlarmMode(int mode) {
    if (mode < 0 || mode > 3 || (mode != 0 && mode == mode_))
        mode = 0;
    mode_ = mode;
    sound_ = mode == 0;
    actions_ = mode <= 1;
    windows_ = mode <= 2;
    if (option_)
        option_->SetValue(mode);
}

TAlarmSwitches& AlarmSwitches() {
    static TAlarmSwitches switches;
    return switches;
}

} // namespace kelvo
