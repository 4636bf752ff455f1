#include "core/options/OptionList.h"

#include "core/options/OptionsStd.h"
#include "core/options/ProgramOptions.h"
#include "core/options/paAppIni.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

// Counts handler calls per option name.
struct Handlers {
    std::vector<std::string> calls;
    void Attach(TOptionList& list) {
        for (std::size_t i = 0; i < list.Count(); ++i)
            list.Option(i).OnChanged = [this](TOption& o) { calls.push_back(o.Name()); };
    }
};

TEST(Option, SettingTheSameValueRunsNoHandler) {
    TOptionList list;
    auto& period = list.Add<TIntegerOption>("QuickDefaultPeriod", "Quick", 5);
    int calls = 0;
    period.OnChanged = [&](TOption&) { ++calls; };
    period.SetValue(5);
    EXPECT_EQ(calls, 0);
    period.SetValue(6);
    EXPECT_EQ(calls, 1);
    list.DisableNotify();
    period.SetValue(7);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(period.Value(), 7);
    list.EnableNotify();
    period.Reset();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(period.Value(), 5);

    TIntegerOption loose("Loose", "", 1); // not in a list: changes silently
    loose.OnChanged = [&](TOption&) { ++calls; };
    loose.SetValue(2);
    EXPECT_EQ(calls, 2);
}

TEST(Option, TextsForTheErrorReport) {
    TOptionList list;
    list.Add<TBooleanOption>("B", "", true);
    list.Add<TBooleanOption>("F", "", false);
    list.Add<TIntegerOption>("I", "", -12);
    list.Add<TColorOption>("C", "", SettingsSystemColor(5));
    list.Add<TStringOption>("S", "", "Miscelaneous");
    list.Add<TDoubleOption>("D", "", 70.5);
    TFont font = VerdanaFont(8);
    font.Style = fsBold | fsUnderline;
    list.Add<TFontOption>("Font", "", font);
    auto& base = list.Add<TDoubleOption>("E", "", 80.0);
    (void)base;
    std::vector<std::string> lines{"first"};
    list.WriteToStrings(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "first", "B=-1", "F=0", "I=-12", "C=80000005", "S=Miscelaneous", "D=70.5",
                         "Font=(  Name=Verdana Size=8 Color=80000008 CharSet=1 "
                         "Style=fsBold,fsUnderline )",
                         "E=80"}));
}

TEST(Option, AssignmentCopiesDefaultThenValue) {
    TOptionList a, b;
    auto& from = a.Add<TStringOption>("S", "", "def");
    auto& to = b.Add<TStringOption>("S", "", "other");
    from.SetValue("value");
    int calls = 0;
    to.OnChanged = [&](TOption&) { ++calls; };
    to.Assign(from);
    EXPECT_EQ(to.Value(), "value");
    EXPECT_EQ(to.DefaultValue(), "def");
    EXPECT_EQ(calls, 1);
    to.Assign(from);
    EXPECT_EQ(calls, 1);
    auto& number = b.Add<TIntegerOption>("I");
    EXPECT_THROW(number.Assign(from), EOptionError);
    auto& color = b.Add<TColorOption>("C");
    EXPECT_THROW(color.Assign(number), EOptionError);
}

TEST(Option, FontDefaultComparesAsDisplayed) {
    TFont def = VerdanaFont(8);
    TFontOption option("F", "Font", def);
    TFont same = def;
    same.Name = "VERDANA";
    same.Color = clBlack; // what window text resolves to
    option.SetFont(same);
    EXPECT_TRUE(option.IsDefault());
    same.Size = 9;
    option.SetFont(same);
    EXPECT_FALSE(option.IsDefault());
    option.Reset();
    EXPECT_EQ(option.Font(), def);
}

TEST(OptionList, LookupAndMissingName) {
    TProgramOptions options;
    EXPECT_EQ(options.List.FindOption("AlarmOption"), &options.AlarmOption);
    EXPECT_EQ(options.List.FindOption("alarmoption"), nullptr);
    try {
        options.List.OptionByName("NoSuch");
        FAIL();
    } catch (const EOptionError& e) {
        EXPECT_STREQ(e.what(), "Option \"NoSuch\" not fount");
    }
}

TEST(OptionList, ProgramTableInOrderWithDefaults) {
    TProgramOptions options;
    // The table's options, then the ones of this desktop.
    ASSERT_EQ(options.List.Count(), 55u);
    EXPECT_EQ(options.List.Option(0).Name(), "FontTemplatesTree");
    EXPECT_EQ(options.List.Option(28).Name(), "ViewExploreSplitterPercent");
    EXPECT_EQ(options.List.Option(53).Name(), "ColorCalendarToday");
    EXPECT_EQ(options.List.Option(54).Name(), "BehaviourDesktopNotifications");
    EXPECT_FALSE(options.BehaviourDesktopNotifications.DefaultValue());
    EXPECT_EQ(options.List.Section(), "Options");
    EXPECT_EQ(options.FontCalendarItems.DefaultFont().Height(), 9);
    EXPECT_EQ(options.FontCalendar.DefaultFont().Height(), 11);
    EXPECT_EQ(options.ColorCalendarOddMonth.DefaultValue(), 0x00808080u);
    EXPECT_EQ(options.ColorCalendarToday.DefaultValue(), 0x00008080u);
    EXPECT_EQ(options.QuickDefaultTemplate.DefaultValue(), "Miscelaneous");
    EXPECT_EQ(options.KeyboardEventByTemplateKey.DefaultValue(), 84);
    EXPECT_DOUBLE_EQ(options.ViewCalendarSplitterPercent.DefaultValue(), 80.0);
    EXPECT_EQ(options.StartupDataLocation.Category(), "");
    int keyboard = 0;
    for (std::size_t i = 0; i < options.List.Count(); ++i)
        keyboard += options.List.Option(i).Category() == "Keyboard";
    EXPECT_EQ(keyboard, 16);
    EXPECT_TRUE(options.List.IsDefault());
}

TEST(OptionList, AdjustedDefaults) {
    TProgramOptions options;
    options.AdjustDefaults(
        {false, "/home/u/.local/share/Brennikor/Tavrelon/", true, "/opt/kelvo/Sounds/Beep.wav"});
    options.List.Reset();
    EXPECT_EQ(options.FontEventsView.Font().Name, "Arial");
    EXPECT_EQ(options.FontCalendarItems.Font().Size, 7);
    EXPECT_EQ(options.StartupDataLocation.Value(),
              "/home/u/.local/share/Brennikor/Tavrelon/kelvo-rem");
    EXPECT_TRUE(options.MediaUseWavForBeep.Value());
    EXPECT_EQ(options.MediaBeepFileName.Value(), "/opt/kelvo/Sounds/Beep.wav");

    TProgramOptions plain;
    plain.AdjustDefaults({true, "/d/", true, ""});
    EXPECT_EQ(plain.FontTemplatesTree.DefaultFont().Name, "Verdana");
    EXPECT_FALSE(plain.MediaUseWavForBeep.DefaultValue());
}

TEST(OptionList, SaveLoadRoundTripRunsHandlersOfChangedOnly) {
    TMemAppIni ini;
    TProgramOptions saved;
    saved.QuickDefaultPeriod.SetValue(15);
    saved.ViewExploreSplitterPercent.SetValue(62.25);
    TFont f = VerdanaFont(10);
    f.Style = fsItalic;
    saved.FontCalendar.SetFont(f);
    saved.ColorAllEvents.SetValue(0x00123456);
    saved.BehaviourShowTrayIcon.SetValue(false);
    saved.List.Save(ini);
    EXPECT_EQ(ini.ReadValue("Options", "BehaviourShowTrayIcon"), TIniValue::FromText("False"));
    EXPECT_EQ(ini.ReadValue("Options", "FontCalendar.Style"), TIniValue::FromText("*fsItalic"));

    TProgramOptions loaded;
    Handlers h;
    h.Attach(loaded.List);
    loaded.List.Load(ini);
    EXPECT_EQ(h.calls,
              (std::vector<std::string>{"FontCalendar", "ColorAllEvents", "BehaviourShowTrayIcon",
                                        "QuickDefaultPeriod", "ViewExploreSplitterPercent"}));
    EXPECT_EQ(loaded.FontCalendar.Font(), f);
    EXPECT_DOUBLE_EQ(loaded.ViewExploreSplitterPercent.Value(), 62.25);
}

TEST(OptionList, FilteredByCategory) {
    TMemAppIni ini;
    TProgramOptions options;
    options.KeyboardActivateWin.SetValue(true);
    options.FontTemplatesTree.SetFont(VerdanaFont(12));
    options.QuickDefaultPeriod.SetValue(9);
    EXPECT_FALSE(options.List.IsDefault(true, "Keyboard"));
    EXPECT_TRUE(options.List.IsDefault(true, "Color"));
    options.List.Save(ini, true, "Quick");
    EXPECT_TRUE(ini.ReadValue("Options", "QuickDefaultPeriod"));
    EXPECT_FALSE(ini.ReadValue("Options", "KeyboardActivateWin"));
    options.List.Reset(true, "Font");
    EXPECT_TRUE(options.List.IsDefault(true, "Font"));
    EXPECT_TRUE(options.KeyboardActivateWin.Value());
    EXPECT_EQ(options.QuickDefaultPeriod.Value(), 9);
}

TEST(OptionList, DialogRoundTrip) {
    TProgramOptions main;
    Handlers h;
    h.Attach(main.List);
    main.QuickDefaultPeriod.SetValue(15);
    h.calls.clear();

    TOptionList dialog;
    dialog.Add<TIntegerOption>("Stale");
    main.List.AssignTo(dialog);
    ASSERT_EQ(dialog.Count(), main.List.Count());
    EXPECT_EQ(dialog.FindOption("Stale"), nullptr);
    auto& copy = dynamic_cast<TIntegerOption&>(dialog.OptionByName("QuickDefaultPeriod"));
    EXPECT_EQ(copy.Value(), 15);
    EXPECT_EQ(copy.DefaultValue(), 5);
    EXPECT_EQ(copy.Category(), "Quick");
    EXPECT_FALSE(copy.OnChanged);
    EXPECT_TRUE(h.calls.empty());

    dynamic_cast<TBooleanOption&>(dialog.OptionByName("ViewMainPanel")).SetValue(false);
    dialog.Reset(true, "Quick");
    main.List.AssignValues(dialog);
    EXPECT_EQ(h.calls, (std::vector<std::string>{"QuickDefaultPeriod", "ViewMainPanel"}));
    EXPECT_EQ(main.QuickDefaultPeriod.Value(), 5);
    EXPECT_FALSE(main.ViewMainPanel.Value());
}

TEST(OptionList, RemovedMemberIsGone) {
    TOptionList list;
    auto& a = list.Add<TIntegerOption>("A");
    list.Add<TIntegerOption>("B");
    list.Remove(a);
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.FindOption("A"), nullptr);
}

TEST(FirstDayOfWeek, StoredValueOrTheLocalesDay) {
    TMemAppIni ini;
    for (const auto& [stored, expected] : {std::pair{6, 6}, std::pair{9, 1}, std::pair{-1, 1}}) {
        TProgramOptions options;
        int calls = 0;
        options.BehaviourFirstDayOfWeek.OnChanged = [&](TOption&) { ++calls; };
        ini.WriteInteger("Options", "BehaviourFirstDayOfWeek", stored);
        options.List.Load(ini);
        // The handler runs with notification off: Monday first in the locale.
        EXPECT_EQ(ApplyFirstDayOfWeek(options.BehaviourFirstDayOfWeek, 0, 1), expected);
        EXPECT_EQ(options.BehaviourFirstDayOfWeek.DefaultValue(), 1);
        EXPECT_TRUE(options.List.NotifyEnabled());
        EXPECT_EQ(calls, 1);
        options.List.Save(ini);
        EXPECT_EQ(ini.ReadInteger("Options", "BehaviourFirstDayOfWeek", 0), expected);
    }
    TProgramOptions fresh;
    EXPECT_EQ(ApplyFirstDayOfWeek(fresh.BehaviourFirstDayOfWeek, 6, 0), 0); // Sunday locale
}

} // namespace
} // namespace kelvo
