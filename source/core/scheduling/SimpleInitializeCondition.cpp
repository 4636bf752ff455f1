#include "core/scheduling/SimpleInitializeCondition.h"

#include "core/stream/PropertyTable.h"
#include "core/util/paAssign.h"
#include "core/util/paFormat.h"

#include <typeinfo>

namespace kelvo {

bool GaveAllDayTime(const TTimeCondition& condition) {
    if (dynamic_cast<const TAllTimeCondition*>(&condition))
        return true;
    if (const auto* complex = dynamic_cast<const TComplexTimeCondition*>(&condition))
        return dynamic_cast<const TAllTimeCondition*>(complex->Conditions().LastChosen()) !=
               nullptr;
    return false;
}

TSimpleInitializeCondition::TSimpleInitializeCondition()
    : dateCondition_(std::make_unique<TOnceDateCondition>()),
      timeCondition_(std::make_unique<TOnceTimeCondition>()) {}

TSimpleInitializeCondition::TSimpleInitializeCondition(TDateTime dt)
    : TSimpleInitializeCondition() {
    static_cast<TOnceDateCondition&>(*dateCondition_).SetDate(DateOf(dt));
    static_cast<TOnceTimeCondition&>(*timeCondition_).SetTime(TimeOf(dt));
}

std::unique_ptr<TInitializeCondition> TSimpleInitializeCondition::NewInstance() const {
    return std::make_unique<TSimpleInitializeCondition>();
}

void TSimpleInitializeCondition::AssignOwn(const TInitializeCondition& source) {
    const auto& s = static_cast<const TSimpleInitializeCondition&>(source);
    SetDateCondition(s.dateCondition_.get());
    SetTimeCondition(s.timeCondition_.get());
}

void TSimpleInitializeCondition::SetDateCondition(const TDateCondition* value) {
    KeepCopy(dateCondition_, value);
}

void TSimpleInitializeCondition::SetTimeCondition(const TTimeCondition* value) {
    KeepCopy(timeCondition_, value);
}

void TSimpleInitializeCondition::GetDescription(std::string& text) const {
    if (dateCondition_ && timeCondition_) {
        const std::string date = dateCondition_->Description();
        const std::string time = timeCondition_->Description();
        if (!date.empty() && !time.empty()) {
            text = Format("%s, %s", {date, time});
            return;
        }
    }
    TInitializeCondition::GetDescription(text);
}

void TSimpleInitializeCondition::ResetToDefault(TDateTime dt) {
    TInitializeCondition::ResetToDefault(dt);
    if (dateCondition_)
        dateCondition_->SetDefault(dt);
    if (timeCondition_)
        timeCondition_->SetDefault(dt);
}

void TSimpleInitializeCondition::SetStartDate(TDateTime d) {
    if (dateCondition_)
        dateCondition_->SetStartDate(d);
}

bool TSimpleInitializeCondition::SuppressedAllDay(TDateTime d) const {
    return CheckMode() && !IsNullDate(LastAppear()) && SameDate(d, LastAppear()) &&
           GaveAllDayTime(*timeCondition_);
}

TDateTime TSimpleInitializeCondition::TimeFor(TDateTime t, TDateTime d) const {
    const TDateTime r = timeCondition_->NextTime(t);
    if (!IsNoTime(r) && SuppressedAllDay(d))
        return NoTime;
    return r;
}

TDateTime TSimpleInitializeCondition::NextArise(TDateTime x) {
    if (!dateCondition_ || !timeCondition_)
        return NullDate;
    TDateTime d = dateCondition_->NextDate(DateOf(x));
    if (IsNullDate(d))
        return NullDate;
    TDateTime t;
    if (SameDate(d, x)) {
        t = TimeFor(TimeOf(x), d);
        if (IsNoTime(t)) {
            d = dateCondition_->NextDate(d + 1);
            if (IsNullDate(d))
                return NullDate;
            t = TimeFor(0, d);
        }
    } else {
        t = TimeFor(0, d);
    }
    // A later day can be the day of the last appearance only when that lies in the future
    // (the clock went back); an all-day event still has the days after it.
    if (IsNoTime(t) && SuppressedAllDay(d)) {
        d = dateCondition_->NextDate(d + 1);
        if (IsNullDate(d))
            return NullDate;
        t = TimeFor(0, d);
    }
    if (IsNoTime(t))
        return NullDate;
    return d + TimeOf(t);
}

// ---- property table ---------------------------------------------------------------------

const TClassInfo& TSimpleInitializeCondition::StaticClass() {
    using C = TSimpleInitializeCondition;
    static const TClassInfo info =
        TClassBuilder<C, TInitializeCondition>("TSimpleInitializeCondition")
            .Object<TDateCondition>("DateCondition", &C::DateCondition,
                                    [](C& c, const TDateCondition& v) { c.SetDateCondition(&v); })
            .ReadInPlace()
            .Object<TTimeCondition>("TimeCondition", &C::TimeCondition,
                                    [](C& c, const TTimeCondition& v) { c.SetTimeCondition(&v); })
            .ReadInPlace()
            .Build();
    return info;
}

} // namespace kelvo
