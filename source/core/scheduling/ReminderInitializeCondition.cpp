#include "core/scheduling/ReminderInitializeCondition.h"

#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/stream/PropertyTable.h"
#include "core/util/paAssign.h"
#include "core/util/paFormat.h"
#include "core/util/paTranslate.h"

#include <cstdlib>
#include <typeinfo>

namespace kelvo {

namespace {

bool Earlier(TDateTime a, TDateTime b) {
    return DateTimeToMs(a) < DateTimeToMs(b);
}

} // namespace

TReminderInitializeCondition::TReminderInitializeCondition()
    : relativeCondition_(std::make_unique<TOnceRelativeCondition>()) {}

std::unique_ptr<TInitializeCondition> TReminderInitializeCondition::NewInstance() const {
    return std::make_unique<TReminderInitializeCondition>();
}

void TReminderInitializeCondition::AssignOwn(const TInitializeCondition& source) {
    const auto& s = static_cast<const TReminderInitializeCondition&>(source);
    SetRelativeCondition(s.relativeCondition_.get());
    timeAsBase_ = s.TimeAsBaseCondition();
    SetTimeCondition(s.timeCondition_.get());
}

void TReminderInitializeCondition::SetRelativeCondition(const TRelativeCondition* value) {
    KeepCopy(relativeCondition_, value);
}

void TReminderInitializeCondition::SetTimeCondition(const TTimeCondition* value) {
    KeepCopy(timeCondition_, value);
}

bool TReminderInitializeCondition::IsTimeConditionStored() const {
    return !TimeAsBaseCondition() && relativeCondition_ && relativeCondition_->IsDateOnly() &&
           timeCondition_;
}

void TReminderInitializeCondition::GetDescription(std::string& text) const {
    if (!relativeCondition_) {
        TInitializeCondition::GetDescription(text);
        return;
    }
    if (TimeAsBaseCondition())
        text = Format("%s", {relativeCondition_->Description()});
    else
        text = Format("%s, %s", {relativeCondition_->Description(), timeCondition_->Description()});
}

std::string TReminderInitializeCondition::TimeText() const {
    if (TimeAsBaseCondition())
        return KELVO_TR("ReminderInitializeCondition", "at the same time as the event");
    return timeCondition_->Description();
}

void TReminderInitializeCondition::ResetToDefault(TDateTime dt) {
    TInitializeCondition::ResetToDefault(dt);
    if (relativeCondition_)
        relativeCondition_->SetDefault();
    timeAsBase_ = true;
    timeCondition_.reset();
}

TDateTime TReminderInitializeCondition::NextArise(TDateTime x) {
    if (!base_ || base_ == this || !relativeCondition_)
        return NullDate;
    base_->SaveState();
    TDateTime result;
    try {
        result = Search(x);
    } catch (...) {
        base_->RestoreState();
        throw;
    }
    base_->RestoreState();
    return result;
}

TDateTime TReminderInitializeCondition::BaseArising(TDateTime from, TDateTime lastAppear) {
    base_->SetLastAppear(lastAppear);
    return base_->NextAriseForCheck(from);
}

TDateTime TReminderInitializeCondition::ReminderTimeFor(TDateTime t, TDateTime b, TDateTime s) {
    if (TimeAsBaseCondition()) {
        base_->SetCheckMode(CheckMode());
        const TDateTime own = LastAppear();
        base_->SetLastAppear(IsNullDate(own) ? NullDate : own + (DateOf(b) - DateOf(s)));
        const TDateTime r = base_->NextArise(DateOf(b) + TimeOf(t));
        // The event's time of that very day, or nothing left that day: a later arising's
        // time could put the reminder before x, and an event with no later arising at all
        // still leaves the reminder's later dates.
        if (IsNullDate(r) || !SameDate(r, b))
            return NoTime;
        return r;
    }
    const TDateTime r = timeCondition_->NextTime(t);
    if (!IsNoTime(r) && CheckMode() && !IsNullDate(LastAppear()) && SameDate(s, LastAppear()) &&
        GaveAllDayTime(*timeCondition_))
        return NoTime;
    return r;
}

TDateTime TReminderInitializeCondition::MomentFor(TDateTime b, TDateTime x) {
    TRelativeCondition& rc = *relativeCondition_;
    rc.SetBaseDateTime(b);
    TDateTime s = rc.NextDate(x);
    if (IsNullDate(s) || !rc.IsDateOnly())
        return s;
    TDateTime t;
    if (!SameDate(s, x)) {
        t = ReminderTimeFor(0, b, s);
    } else {
        t = ReminderTimeFor(TimeOf(x), b, s);
        if (IsNoTime(t)) {
            s = rc.NextDate(DateOf(s + 1));
            t = IsNullDate(s) ? NoTime : ReminderTimeFor(0, b, s);
        }
    }
    if (IsNullDate(t) || IsNoTime(t))
        return NullDate;
    return DateOf(s) + TimeOf(t);
}

// Looks at the event's arisings from x on, as the check walks them (one minute past each,
// with LastAppear on the last one). Arisings whose moments all lie before x are skipped in
// one step; date-only moments depend on an arising's date alone, so one arising per date is
// enough; and the walk ends once no later arising can give an earlier moment, its first
// moment having passed the best one found.
TDateTime TReminderInitializeCondition::Search(TDateTime x) {
    TRelativeCondition& rc = *relativeCondition_;
    const bool dateOnly = rc.IsDateOnly();
    const TDateTime first = base_->NextArise(x);
    TDateTime b = first;
    TDateTime result = NullDate;
    const TDateTime useful = IncMilliSecond(-1, rc.EarliestUsefulBase(x));
    int beyond = 0;
    while (!IsNullDate(b)) {
        if (Earlier(b, useful)) {
            // The arising the walk reaches first from `useful` on: an all-day event is
            // walked at its midnights.
            b = BaseArising(useful, TimeOfDayMs(useful) == 0 ? IncMilliSecond(-1, useful) : useful);
            continue;
        }
        rc.SetBaseDateTime(b);
        const TDateTime a = rc.FirstMoment();
        const TDateTime lower = dateOnly ? DateOf(a) : a;
        if (!IsNullDate(result) && !Earlier(lower, result))
            break;
        const TDateTime s = MomentFor(b, x);
        if (!IsNullDate(s) && !Earlier(s, x) && (IsNullDate(result) || Earlier(s, result)))
            result = s;
        // Two arisings whose moments all come after x and still nothing: nothing will come.
        if (IsNullDate(result) && (dateOnly ? CompareDate(a, x) > 0 : Earlier(x, a)) &&
            ++beyond >= 2)
            break;
        TDateTime next = IncMinute(1, b);
        if (dateOnly && Earlier(next, DateOf(b) + 1))
            next = DateOf(b) + 1;
        b = BaseArising(next, b);
    }
    if (!IsNullDate(result) &&
        std::llabs(DateTimeToMs(first) - DateTimeToMs(result)) < MSecsPerMinute)
        return NullDate;
    return result;
}

// ---- property table ---------------------------------------------------------------------

const TClassInfo& TReminderInitializeCondition::StaticClass() {
    using C = TReminderInitializeCondition;
    static const TClassInfo info =
        TClassBuilder<C, TInitializeCondition>("TReminderInitializeCondition")
            .Object<TRelativeCondition>(
                "RelativeCondition", &C::RelativeCondition,
                [](C& c, const TRelativeCondition& v) { c.SetRelativeCondition(&v); })
            .ReadInPlace()
            .Object<TTimeCondition>("TimeCondition", &C::TimeCondition,
                                    [](C& c, const TTimeCondition& v) { c.SetTimeCondition(&v); })
            // Only where it gives the reminder's time.
            .StoredIf(&C::IsTimeConditionStored)
            .Boolean("TimeAsBaseCondition", &C::TimeAsBaseCondition, &C::SetTimeAsBaseCondition)
            .Build();
    return info;
}

} // namespace kelvo
