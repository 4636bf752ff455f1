#include "core/agenda/DayMove.h"

#include "core/scheduling/DateCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"

#include <memory>

namespace kelvo {

namespace {

std::unique_ptr<TOnceDateCondition> OnceOn(TDateTime day) {
    auto once = std::make_unique<TOnceDateCondition>();
    once->SetDate(day);
    return once;
}

void MoveWithinComplex(TComplexDateCondition& dates, TDateTime s, TDateTime t, bool copy) {
    if (!copy) {
        const auto given = dates.Conditions().EarliestNextDate(s);
        if (given.Index >= 0 && given.Date == s) {
            const TDateCondition& member = dates.Conditions().Items(given.Index);
            if (dynamic_cast<const TOnceDateCondition*>(&member))
                dates.Conditions().Delete(given.Index);
            else // a recurring member keeps its other days
                dates.ExcludeConditions().Add(OnceOn(s));
        }
    }
    dates.Conditions().Add(OnceOn(t));
    // Coming back to a day excluded before undoes that exclusion.
    const auto excluded = dates.ExcludeConditions().EarliestNextDate(t);
    if (excluded.Index >= 0 && excluded.Date == t)
        dates.ExcludeConditions().Delete(excluded.Index);
}

} // namespace

bool MoveArisingToDay(TEvent& event, TDateTime source, TDateTime target, bool copy) {
    const TDateTime s = DateOf(source);
    const TDateTime t = DateOf(target);
    if (s == t)
        return false;
    const auto [arising, member] = event.InitializeCondition().NextAriseWithSource(s);
    if (IsNullDate(arising) || DateOf(arising) != s)
        return false;
    auto* simple = dynamic_cast<TSimpleInitializeCondition*>(member);
    if (!simple || !simple->DateCondition())
        return false;
    TDateCondition& dates = *simple->DateCondition();

    if (auto* once = dynamic_cast<TOnceDateCondition*>(&dates); once && !copy) {
        once->SetDate(t);
        return true;
    }
    if (auto* complex = dynamic_cast<TComplexDateCondition*>(&dates)) {
        MoveWithinComplex(*complex, s, t, copy);
        return true;
    }
    // A single date copied, or a recurring one: both become the members of a complex
    // condition, the source day excluded when it moves.
    TComplexDateCondition replaced;
    replaced.Conditions().Add(dates.Clone());
    if (!copy && !dynamic_cast<TOnceDateCondition*>(&dates))
        replaced.ExcludeConditions().Add(OnceOn(s));
    replaced.Conditions().Add(OnceOn(t));
    simple->SetDateCondition(&replaced);
    return true;
}

} // namespace kelvo
