#pragma once

namespace kelvo {

class TIntegerOption;

// The three process-wide switches with which the user silences sounds, actions or alarm
// windows, set only through SetAlarmMode.
//   mode 0: everything on; 1: no sound actions; 2: no actions but the alarm window;
//   3: nothing at all.
class TAlarmSwitches {
public:
    bool SoundActionsEnabled() const { return sound_; }
    bool ActionsEnabled() const { return actions_; }
    bool AlarmWindowsEnabled() const { return windows_; }
    int AlarmMode() const { return mode_; }

    // Choosing the mode already in force (1..3) switches back to mode 0. An unknown mode
    // is mode 0. The mode in force is stored in the bound option.
    void SetAlarmMode(int mode);
    // Where the mode is kept (the AlarmOption option); nullptr to unbind.
    void BindOption(TIntegerOption* alarmOption) { option_ = alarmOption; }

private:
    bool sound_ = true;
    bool actions_ = true;
    bool windows_ = true;
    int mode_ = 0;
    TIntegerOption* option_ = nullptr;
};

// The program's one set of switches.
TAlarmSwitches& AlarmSwitches();

} // namespace kelvo
