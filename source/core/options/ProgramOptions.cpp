#include "core/options/ProgramOptions.h"

#include "core/timers/ProgramFolders.h"

namespace kelvo {

TFont VerdanaFont(int size) {
    TFont font;
    font.Name = "Verdana";
    font.Size = size;
    font.Color = SettingsSystemColor(8);
    font.CharSet = DEFAULT_CHARSET;
    font.Style = 0;
    return font;
}

TProgramOptions::TProgramOptions()
    : List("Options"),
      FontTemplatesTree(List.Add<TFontOption>("FontTemplatesTree", "Font", VerdanaFont(8))),
      FontEventsView(List.Add<TFontOption>("FontEventsView", "Font", VerdanaFont(8))),
      FontCalendar(List.Add<TFontOption>("FontCalendar", "Font", VerdanaFont(8))),
      FontCalendarItems(List.Add<TFontOption>("FontCalendarItems", "Font", VerdanaFont(7))),
      ColorTemplatesTree(
          List.Add<TColorOption>("ColorTemplatesTree", "Color", SettingsSystemColor(5))),
      ColorExploreEvents(
          List.Add<TColorOption>("ColorExploreEvents", "Color", SettingsSystemColor(5))),
      ColorCalendarOddMonth(List.Add<TColorOption>("ColorCalendarOddMonth", "Color", clGray)),
      ColorCalendarEvenMonth(List.Add<TColorOption>("ColorCalendarEvenMonth", "Color", clWhite)),
      ColorCalendarEvents(
          List.Add<TColorOption>("ColorCalendarEvents", "Color", SettingsSystemColor(5))),
      ColorFilterEvents(
          List.Add<TColorOption>("ColorFilterEvents", "Color", SettingsSystemColor(5))),
      ColorAllEvents(List.Add<TColorOption>("ColorAllEvents", "Color", SettingsSystemColor(5))),
      BehaviourShowTrayIcon(List.Add<TBooleanOption>("BehaviourShowTrayIcon", "Behaviour", true)),
      BehaviourHideFromTaskbar(
          List.Add<TBooleanOption>("BehaviourHideFromTaskbar", "Behaviour", true)),
      MediaPlayerType(List.Add<TIntegerOption>("MediaPlayerType", "Media", 0)),
      MediaWinAmpPath(List.Add<TStringOption>("MediaWinAmpPath", "Media", "")),
      StartupRunAtStartup(List.Add<TBooleanOption>("StartupRunAtStartup", "Startup", true)),
      StartupDirectlyIntoTray(List.Add<TBooleanOption>("StartupDirectlyIntoTray", "Startup", true)),
      KeyboardEscMinimizes(List.Add<TBooleanOption>("KeyboardEscMinimizes", "Keyboard", true)),
      QuickDefaultTemplate(
          List.Add<TStringOption>("QuickDefaultTemplate", "Quick", "Miscelaneous")),
      QuickDefaultPeriod(List.Add<TIntegerOption>("QuickDefaultPeriod", "Quick", 5)),
      QuickDefaultPeriodType(List.Add<TIntegerOption>("QuickDefaultPeriodType", "Quick", 1)),
      KeyboardActivateCtrl(List.Add<TBooleanOption>("KeyboardActivateCtrl", "Keyboard", true)),
      KeyboardActivateAlt(List.Add<TBooleanOption>("KeyboardActivateAlt", "Keyboard", true)),
      KeyboardActivateShift(List.Add<TBooleanOption>("KeyboardActivateShift", "Keyboard", false)),
      KeyboardActivateWin(List.Add<TBooleanOption>("KeyboardActivateWin", "Keyboard", false)),
      KeyboardActivateKey(List.Add<TIntegerOption>("KeyboardActivateKey", "Keyboard", 82)),
      ViewQuickBarCaption(List.Add<TIntegerOption>("ViewQuickBarCaption", "View", 1)),
      ViewExploreSplitterHor(List.Add<TBooleanOption>("ViewExploreSplitterHor", "View", true)),
      ViewExploreSplitterPercent(
          List.Add<TDoubleOption>("ViewExploreSplitterPercent", "View", 70.0)),
      ViewCalendarSplitterHor(List.Add<TBooleanOption>("ViewCalendarSplitterHor", "View", true)),
      ViewCalendarSplitterPercent(
          List.Add<TDoubleOption>("ViewCalendarSplitterPercent", "View", 80.0)),
      BehaviourShowTemplateInList(
          List.Add<TBooleanOption>("BehaviourShowTemplateInList", "Behaviour", false)),
      BehaviourShowReminderInCalendar(
          List.Add<TBooleanOption>("BehaviourShowReminderInCalendar", "Behaviour", false)),
      BehaviourBoldFullTemplates(
          List.Add<TBooleanOption>("BehaviourBoldFullTemplates", "Behaviour", true)),
      ViewMainPanel(List.Add<TBooleanOption>("ViewMainPanel", "View", true)),
      KeyboardQuickEventCtrl(List.Add<TBooleanOption>("KeyboardQuickEventCtrl", "Keyboard", true)),
      KeyboardQuickEventShift(
          List.Add<TBooleanOption>("KeyboardQuickEventShift", "Keyboard", false)),
      KeyboardQuickEventAlt(List.Add<TBooleanOption>("KeyboardQuickEventAlt", "Keyboard", true)),
      KeyboardQuickEventWin(List.Add<TBooleanOption>("KeyboardQuickEventWin", "Keyboard", false)),
      KeyboardQuickEventKey(List.Add<TIntegerOption>("KeyboardQuickEventKey", "Keyboard", 81)),
      BehaviourFirstDayOfWeek(
          List.Add<TIntegerOption>("BehaviourFirstDayOfWeek", "Behaviour", 100)),
      ViewToolbarStandart(List.Add<TBooleanOption>("ViewToolbarStandart", "View", true)),
      ViewToolbarQuick(List.Add<TBooleanOption>("ViewToolbarQuick", "View", true)),
      StartupDataLocation(List.Add<TStringOption>("StartupDataLocation", "", "")),
      MediaUseWavForBeep(List.Add<TBooleanOption>("MediaUseWavForBeep", "Media", false)),
      MediaBeepFileName(List.Add<TStringOption>("MediaBeepFileName", "Media", "")),
      ShowTipsAtStartup(List.Add<TBooleanOption>("ShowTipsAtStartup", "", true)),
      KeyboardEventByTemplateCtrl(
          List.Add<TBooleanOption>("KeyboardEventByTemplateCtrl", "Keyboard", true)),
      KeyboardEventByTemplateAlt(
          List.Add<TBooleanOption>("KeyboardEventByTemplateAlt", "Keyboard", false)),
      KeyboardEventByTemplateShift(
          List.Add<TBooleanOption>("KeyboardEventByTemplateShift", "Keyboard", true)),
      KeyboardEventByTemplateWin(
          List.Add<TBooleanOption>("KeyboardEventByTemplateWin", "Keyboard", false)),
      KeyboardEventByTemplateKey(
          List.Add<TIntegerOption>("KeyboardEventByTemplateKey", "Keyboard", 84)),
      AlarmOption(List.Add<TIntegerOption>("AlarmOption", "", 0)),
      ColorCalendarToday(List.Add<TColorOption>("ColorCalendarToday", "Color", clOlive)),
      BehaviourDesktopNotifications(
          List.Add<TBooleanOption>("BehaviourDesktopNotifications", "Behaviour", false)) {}

void TProgramOptions::AdjustDefaults(const TOptionDefaultsContext& context) {
    if (!context.VerdanaInstalled)
        for (TFontOption* option :
             {&FontTemplatesTree, &FontEventsView, &FontCalendar, &FontCalendarItems}) {
            TFont font = option->DefaultFont();
            font.Name = "Arial";
            option->SetDefaultFont(font);
        }
    StartupDataLocation.SetDefaultValue(JoinPath(context.AppDataFolder, "kelvo-rem"));
    if (context.PreferWaveBeep && !context.BeepWaveFile.empty()) {
        MediaUseWavForBeep.SetDefaultValue(true);
        MediaBeepFileName.SetDefaultValue(context.BeepWaveFile);
    }
}

int ApplyFirstDayOfWeek(TIntegerOption& option, int localeFirstDay, int current) {
    TOptionList* list = option.OptionList();
    const bool notify = list && list->NotifyEnabled();
    if (list)
        list->DisableNotify();
    option.SetDefaultValue((localeFirstDay + 1) % 7);
    if (option.Value() < 0 || option.Value() > 6)
        option.SetValue(current);
    if (list && notify)
        list->EnableNotify();
    return option.Value();
}

} // namespace kelvo
