// Date and time conditions built from arbitrary property values (as a damaged events file
// could hold them): every question must terminate, and every answer must be one the
// condition itself admits again.
#include "core/scheduling/DateCondition.h"
#include "core/scheduling/TimeCondition.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace kelvo;

namespace {

class TBytes {
public:
    TBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T> T Take() {
        T value{};
        std::uint8_t raw[sizeof(T)] = {};
        for (std::size_t i = 0; i < sizeof(T) && pos_ < size_; ++i)
            raw[i] = data_[pos_++];
        std::memcpy(&value, raw, sizeof(T));
        return value;
    }
    std::uint8_t Byte() { return Take<std::uint8_t>(); }

    // A date: mostly near today, sometimes anything a double can hold.
    TDateTime Date() {
        const std::uint8_t how = Byte();
        if (how < 200)
            return 45000.0 + Take<std::int16_t>() * 4.0 + Byte() / 256.0;
        if (how < 240)
            return static_cast<double>(Take<std::int32_t>());
        return Take<double>();
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void Check(bool ok) {
    if (!ok)
        std::abort();
}

std::unique_ptr<TDateCondition> MakeDate(TBytes& in, int depth) {
    const int kind = in.Byte() % (depth < 2 ? 6 : 5);
    auto c = CreateDateCondition(kind);
    if (auto* once = dynamic_cast<TOnceDateCondition*>(c.get())) {
        once->SetDate(in.Date());
        return c;
    }
    if (auto* complex = dynamic_cast<TComplexDateCondition*>(c.get())) {
        for (int i = in.Byte() % 4; i > 0; --i)
            complex->Conditions().Add(MakeDate(in, depth + 1));
        for (int i = in.Byte() % 4; i > 0; --i)
            complex->ExcludeConditions().Add(MakeDate(in, depth + 1));
        return c;
    }
    auto& p = static_cast<TPeriodicDateCondition&>(*c);
    p.SetFromDate(in.Date());
    const std::uint8_t period = in.Byte();
    p.SetPeriod(period < 250 ? period % 13 : in.Take<std::int32_t>());
    p.SetUntilType(static_cast<TUntilType>(in.Byte() % 4));
    p.SetToDate(in.Date());
    const std::uint8_t times = in.Byte();
    p.SetTimes(times < 250 ? times % 20 : in.Take<std::int32_t>());
    if (auto* w = dynamic_cast<TWeeklyDateCondition*>(&p))
        w->SetWeekDays(TDaysOfWeek::FromBits(in.Byte()));
    if (auto* m = dynamic_cast<TInternalDateInMonthDateCondition*>(&p)) {
        m->SetDayNumber(in.Take<std::int8_t>());
        m->SetSubjectNumber(static_cast<TWeekOfMonthName>(in.Byte() % 7));
        m->SetSubjectKind(static_cast<TMonthSubjectName>(in.Byte() % 10));
    }
    if (auto* y = dynamic_cast<TYearlyDateCondition*>(&p))
        y->SetMonths(TMonths::FromBits(in.Take<std::uint16_t>()));
    return c;
}

std::unique_ptr<TTimeCondition> MakeTime(TBytes& in, int depth) {
    auto c = CreateTimeCondition(in.Byte() % (depth < 2 ? 5 : 4));
    if (auto* once = dynamic_cast<TOnceTimeCondition*>(c.get()))
        once->SetTime(in.Date());
    if (auto* p = dynamic_cast<TPeriodicTimeCondition*>(c.get())) {
        p->SetFromTime(in.Date());
        p->SetToTime(in.Date());
        p->SetCountPeriod(in.Take<std::int32_t>());
    }
    if (auto* complex = dynamic_cast<TComplexTimeCondition*>(c.get()))
        for (int i = in.Byte() % 4; i > 0; --i)
            complex->Conditions().Add(MakeTime(in, depth + 1));
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TBytes in(data, size);
    SetFirstDayOfWeek(in.Byte() % 7);

    const auto date = MakeDate(in, 0);
    (void)date->Description();
    for (int i = 0; i < 4; ++i) {
        const TDateTime x = in.Date();
        const TDateTime r = date->NextDate(x);
        if (IsNullDate(r))
            continue;
        Check(r <= MaxDate && r == DateOf(r));
        Check(!(x == x) || r >= DateOf(x) || DateOf(x) < MinDate);
        if (r > MinDate)
            Check(date->NextDate(r) == r);
        if (const auto* p = dynamic_cast<const TPeriodicDateCondition*>(date.get()))
            (void)p->NthOccurrenceDate(in.Take<std::int32_t>(), p->FromDate());
    }

    const auto time = MakeTime(in, 0);
    (void)time->Description();
    for (int i = 0; i < 4; ++i) {
        const TDateTime t = TimeOf(in.Date());
        if (!(t == t))
            continue;
        const TDateTime r = time->NextTime(t);
        if (IsNoTime(r) || dynamic_cast<const TAllTimeCondition*>(time.get()))
            continue;
        Check(r < 1.0);
        Check(TimeOfDayMs(r) >= TimeOfDayMs(t));
    }
    SetFirstDayOfWeek(0);
    return 0;
}
