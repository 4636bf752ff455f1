#include "core/scheduling/TimeCondition.h"

#include "core/stream/PropertyTable.h"
#include "core/util/paAssign.h"
#include "core/util/paFormat.h"
#include "core/util/paTranslate.h"

#include <algorithm>

namespace kelvo {

// ---- TTimeCondition -----------------------------------------------------------------------

std::unique_ptr<TTimeCondition> TTimeCondition::Clone() const {
    auto copy = NewInstance();
    copy->Assign(*this);
    return copy;
}

void TTimeCondition::Assign(const TTimeCondition& source) {
    RaiseAssignError(source.ClassName(), ClassName());
}

std::string TTimeCondition::Description() const {
    std::string text;
    GetDescription(text);
    return text;
}

void TTimeCondition::SetDefault(TDateTime) {}

bool TTimeCondition::IsReached(TDateTime a, TDateTime b) const {
    const TDateTime r = NextTime(a);
    return !IsNoTime(r) && DateTimeToMs(b) >= DateTimeToMs(r);
}

// ---- TAllTimeCondition --------------------------------------------------------------------

void TAllTimeCondition::Assign(const TTimeCondition& source) {
    if (!dynamic_cast<const TAllTimeCondition*>(&source))
        TTimeCondition::Assign(source);
}

void TAllTimeCondition::GetDescription(std::string& text) const {
    text = KELVO_TR("TimeCondition", "All the day");
}

std::unique_ptr<TTimeCondition> TAllTimeCondition::NewInstance() const {
    return std::make_unique<TAllTimeCondition>();
}

// ---- TOnceTimeCondition -------------------------------------------------------------------

void TOnceTimeCondition::Assign(const TTimeCondition& source) {
    if (const auto* s = dynamic_cast<const TOnceTimeCondition*>(&source))
        SetTime(s->Time());
    else
        TTimeCondition::Assign(source);
}

void TOnceTimeCondition::GetDescription(std::string& text) const {
    text = Format(KELVO_TR("TimeCondition", "At %s"), {ShortTimeText(time_)});
}

void TOnceTimeCondition::SetDefault(TDateTime dt) {
    SetTime(TimeOf(dt));
}

TDateTime TOnceTimeCondition::NextTime(TDateTime t) const {
    return TimeOfDayMs(t) <= TimeOfDayMs(time_) ? time_ : NoTime;
}

std::unique_ptr<TTimeCondition> TOnceTimeCondition::NewInstance() const {
    return std::make_unique<TOnceTimeCondition>();
}

// ---- TPeriodicTimeCondition ---------------------------------------------------------------

void TPeriodicTimeCondition::InitDefaults() {
    SetFromTime(CurrentTime());
    SetToTime(MsToTime(TimeOfDayMs(fromTime_) + UnitMs()));
    countPeriod_ = 1;
}

void TPeriodicTimeCondition::Assign(const TTimeCondition& source) {
    if (const auto* s = dynamic_cast<const TPeriodicTimeCondition*>(&source)) {
        SetFromTime(s->FromTime());
        SetToTime(s->ToTime());
        SetCountPeriod(s->CountPeriod());
    } else {
        TTimeCondition::Assign(source);
    }
}

void TPeriodicTimeCondition::SetDefault(TDateTime dt) {
    SetFromTime(TimeOf(dt));
    SetToTime(TimeOf(dt));
    countPeriod_ = 1;
    // One unit later, wrapping past midnight (23:30 gives 00:30).
    SetToTime(TimeOf(IncMilliSecond(UnitMs(), TimeOf(dt))));
}

TDateTime TPeriodicTimeCondition::NextTime(TDateTime t) const {
    // Whole milliseconds: a step point reached by exact inputs is met exactly.
    const std::int64_t u = TimeOfDayMs(t);
    const std::int64_t from = TimeOfDayMs(fromTime_);
    const std::int64_t to = TimeOfDayMs(toTime_);
    const std::int64_t step = StepMs();
    std::int64_t r = from;
    if (u > from) {
        if (step <= 0)
            return NoTime;
        r = ((u - from) / step + 1) * step + from;
    }
    // A ToTime within half a millisecond of midnight must not give the next day's midnight.
    if (r > to || r >= MSecsPerDay)
        return NoTime;
    return r == from ? fromTime_ : MsToTime(r);
}

std::string TPeriodicTimeCondition::RangeText() const {
    return Format(KELVO_TR("TimeCondition", "from %s to %s"),
                  {ShortTimeText(fromTime_), ShortTimeText(toTime_)});
}

// ---- the two periodic kinds ---------------------------------------------------------------

void TByMinuteTimeCondition::GetDescription(std::string& text) const {
    text = Format(KELVO_TR("TimeCondition", "Every %d minute(s) %s"),
                  {std::to_string(CountPeriod()), RangeText()});
}

std::unique_ptr<TTimeCondition> TByMinuteTimeCondition::NewInstance() const {
    return std::make_unique<TByMinuteTimeCondition>();
}

void THourlyTimeCondition::GetDescription(std::string& text) const {
    text = Format(KELVO_TR("TimeCondition", "Every %d hour(s) %s"),
                  {std::to_string(CountPeriod()), RangeText()});
}

std::unique_ptr<TTimeCondition> THourlyTimeCondition::NewInstance() const {
    return std::make_unique<THourlyTimeCondition>();
}

// ---- TTimeConditionList -------------------------------------------------------------------

TTimeCondition& TTimeConditionList::Items(int i) const {
    if (i < 0 || i >= Count())
        throw ETimeConditionError("List index out of bounds (" + std::to_string(i) + ")");
    return *items_[static_cast<std::size_t>(i)];
}

void TTimeConditionList::Add(std::unique_ptr<TTimeCondition> condition) {
    if (condition)
        items_.push_back(std::move(condition));
}

void TTimeConditionList::Remove(const TTimeCondition* condition) {
    const int i = IndexOf(condition);
    if (i < 0)
        return;
    if (lastChosen_ == condition)
        lastChosen_ = nullptr;
    items_.erase(items_.begin() + i);
}

void TTimeConditionList::Put(int i, const TTimeCondition* condition) {
    if (!condition)
        throw ETimeConditionError("Cannot assign null condition to complex condition list");
    TTimeCondition& member = Items(i);
    if (&member == condition)
        return;
    if (member.ClassName() == condition->ClassName()) {
        member.Assign(*condition);
        return;
    }
    auto copy = condition->Clone();
    if (lastChosen_ == &member)
        lastChosen_ = nullptr;
    items_[static_cast<std::size_t>(i)] = std::move(copy);
}

void TTimeConditionList::Clear() {
    lastChosen_ = nullptr;
    items_.clear();
}

int TTimeConditionList::IndexOf(const TTimeCondition* condition) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == condition)
            return static_cast<int>(i);
    return -1;
}

void TTimeConditionList::Assign(const TTimeConditionList& other) {
    if (&other == this)
        return;
    // Copy first, so a failing copy leaves this list as it was.
    std::vector<std::unique_ptr<TTimeCondition>> copies;
    copies.reserve(other.items_.size());
    for (const auto& c : other.items_)
        copies.push_back(c->Clone());
    lastChosen_ = nullptr;
    items_ = std::move(copies);
}

TDateTime TTimeConditionList::EarliestNextTime(TDateTime t) const {
    TDateTime result = NoTime;
    std::int64_t resultMs = 0;
    lastChosen_ = nullptr;
    for (const auto& member : items_) {
        const TDateTime c = member->NextTime(t);
        if (IsNoTime(c))
            continue;
        const std::int64_t cMs = DateTimeToMs(c);
        if (!lastChosen_ || cMs < resultMs) {
            result = c;
            resultMs = cMs;
            lastChosen_ = member.get();
        }
    }
    return result;
}

// ---- TComplexTimeCondition ----------------------------------------------------------------

void TComplexTimeCondition::Assign(const TTimeCondition& source) {
    if (const auto* s = dynamic_cast<const TComplexTimeCondition*>(&source))
        SetConditions(s->Conditions());
    else
        TTimeCondition::Assign(source);
}

void TComplexTimeCondition::GetDescription(std::string& text) const {
    text.clear();
    for (int i = 0; i < conditions_.Count(); ++i) {
        if (i > 0)
            text += ", ";
        text += conditions_.Items(i).Description();
    }
}

void TComplexTimeCondition::SetDefault(TDateTime dt) {
    for (int i = 0; i < conditions_.Count(); ++i)
        conditions_.Items(i).SetDefault(dt);
}

void TComplexTimeCondition::SetConditions(const TTimeConditionList& list) {
    if (&list != &conditions_)
        conditions_.Assign(list);
}

std::unique_ptr<TTimeCondition> TComplexTimeCondition::NewInstance() const {
    return std::make_unique<TComplexTimeCondition>();
}

// ---- kinds --------------------------------------------------------------------------------

int TimeConditionKind(const TTimeCondition& condition) {
    if (dynamic_cast<const TAllTimeCondition*>(&condition))
        return 0;
    if (dynamic_cast<const TOnceTimeCondition*>(&condition))
        return 1;
    if (dynamic_cast<const TByMinuteTimeCondition*>(&condition))
        return 2;
    if (dynamic_cast<const THourlyTimeCondition*>(&condition))
        return 3;
    if (dynamic_cast<const TComplexTimeCondition*>(&condition))
        return 4;
    return -1;
}

std::unique_ptr<TTimeCondition> CreateTimeCondition(int kind) {
    switch (kind) {
    case 0:
        return std::make_unique<TAllTimeCondition>();
    case 1:
        return std::make_unique<TOnceTimeCondition>();
    case 2:
        return std::make_unique<TByMinuteTimeCondition>();
    case 3:
        return std::make_unique<THourlyTimeCondition>();
    case 4:
        return std::make_unique<TComplexTimeCondition>();
    default:
        return nullptr;
    }
}

// ---- property tables --------------------------------------------------------------------

const TClassInfo& TTimeCondition::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TTimeCondition, TComponent>("TTimeCondition").Build();
    return info;
}

const TClassInfo& TAllTimeCondition::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TAllTimeCondition, TTimeCondition>("TAllTimeCondition").Build();
    return info;
}

const TClassInfo& TOnceTimeCondition::StaticClass() {
    using C = TOnceTimeCondition;
    static const TClassInfo info = TClassBuilder<C, TTimeCondition>("TOnceTimeCondition")
                                       .DateTime("Time", &C::Time, &C::SetTime)
                                       .Build();
    return info;
}

const TClassInfo& TPeriodicTimeCondition::StaticClass() {
    using C = TPeriodicTimeCondition;
    static const TClassInfo info = TClassBuilder<C, TTimeCondition>("TPeriodicTimeCondition")
                                       .DateTime("FromTime", &C::FromTime, &C::SetFromTime)
                                       .DateTime("ToTime", &C::ToTime, &C::SetToTime)
                                       .Integer("CountPeriod", &C::CountPeriod, &C::SetCountPeriod)
                                       .AtLeast(1)
                                       .Build();
    return info;
}

const TClassInfo& TByMinuteTimeCondition::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TByMinuteTimeCondition, TPeriodicTimeCondition>("TByMinuteTimeCondition")
            .Build();
    return info;
}

const TClassInfo& THourlyTimeCondition::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<THourlyTimeCondition, TPeriodicTimeCondition>("THourlyTimeCondition").Build();
    return info;
}

const TClassInfo& TTimeConditionList::StaticClass() {
    using C = TTimeConditionList;
    static const TClassInfo info =
        TClassBuilder<C, TAdvComponent>("TTimeConditionList")
            .Items<TTimeCondition>(
                &C::Count, &C::Items,
                [](C& c, std::unique_ptr<TTimeCondition> t) { c.Add(std::move(t)); })
            .Build();
    return info;
}

const TClassInfo& TComplexTimeCondition::StaticClass() {
    using C = TComplexTimeCondition;
    static const TClassInfo info =
        TClassBuilder<C, TTimeCondition>("TComplexTimeCondition")
            .Object<TTimeConditionList>(
                "Conditions",
                [](const C& c) -> const TTimeConditionList& { return c.Conditions(); },
                [](C& c, const TTimeConditionList& list) { c.SetConditions(list); })
            .Build();
    return info;
}

} // namespace kelvo
