#include "core/actions/AlarmSwitches.h"

#include "core/options/ProgramOptions.h"
#include "core/options/paAppIni.h"

#include <gtest/gtest.h>
#include <vector>

namespace kelvo {
namespace {

TEST(AlarmSwitches, ModesAndTheToggle) {
    TAlarmSwitches switches;
    TOptionList list;
    auto& option = list.Add<TIntegerOption>("AlarmOption", "", 0);
    switches.BindOption(&option);
    const auto state = [&] {
        return std::vector<bool>{switches.SoundActionsEnabled(), switches.ActionsEnabled(),
                                 switches.AlarmWindowsEnabled()};
    };
    EXPECT_EQ(state(), (std::vector<bool>{true, true, true}));
    switches.SetAlarmMode(1);
    EXPECT_EQ(state(), (std::vector<bool>{false, true, true}));
    EXPECT_EQ(option.Value(), 1);
    switches.SetAlarmMode(1); // chosen again: back to all enabled
    EXPECT_EQ(state(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(switches.AlarmMode(), 0);
    EXPECT_EQ(option.Value(), 0);
    switches.SetAlarmMode(2);
    EXPECT_EQ(state(), (std::vector<bool>{false, false, true}));
    switches.SetAlarmMode(3);
    EXPECT_EQ(state(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(option.Value(), 3);
    switches.SetAlarmMode(0);
    switches.SetAlarmMode(0);
    EXPECT_EQ(switches.AlarmMode(), 0);
    switches.SetAlarmMode(9); // from a damaged settings file
    EXPECT_EQ(switches.AlarmMode(), 0);
    EXPECT_EQ(state(), (std::vector<bool>{true, true, true}));
}

TEST(AlarmSwitches, SavedModeIsRestoredAtStart) {
    TMemAppIni ini;
    ini.WriteInteger("Options", "AlarmOption", 2);
    TProgramOptions options;
    options.List.Reset();
    options.List.Load(ini);
    TAlarmSwitches switches;
    switches.BindOption(&options.AlarmOption);
    switches.SetAlarmMode(options.AlarmOption.Value());
    EXPECT_FALSE(switches.SoundActionsEnabled());
    EXPECT_FALSE(switches.ActionsEnabled());
    EXPECT_TRUE(switches.AlarmWindowsEnabled());
    EXPECT_EQ(options.AlarmOption.Value(), 2);
}

} // namespace
} // namespace kelvo
