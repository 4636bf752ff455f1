#include "core/scheduling/RelativeCondition.h"

#include "core/stream/PropertyTable.h"
#include "core/util/paFormat.h"
#include "core/util/paTranslate.h"

#include <algorithm>

namespace kelvo {

namespace {

// Compared on whole milliseconds, so a moment computed along another path still equals x.
int Compare(TDateTime a, TDateTime b) {
    const std::int64_t ma = DateTimeToMs(a);
    const std::int64_t mb = DateTimeToMs(b);
    return ma > mb ? 1 : (ma < mb ? -1 : 0);
}

bool IsDayOrLonger(TPeriodType unit) {
    return unit >= ptDay;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TRelativeSubjectRecord

void TRelativeSubjectRecord::Assign(const TRelativeSubjectRecord& source) {
    number_ = source.Number();
    subject_ = source.subject_;
}

bool TRelativeSubjectRecord::SameAs(const TRelativeSubjectRecord& other) const {
    return Number() == other.Number() && subject_ == other.subject_;
}

std::string TRelativeSubjectRecord::SubjectText() const {
    const char* pattern = nullptr;
    switch (subject_) {
    case ptSec:
        return {};
    case ptMinute:
        pattern = KELVO_TR_NOOP("RelativeCondition", "%d minute(s)");
        break;
    case ptHour:
        pattern = KELVO_TR_NOOP("RelativeCondition", "%d hour(s)");
        break;
    case ptDay:
        pattern = KELVO_TR_NOOP("RelativeCondition", "%d day(s)");
        break;
    case ptWeek:
        pattern = KELVO_TR_NOOP("RelativeCondition", "%d week(s)");
        break;
    case ptMonth:
        pattern = KELVO_TR_NOOP("RelativeCondition", "%d month(s)");
        break;
    case ptYear:
        pattern = KELVO_TR_NOOP("RelativeCondition", "%d year(s)");
        break;
    default:
        return {};
    }
    return Format(Translate("RelativeCondition", pattern), {std::to_string(Number())});
}

TDateTime TRelativeSubjectRecord::SubtractFrom(TDateTime dt) const {
    return IncPeriod(subject_, -static_cast<std::int64_t>(Number()), dt);
}

TDateTime TRelativeSubjectRecord::AddTo(TDateTime dt) const {
    return IncPeriod(subject_, Number(), dt);
}

// ---------------------------------------------------------------------------------------------
// TRelativeCondition

TRelativeCondition::TRelativeCondition() : baseDateTime_(Today()) {}

std::unique_ptr<TRelativeCondition> TRelativeCondition::Clone() const {
    auto copy = NewInstance();
    copy->Assign(*this);
    return copy;
}

void TRelativeCondition::Assign(const TRelativeCondition& source) {
    SetFromSubject(source.FromSubject());
}

void TRelativeCondition::SetFromSubject(const TRelativeSubjectRecord& value) {
    if (!fromSubject_.SameAs(value))
        fromSubject_.Assign(value);
}

std::string TRelativeCondition::Description() const {
    std::string text;
    GetDescription(text);
    return text;
}

void TRelativeCondition::SetDefault() {
    SetFromSubject({1, ptDay});
}

TDateTime TRelativeCondition::LeadSpan() const {
    return fromSubject_.AddTo(0.0);
}

TDateTime TRelativeCondition::EarliestUsefulBase(TDateTime x) const {
    // The first moment is FromSubject before the base, and adding the lead back to a moment
    // never passes the base (day clamping only moves back), so a base before x + lead has
    // its moment before x.
    return fromSubject_.AddTo(IsDateOnly() ? DateOf(x) : x);
}

// ---------------------------------------------------------------------------------------------
// TOnceRelativeCondition

std::unique_ptr<TRelativeCondition> TOnceRelativeCondition::NewInstance() const {
    return std::make_unique<TOnceRelativeCondition>();
}

void TOnceRelativeCondition::GetDescription(std::string& text) const {
    text = Format(KELVO_TR("RelativeCondition", "Once on %s before event"),
                  {FromSubject().SubjectText()});
}

bool TOnceRelativeCondition::IsDateOnly() const {
    return IsDayOrLonger(FromSubject().Subject());
}

TDateTime TOnceRelativeCondition::NextDate(TDateTime x) const {
    const TDateTime r = FirstMoment();
    if (IsDateOnly()) {
        if (CompareDate(x, r) == 1)
            return NullDate;
    } else if (Compare(x, r) == 1) {
        return NullDate;
    }
    return r;
}

// ---------------------------------------------------------------------------------------------
// TPeriodicRelativeCondition

TPeriodicRelativeCondition::TPeriodicRelativeCondition() = default;

std::unique_ptr<TRelativeCondition> TPeriodicRelativeCondition::NewInstance() const {
    return std::make_unique<TPeriodicRelativeCondition>();
}

void TPeriodicRelativeCondition::Assign(const TRelativeCondition& source) {
    TRelativeCondition::Assign(source);
    if (const auto* p = dynamic_cast<const TPeriodicRelativeCondition*>(&source)) {
        SetPeriodSubject(p->periodSubject_);
        SetUntilSubject(p->untilSubject_);
        untilTimes_ = p->untilTimes_;
        untilType_ = p->untilType_;
    }
}

void TPeriodicRelativeCondition::SetPeriodSubject(const TRelativeSubjectRecord& value) {
    if (!periodSubject_.SameAs(value))
        periodSubject_.Assign(value);
}

void TPeriodicRelativeCondition::SetUntilSubject(const TRelativeSubjectRecord& value) {
    if (!untilSubject_.SameAs(value))
        untilSubject_.Assign(value);
}

void TPeriodicRelativeCondition::SetDefault() {
    TRelativeCondition::SetDefault();
    SetPeriodSubject({1, ptDay});
    untilType_ = ruUntilEvent;
}

bool TPeriodicRelativeCondition::IsDateOnly() const {
    return IsDayOrLonger(FromSubject().Subject()) && IsDayOrLonger(periodSubject_.Subject());
}

void TPeriodicRelativeCondition::GetDescription(std::string& text) const {
    text = Describe();
}

std::string TPeriodicRelativeCondition::Describe() const {
    const std::string period = periodSubject_.SubjectText();
    const std::string from = FromSubject().SubjectText();
    switch (untilType_) {
    case ruUntilEvent:
        return Format(KELVO_TR("RelativeCondition", "Every %s from %s before event"),
                      {period, from});
    case ruUntilSubject:
        return Format(
            KELVO_TR("RelativeCondition", "Every %s from %s before event until %s before event"),
            {period, from, untilSubject_.SubjectText()});
    case ruUntilTimes:
        return Format(KELVO_TR("RelativeCondition", "Every %s from %s before event %d times"),
                      {period, from, std::to_string(untilTimes_)});
    }
    return {};
}

std::string TPeriodicRelativeCondition::UntilText() const {
    switch (untilType_) {
    case ruUntilEvent:
        return KELVO_TR("RelativeCondition", "until event");
    case ruUntilSubject:
        return Format(KELVO_TR("RelativeCondition", "until %s before event"),
                      {untilSubject_.SubjectText()});
    case ruUntilTimes:
        return Format("%d times", {std::to_string(untilTimes_)});
    }
    return {};
}

TDateTime TPeriodicRelativeCondition::Limit(TDateTime a) const {
    const TDateTime base = BaseDateTime();
    switch (untilType_) {
    case ruUntilEvent:
        return base;
    case ruUntilSubject:
        return untilSubject_.SubtractFrom(base);
    case ruUntilTimes: {
        const std::int64_t n = static_cast<std::int64_t>(untilTimes_) *
                               static_cast<std::int64_t>(periodSubject_.Number());
        return std::min(base, IncPeriod(periodSubject_.Subject(), n, a));
    }
    }
    return NullDate;
}

TDateTime TPeriodicRelativeCondition::NextDate(TDateTime x) const {
    const TPeriodType u = periodSubject_.Subject();
    const std::int64_t p = periodSubject_.Number();
    const TDateTime a = FirstMoment();
    const TDateTime limit = Limit(a);
    if (IsNullDate(limit))
        return NullDate;
    // Date-only moments get their time of day elsewhere, so any moment on x's day counts.
    const TDateTime from = IsDateOnly() ? DateOf(x) : x;
    TDateTime r = a;
    if (Compare(from, a) == 1) {
        std::int64_t k = PeriodBetween(u, a, from) / p * p;
        r = IncPeriod(u, k, a);
        if (Compare(r, from) < 0)
            r = IncPeriod(u, p, r);
        // Day clamping can leave r before x even then (31 January plus one month, plus one
        // more, is 28 March); count further periods from a, which keeps the answers
        // growing with x.
        for (int guard = 0; Compare(r, from) < 0; ++guard) {
            if (guard == 64)
                return NullDate;
            k += p;
            r = IncPeriod(u, k, a);
        }
    }
    if (Compare(r, limit) >= 0)
        return NullDate;
    return r;
}

TDateTime TPeriodicRelativeCondition::EarliestUsefulBase(TDateTime x) const {
    const TDateTime from = IsDateOnly() ? DateOf(x) : x;
    // Every moment lies before the limit, so a base whose limit is not after x gives none.
    switch (untilType_) {
    case ruUntilEvent:
        return from;
    case ruUntilSubject:
        return untilSubject_.AddTo(from);
    case ruUntilTimes: {
        const std::int64_t n = static_cast<std::int64_t>(untilTimes_) *
                               static_cast<std::int64_t>(periodSubject_.Number());
        if (n <= 0)
            return MaxDate;
        const TDateTime firstAfter = IncPeriod(periodSubject_.Subject(), -n, from);
        return std::max(from, FromSubject().AddTo(firstAfter));
    }
    }
    return MaxDate;
}

// ---- property tables --------------------------------------------------------------------

const TClassInfo& TRelativeSubjectRecord::StaticClass() {
    using C = TRelativeSubjectRecord;
    static const TClassInfo info =
        TClassBuilder<C, TPersistent>("TRelativeSubjectRecord")
            .Integer("Number", &C::Number, &C::SetNumber)
            .AtLeast(1)
            .Enum("Subject", EnumNames<TPeriodType>(), &C::Subject, &C::SetSubject)
            .Build();
    return info;
}

const TClassInfo& TRelativeCondition::StaticClass() {
    using C = TRelativeCondition;
    static const TClassInfo info =
        TClassBuilder<C, TComponent>("TRelativeCondition")
            .Object<TRelativeSubjectRecord>("FromSubject", &C::FromSubject, &C::SetFromSubject)
            .Build();
    return info;
}

const TClassInfo& TOnceRelativeCondition::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TOnceRelativeCondition, TRelativeCondition>("TOnceRelativeCondition").Build();
    return info;
}

const TClassInfo& TPeriodicRelativeCondition::StaticClass() {
    using C = TPeriodicRelativeCondition;
    static const TClassInfo info =
        TClassBuilder<C, TRelativeCondition>("TPeriodicRelativeCondition")
            .Object<TRelativeSubjectRecord>("PeriodSubject", &C::PeriodSubject,
                                            &C::SetPeriodSubject)
            .Enum("UntilType", EnumNames<TRelativeUntilType>(), &C::UntilType, &C::SetUntilType)
            .Object<TRelativeSubjectRecord>("UntilSubject", &C::UntilSubject, &C::SetUntilSubject)
            .Integer("UntilTimes", &C::UntilTimes, &C::SetUntilTimes)
            .Build();
    return info;
}

} // namespace kelvo
