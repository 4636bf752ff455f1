#pragma once

#include "core/options/OptionList.h"
#include "core/options/OptionsStd.h"

#include <string>

namespace kelvo {

// What the platform knows when the defaults are adjusted at start-up.
struct TOptionDefaultsContext {
    bool VerdanaInstalled = true;
    std::string AppDataFolder; // ends with a separator
    // The platform's counterpart of the system test that makes the beep action play a wave
    // file, and that file when it exists.
    bool PreferWaveBeep = false;
    std::string BeepWaveFile;
};

// The program's options, in the order they are loaded, saved and notified.
class TProgramOptions {
public:
    TProgramOptions();
    TProgramOptions(const TProgramOptions&) = delete;
    TProgramOptions& operator=(const TProgramOptions&) = delete;

    // Runs before anything is loaded; the values are then reset to the new defaults by the
    // caller.
    void AdjustDefaults(const TOptionDefaultsContext& context);

    TOptionList List;
    TFontOption& FontTemplatesTree;
    TFontOption& FontEventsView;
    TFontOption& FontCalendar;
    TFontOption& FontCalendarItems;
    TColorOption& ColorTemplatesTree;
    TColorOption& ColorExploreEvents;
    TColorOption& ColorCalendarOddMonth;
    TColorOption& ColorCalendarEvenMonth;
    TColorOption& ColorCalendarEvents;
    TColorOption& ColorFilterEvents;
    TColorOption& ColorAllEvents;
    TBooleanOption& BehaviourShowTrayIcon;
    TBooleanOption& BehaviourHideFromTaskbar;
    TIntegerOption& MediaPlayerType;
    TStringOption& MediaWinAmpPath;
    TBooleanOption& StartupRunAtStartup;
    TBooleanOption& StartupDirectlyIntoTray;
    TBooleanOption& KeyboardEscMinimizes;
    TStringOption& QuickDefaultTemplate;
    TIntegerOption& QuickDefaultPeriod;
    TIntegerOption& QuickDefaultPeriodType;
    TBooleanOption& KeyboardActivateCtrl;
    TBooleanOption& KeyboardActivateAlt;
    TBooleanOption& KeyboardActivateShift;
    TBooleanOption& KeyboardActivateWin;
    TIntegerOption& KeyboardActivateKey;
    TIntegerOption& ViewQuickBarCaption;
    TBooleanOption& ViewExploreSplitterHor;
    TDoubleOption& ViewExploreSplitterPercent;
    TBooleanOption& ViewCalendarSplitterHor;
    TDoubleOption& ViewCalendarSplitterPercent;
    TBooleanOption& BehaviourShowTemplateInList;
    TBooleanOption& BehaviourShowReminderInCalendar;
    TBooleanOption& BehaviourBoldFullTemplates;
    TBooleanOption& ViewMainPanel;
    TBooleanOption& KeyboardQuickEventCtrl;
    TBooleanOption& KeyboardQuickEventShift;
    TBooleanOption& KeyboardQuickEventAlt;
    TBooleanOption& KeyboardQuickEventWin;
    TIntegerOption& KeyboardQuickEventKey;
    TIntegerOption& BehaviourFirstDayOfWeek;
    TBooleanOption& ViewToolbarStandart;
    TBooleanOption& ViewToolbarQuick;
    TStringOption& StartupDataLocation;
    TBooleanOption& MediaUseWavForBeep;
    TStringOption& MediaBeepFileName;
    TBooleanOption& ShowTipsAtStartup;
    TBooleanOption& KeyboardEventByTemplateCtrl;
    TBooleanOption& KeyboardEventByTemplateAlt;
    TBooleanOption& KeyboardEventByTemplateShift;
    TBooleanOption& KeyboardEventByTemplateWin;
    TIntegerOption& KeyboardEventByTemplateKey;
    TIntegerOption& AlarmOption;
    TColorOption& ColorCalendarToday;
    // Alarms also as desktop notifications.
    TBooleanOption& BehaviourDesktopNotifications;
};

TFont VerdanaFont(int size);

// The first day of week in force after BehaviourFirstDayOfWeek changed (0 Sunday .. 6
// Saturday). The option's default becomes the locale's day (localeFirstDay, 0 Monday, as the
// locale reports it); a value outside 0..6 is replaced by current, silently.
int ApplyFirstDayOfWeek(TIntegerOption& option, int localeFirstDay, int current);

} // namespace kelvo
