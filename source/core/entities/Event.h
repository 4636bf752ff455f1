#pragma once

// The user's calendar item: a message, an icon, colours, options, when it arises, what it does
// then, an optional early reminder and a snooze moment; and the state of its last alarm.

#include "core/entities/WaitingAriseEntity.h"
#include "core/scheduling/SnoozeInitializeCondition.h"
#include "core/util/RareText.h"
#include "core/util/paDateUtils.h"

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

namespace kelvo {

class TReminder;

enum TEventOption : std::uint8_t {
    eoEraseAfterComing,
    eoMessageAboutComingLate,
    eoAlarmWindowOnEvent,
    eoAlarmWindowOnReminder,
    eoStayOnTop,
    eoComputeCount,
    ecNotShowOnCalendar,
};
template <> struct TEnumNames<TEventOption> {
    static constexpr std::array<std::string_view, 7> Names = {
        "eoEraseAfterComing",   "eoMessageAboutComingLate",
        "eoAlarmWindowOnEvent", "eoAlarmWindowOnReminder",
        "eoStayOnTop",          "eoComputeCount",
        "ecNotShowOnCalendar"};
};
using TEventOptions = TEnumSet<TEventOption, std::uint8_t>;

enum TEventState : std::uint8_t {
    esEnabled,
    esDisabled,
    esSnoozedEvent,
    esSnoozedReminder,
    esExecutedEvent,
    esExecutedReminder,
};
template <> struct TEnumNames<TEventState> {
    static constexpr std::array<std::string_view, 6> Names = {
        "esEnabled",         "esDisabled",      "esSnoozedEvent",
        "esSnoozedReminder", "esExecutedEvent", "esExecutedReminder"};
};

// The list text of a state; the two snoozed ones carry a %s for the snooze moment.
std::string EventStateText(TEventState state);

inline constexpr std::string_view DefaultTemplateName = "Miscellaneous";
inline constexpr std::string_view DefaultWindowMessage = "Don't forget about";

// The largest snooze of period units from the moment from that still ends within 31 December
// 9999; 0 when from lies beyond it.
std::int32_t MaxSnoozeNumber(TPeriodType period, TDateTime from);

class TEvent : public TWaitingAriseEntity {
    KELVO_PERSISTENT(TEvent)
    using TSnoozeHandler = TSlot<void(TWaitingAriseEntity&, TDateTime)>;

    // The defaults, with one beep action.
    TEvent();
    ~TEvent() override;

    // Persisted. Made when first asked for: an event that was never snoozed has none, which
    // is written and read as a snooze condition with every value at its default.
    TSnoozeInitializeCondition& SnoozeCondition() const;
    TSnoozeInitializeCondition* SnoozeConditionIfAny() const { return snoozeCondition_.get(); }
    void SetSnoozeCondition(const TSnoozeInitializeCondition& value);
    TReminder* Reminder() const { return reminder_.get(); }
    // None removes the reminder; otherwise the event's reminder becomes a copy of value.
    void SetReminder(const TReminder* value);
    // Takes over a reminder nobody else holds (one just read from a file).
    void AdoptReminder(std::unique_ptr<TReminder> value);
    const std::string& Template() const { return template_; }
    void SetTemplate(std::string name) { template_ = std::move(name); }
    // The first line of WindowMessage that is not empty once trimmed of the bytes 0x00 to
    // 0x20 at both ends; without one, the description of the initialize condition.
    std::string Description() const;
    // The window message's first line that is not blank, which is the description, without a
    // copy; empty when there is none and the condition describes the event.
    std::string_view MessageLine() const;
    // Replaces the first occurrence of the current description in WindowMessage.
    void SetDescription(const std::string& text);
    const std::string& WindowMessage() const { return windowMessage_; }
    void SetWindowMessage(std::string text) { windowMessage_ = std::move(text); }
    TEventOptions Options() const { return options_; }
    // eoStayOnTop is always added.
    void SetOptions(TEventOptions options);
    bool HasOption(TEventOption option) const { return options_.Contains(option); }
    std::int32_t DefaultSnoozeNumber() const { return defaultSnoozeNumber_; }
    void SetDefaultSnoozeNumber(std::int32_t n) { defaultSnoozeNumber_ = n; }
    TPeriodType DefaultSnoozePeriod() const { return defaultSnoozePeriod_; }
    void SetDefaultSnoozePeriod(TPeriodType p) { defaultSnoozePeriod_ = p; }
    TEventState State() const { return state_; }
    void SetState(TEventState state);
    const std::string& IconFileName() const { return iconFileName_.Get(); }
    void SetIconFileName(std::string name);
    std::int32_t IconFileId() const { return iconFileId_; }
    // Values below 0 become 0.
    void SetIconFileId(std::int32_t id);
    std::int32_t MessageColor() const { return messageColor_; }
    void SetMessageColor(std::int32_t c) { messageColor_ = c; }
    std::int32_t WindowColor() const { return windowColor_; }
    void SetWindowColor(std::int32_t c) { windowColor_ = c; }
    // The iCalendar UID of an event that was exported, imported or synced; empty (and then not
    // written) for every other event. Assign leaves it alone: a copy is another event.
    const std::string& Uid() const { return uid_.Get(); }
    void SetUid(std::string uid) { uid_.Set(std::move(uid)); }

    // Where the main window's image list keeps the icon; -1 until it is loaded, and again
    // whenever IconFileName or IconFileId changes. An index beyond 32767 is not kept.
    int CachedIconIndex() const { return cachedIconIndex_; }
    void SetCachedIconIndex(int index) {
        cachedIconIndex_ = index >= 0 && index <= std::numeric_limits<std::int16_t>::max()
                               ? static_cast<std::int16_t>(index)
                               : std::int16_t{-1};
    }

    TDateTime SnoozeDateTime() const {
        return snoozeCondition_ ? snoozeCondition_->SnoozeDateTime() : NullDate;
    }

    bool HasReminder() const { return reminder_ != nullptr; }
    void SetHasReminder(bool flag);

    void SnoozeEvent();
    void SnoozeReminder();
    void Enable() { SetState(esEnabled); }

    TDateTime LastAppear() const;
    // The raw NextArise of the event's condition, or the reminder's when that is earlier and
    // not NullDate.
    TDateTime NextAriseWithReminder(TDateTime x);
    TDateTime ReminderNextArise(TDateTime x);
    // Whether the event, its reminder or its snooze has a missed arising up to from or an
    // arising in [from, to].
    bool IsDueBetween(TDateTime from, TDateTime to);
    void SetCreationTime(TDateTime dt);
    // Description, with eoComputeCount followed by the time elapsed since the first arising.
    std::string DescriptionWithCount(TDateTime x);

    // Copies the event part after the entity part; from a plain entity only the entity part.
    void Assign(const TPersistent& source) override;
    void InitFrom(const TWaitingAriseEntity& source) override;
    // One beep.
    const TComplexEventAction& DefaultEventAction() const override;
    void DoArise(TDateTime t) override;
    void DoLate(TDateTime t) override;

    TSnoozeHandler OnSnoozeArise;

protected:
    void ConditionReplaced() override;

private:
    void ReminderArise(TDateTime t);
    void ReminderLate(TDateTime t);
    void SnoozeArise(TDateTime t);
    void SnoozeLate(TDateTime t);
    void RunSnoozedActions(bool ofReminder);
    void WireSnooze();
    void WireReminder();

    // Only the notebook sets notebookIndex_.
    friend class TReminderNotebook;

    // The small members first, where they fill the base's padding; packed, so that the
    // notebook's position costs an event no bytes.
    TEventOptions options_{eoMessageAboutComingLate, eoAlarmWindowOnEvent, eoAlarmWindowOnReminder,
                           eoStayOnTop};
    TPeriodType defaultSnoozePeriod_ : 4 = ptMinute;
    TEventState state_ : 4 = esEnabled;
    std::int16_t cachedIconIndex_ = -1;
    // -1 outside any notebook; only a hint: the notebook checks it against its own list.
    std::int32_t notebookIndex_ = -1;
    std::int32_t defaultSnoozeNumber_ = 5;
    std::int32_t iconFileId_ = 0;
    std::int32_t messageColor_ = clBtnFace;
    std::int32_t windowColor_ = clBtnFace;
    mutable std::unique_ptr<TSnoozeInitializeCondition> snoozeCondition_;
    std::unique_ptr<TReminder> reminder_;
    std::string template_{DefaultTemplateName};
    std::string windowMessage_{DefaultWindowMessage};
    TRareText iconFileName_;
    TRareText uid_;
};

} // namespace kelvo
