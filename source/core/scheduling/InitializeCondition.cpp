#include "core/scheduling/InitializeCondition.h"

#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/scheduling/SnoozeInitializeCondition.h"
#include "core/stream/PropertyTable.h"
#include "core/util/paFormat.h"
#include "core/util/paTranslate.h"

#include <algorithm>
#include <typeinfo>

namespace kelvo {

namespace {

const char* const EmptyDescription =
    KELVO_TR_NOOP("InitializeCondition", "Initialize condition is empty");

bool IsAfter(TDateTime a, TDateTime b) {
    return DateTimeToMs(a) > DateTimeToMs(b);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TInitializeCondition

std::unique_ptr<TInitializeCondition> TInitializeCondition::Clone() const {
    auto copy = NewInstance();
    copy->Assign(*this);
    return copy;
}

std::unique_ptr<TInitializeCondition> TInitializeCondition::NewInstance() const {
    return std::make_unique<TInitializeCondition>();
}

void TInitializeCondition::Assign(const TInitializeCondition& source) {
    if (&source == this)
        return;
    SetLastAppear(source.LastAppear());
    SetDateOfCreate(source.DateOfCreate());
    if (typeid(source) == typeid(*this))
        AssignOwn(source);
}

void TInitializeCondition::AssignOwn(const TInitializeCondition&) {}

void TInitializeCondition::SetDateOfCreate(TDateTime dt) {
    dateOfCreate_ = dt;
}

void TInitializeCondition::SetLastAppear(TDateTime dt) {
    lastAppear_ = dt;
}

void TInitializeCondition::SetCheckMode(bool flag) {
    checkMode_ = flag;
}

TDateTime TInitializeCondition::BaseTime() const {
    return std::max(lastAppear_, dateOfCreate_);
}

void TInitializeCondition::GetDescription(std::string& text) const {
    text = Translate("InitializeCondition", EmptyDescription);
}

std::string TInitializeCondition::Description() const {
    std::string text;
    GetDescription(text);
    return text;
}

void TInitializeCondition::ResetToDefault(TDateTime) {
    dateOfCreate_ = NullDate;
    lastAppear_ = NullDate;
}

TDateTime TInitializeCondition::NextArise(TDateTime) {
    return NullDate;
}

namespace {

// What SaveState keeps lives here while it is kept, not in every condition: a search saves a
// few conditions for a moment, a notebook holds millions.
struct TSavedState {
    const TInitializeCondition* Owner;
    TDateTime LastAppear;
    TDateTime DateOfCreate;
    bool CheckMode;
};
thread_local std::vector<TSavedState> savedStates;

} // namespace

void TInitializeCondition::SaveState() {
    savedStates.push_back({this, lastAppear_, dateOfCreate_, checkMode_});
}

void TInitializeCondition::RestoreState() {
    // A complex condition saves itself before its members and restores in the same order.
    for (auto it = savedStates.rbegin(); it != savedStates.rend(); ++it) {
        if (it->Owner != this)
            continue;
        lastAppear_ = it->LastAppear;
        dateOfCreate_ = it->DateOfCreate;
        checkMode_ = it->CheckMode;
        savedStates.erase(std::next(it).base());
        return;
    }
}

void TInitializeCondition::SetStartDate(TDateTime) {}

TDateTime TInitializeCondition::NextAriseForCheck(TDateTime x) {
    SetCheckMode(true);
    TDateTime r;
    try {
        r = NextArise(x);
    } catch (...) {
        SetCheckMode(false);
        throw;
    }
    SetCheckMode(false);
    return r;
}

TDateTime TInitializeCondition::MissedArising(TDateTime from) {
    const TDateTime t0 = BaseTime();
    // With the clock set back, everything up to BaseTime has been handled already; searching
    // from further back would report arisings whose actions ran long ago.
    if (IsNullDate(t0) == false && Now() < t0)
        return NullDate;
    const TDateTime r = NextAriseForCheck(IncMinute(1, t0));
    if (!IsNullDate(r) && r > t0 && r <= from)
        return r;
    return NullDate;
}

TDateTime TInitializeCondition::DueArising(TDateTime from, TDateTime to, TDateTime lastAppear) {
    const TDateTime r = NextAriseForCheck(from);
    if (IsNullDate(r) || r < from || r > to)
        return NullDate;
    // A repeated local hour (clock set back, end of summer time) must not fire twice.
    if (!IsNullDate(lastAppear) && !IsAfter(r, lastAppear))
        return NullDate;
    return r;
}

bool TInitializeCondition::IsLate(TDateTime from, TDateTime* found) {
    const TDateTime r = MissedArising(from);
    if (found)
        *found = r;
    return !IsNullDate(r);
}

bool TInitializeCondition::ArisesWithin(TDateTime from, TDateTime to, TDateTime* found) {
    const TDateTime r = DueArising(from, to, lastAppear_);
    if (found)
        *found = r;
    return !IsNullDate(r);
}

void TInitializeCondition::Check(TDateTime from, TDateTime to) {
    // Taken before the missed arising is reported, which moves LastAppear to now.
    const TDateTime appeared = lastAppear_;
    const TDateTime late = MissedArising(from);
    if (!IsNullDate(late))
        ReportLate(late);
    const TDateTime due = DueArising(from, to, appeared);
    if (!IsNullDate(due))
        ReportArise(due);
}

void TInitializeCondition::ReportArise(TDateTime t) {
    SetLastAppear(Now());
    if (OnArise)
        OnArise(t);
}

void TInitializeCondition::ReportLate(TDateTime t) {
    SetLastAppear(Now());
    if (OnLate)
        OnLate(t);
}

TDateTime TInitializeCondition::PreviousArise(TDateTime x) {
    const TDateTime first = NextArise(NullDate);
    if (IsNullDate(first) || first > x)
        return NullDate;

    // Search back from x instead of walking every arising from the first one: widen a
    // window [x - span, x] until it holds an arising, then narrow down on the last one.
    const std::int64_t xMs = DateTimeToMs(x);
    const std::int64_t firstMs = DateTimeToMs(first);
    auto holdsArising = [&](std::int64_t fromMs) {
        const TDateTime a = NextArise(MsToDateTime(fromMs));
        return !IsNullDate(a) && a <= x;
    };
    std::int64_t lo = firstMs - 1; // NextArise(lo) is first
    for (std::int64_t span = MSecsPerMinute; xMs - span > firstMs; span *= 2) {
        if (holdsArising(xMs - span)) {
            lo = xMs - span;
            break;
        }
    }
    std::int64_t hi = xMs + 1; // nothing in [hi, x]
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        const TDateTime a = NextArise(MsToDateTime(mid));
        if (!IsNullDate(a) && a <= x)
            lo = std::max(mid, DateTimeToMs(a) - 1);
        else
            hi = mid;
    }
    TDateTime last = NextArise(MsToDateTime(lo));
    if (IsNullDate(last) || last > x)
        last = first;

    // Stepping one minute past each arising visits a run of arisings closer than a minute
    // (an all-day time) on the minute grid from its midnight; answer the grid point.
    const TDateTime before = NextArise(IncMilliSecond(1, IncMinute(-1, last)));
    if (!IsNullDate(before) && before < last) {
        const std::int64_t dayMs = DateTimeToMs(DateOf(last));
        const std::int64_t ms = DateTimeToMs(last);
        const TDateTime grid = MsToDateTime(dayMs + (ms - dayMs) / MSecsPerMinute * MSecsPerMinute);
        last = std::max(grid, first);
    }
    return last;
}

std::string TInitializeCondition::ElapsedText(TDateTime x) {
    const TDateTime r = NextArise(MinDate);
    if (IsNullDate(r) || CompareDate(r, x) >= 0)
        return {};
    const TCalendarDifference d = CalendarDifference(r, x);
    std::string text;
    auto add = [&](std::int64_t n, const char* pattern) {
        if (n <= 0)
            return;
        if (!text.empty())
            text += ", ";
        text += Format(Translate("InitializeCondition", pattern), {std::to_string(n)});
    };
    add(d.Years, KELVO_TR_NOOP("InitializeCondition", "%d year(s)"));
    add(d.Months, KELVO_TR_NOOP("InitializeCondition", "%d month(s)"));
    add(d.Days, KELVO_TR_NOOP("InitializeCondition", "%d day(s)"));
    return text;
}

// ---------------------------------------------------------------------------------------------
// TInitializeConditionList

TInitializeCondition&
TInitializeConditionList::Add(std::unique_ptr<TInitializeCondition> condition) {
    if (!condition)
        throw EInitializeConditionError("Attemp add null condition");
    if (OnAdd)
        OnAdd(*this, *condition);
    items_.push_back(std::move(condition));
    return *items_.back();
}

TInitializeCondition& TInitializeConditionList::AddCopy(const TInitializeCondition& condition) {
    return Add(condition.Clone());
}

void TInitializeConditionList::AddCopies(const TInitializeConditionList& other) {
    if (&other == this)
        return;
    for (const auto& c : other.items_)
        AddCopy(*c);
}

void TInitializeConditionList::Remove(TInitializeCondition* condition) {
    const int i = IndexOf(condition);
    if (i >= 0)
        Delete(i);
}

void TInitializeConditionList::Delete(int i) {
    if (i < 0 || i >= Count())
        throw EInitializeConditionError("List index out of bounds (" + std::to_string(i) + ")");
    if (items_[static_cast<std::size_t>(i)].get() == lastChosen_)
        lastChosen_ = nullptr;
    items_.erase(items_.begin() + i);
}

void TInitializeConditionList::Clear() {
    lastChosen_ = nullptr;
    items_.clear();
}

TInitializeCondition& TInitializeConditionList::Items(int i) const {
    if (i < 0 || i >= Count())
        throw EInitializeConditionError("List index out of bounds (" + std::to_string(i) + ")");
    return *items_[static_cast<std::size_t>(i)];
}

int TInitializeConditionList::IndexOf(const TInitializeCondition* condition) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == condition)
            return static_cast<int>(i);
    return -1;
}

void TInitializeConditionList::ForEachReverse(
    const std::function<void(TInitializeConditionList&, TInitializeCondition&)>& action) {
    for (std::size_t i = items_.size(); i-- > 0;)
        if (i < items_.size())
            action(*this, *items_[i]);
}

TDateTime TInitializeConditionList::EarliestNextArise(TDateTime x) {
    TDateTime result = NullDate;
    lastChosen_ = nullptr;
    for (const auto& c : items_) {
        const TDateTime a = c->NextArise(x);
        if (IsNullDate(a))
            continue;
        if (IsNullDate(result) || a < result) {
            result = a;
            lastChosen_ = c.get();
        }
    }
    return result;
}

std::string TInitializeConditionList::JoinedDescription() const {
    std::string text;
    if (items_.size() == 1) {
        text = items_.front()->Description();
    } else {
        for (const auto& c : items_) {
            if (!text.empty())
                text += ", ";
            text += "<<" + c->Description() + ">>";
        }
    }
    return text.empty() ? Translate("InitializeCondition", EmptyDescription) : text;
}

void TInitializeConditionList::Assign(const TInitializeConditionList& other) {
    if (&other == this)
        return;
    Clear();
    AddCopies(other);
}

// ---------------------------------------------------------------------------------------------
// TComplexInitializeCondition

TComplexInitializeCondition::TComplexInitializeCondition() {
    conditions_.OnAdd = [this](TInitializeConditionList&, TInitializeCondition& member) {
        Wire(member);
    };
}

std::unique_ptr<TInitializeCondition> TComplexInitializeCondition::NewInstance() const {
    return std::make_unique<TComplexInitializeCondition>();
}

void TComplexInitializeCondition::Wire(TInitializeCondition& member) {
    member.SetDateOfCreate(DateOfCreate());
    member.SetCheckMode(CheckMode());
    member.OnArise = [this](TDateTime t) { ReportArise(t); };
    member.OnLate = [this](TDateTime t) { ReportLate(t); };
    if (OnConditionAdded)
        OnConditionAdded(conditions_, member);
}

void TComplexInitializeCondition::SetConditions(const TInitializeConditionList& list) {
    conditions_.Assign(list);
}

void TComplexInitializeCondition::AssignOwn(const TInitializeCondition& source) {
    SetConditions(static_cast<const TComplexInitializeCondition&>(source).conditions_);
}

void TComplexInitializeCondition::SetDateOfCreate(TDateTime dt) {
    TInitializeCondition::SetDateOfCreate(dt);
    for (int i = 0; i < conditions_.Count(); ++i)
        conditions_.Items(i).SetDateOfCreate(dt);
}

void TComplexInitializeCondition::SetLastAppear(TDateTime dt) {
    TInitializeCondition::SetLastAppear(dt);
    for (int i = 0; i < conditions_.Count(); ++i)
        conditions_.Items(i).SetLastAppear(dt);
}

void TComplexInitializeCondition::SetCheckMode(bool flag) {
    TInitializeCondition::SetCheckMode(flag);
    for (int i = 0; i < conditions_.Count(); ++i)
        conditions_.Items(i).SetCheckMode(flag);
}

TInitializeCondition* TComplexInitializeCondition::ActiveCondition() {
    return conditions_.LastChosen() ? conditions_.LastChosen() : this;
}

void TComplexInitializeCondition::GetDescription(std::string& text) const {
    text = conditions_.JoinedDescription();
}

void TComplexInitializeCondition::ResetToDefault(TDateTime dt) {
    TInitializeCondition::ResetToDefault(dt);
    for (int i = 0; i < conditions_.Count(); ++i)
        conditions_.Items(i).ResetToDefault(dt);
}

TDateTime TComplexInitializeCondition::NextArise(TDateTime x) {
    return conditions_.EarliestNextArise(x);
}

void TComplexInitializeCondition::SaveState() {
    TInitializeCondition::SaveState();
    for (int i = 0; i < conditions_.Count(); ++i)
        conditions_.Items(i).SaveState();
}

void TComplexInitializeCondition::RestoreState() {
    TInitializeCondition::RestoreState();
    for (int i = 0; i < conditions_.Count(); ++i)
        conditions_.Items(i).RestoreState();
}

void TComplexInitializeCondition::SetStartDate(TDateTime d) {
    TInitializeCondition::SetStartDate(d);
    for (int i = 0; i < conditions_.Count(); ++i)
        conditions_.Items(i).SetStartDate(d);
}

std::pair<TDateTime, TInitializeCondition*>
TComplexInitializeCondition::NextAriseWithSource(TDateTime x) {
    const TDateTime r = NextArise(x);
    if (IsNullDate(r))
        return {NullDate, nullptr};
    return {r, conditions_.LastChosen()};
}

// ---- property tables --------------------------------------------------------------------

const TClassInfo& TInitializeCondition::StaticClass() {
    using C = TInitializeCondition;
    static const TClassInfo info =
        TClassBuilder<C, TComponent>("TInitializeCondition")
            .DateTime("DateOfCreate", &C::DateOfCreate, &C::SetDateOfCreate)
            .DateTime("LastAppear", &C::LastAppear, &C::SetLastAppear)
            .Build();
    return info;
}

const TClassInfo& TInitializeConditionList::StaticClass() {
    using C = TInitializeConditionList;
    static const TClassInfo info =
        TClassBuilder<C, TAdvComponent>("TInitializeConditionList")
            .Items<TInitializeCondition>(
                &C::Count, &C::Items,
                [](C& c, std::unique_ptr<TInitializeCondition> i) { c.Add(std::move(i)); })
            .Build();
    return info;
}

const TClassInfo& TComplexInitializeCondition::StaticClass() {
    using C = TComplexInitializeCondition;
    static const TClassInfo info =
        TClassBuilder<C, TInitializeCondition>("TComplexInitializeCondition")
            .Object<TInitializeConditionList>(
                "Conditions",
                [](const C& c) -> const TInitializeConditionList& { return c.Conditions(); },
                [](C& c, const TInitializeConditionList& list) { c.SetConditions(list); })
            .ReadInPlace()
            .Build();
    return info;
}

void RegisterConditionClasses(TClassRegistry& registry) {
    RegisterClasses<TInitializeCondition, TComplexInitializeCondition, TInitializeConditionList,
                    TSimpleInitializeCondition, TReminderInitializeCondition,
                    TSnoozeInitializeCondition>(registry);
    RegisterClasses<TAllTimeCondition, TOnceTimeCondition, TByMinuteTimeCondition,
                    THourlyTimeCondition, TComplexTimeCondition, TTimeConditionList>(registry);
    RegisterClasses<TOnceDateCondition, TDailyDateCondition, TWeeklyDateCondition,
                    TMonthlyDateCondition, TYearlyDateCondition, TComplexDateCondition,
                    TDateConditionList>(registry);
    RegisterClasses<TOnceRelativeCondition, TPeriodicRelativeCondition, TRelativeSubjectRecord>(
        registry);
}

} // namespace kelvo
