#include "core/persistence/EventList.h"

#include "core/entities/Event.h"

#include <algorithm>
#include <mutex>
#include <utility>

namespace kelvo {

namespace {

std::mutex& SortLock() {
    static std::mutex lock;
    return lock;
}

} // namespace

TEvent* TEventList::NearestEvent(TDateTime x, TDateTime& when) const {
    TEvent* best = nullptr;
    when = NullDate;
    for (TEvent* e : items_) {
        const TDateTime next = e->InitializeCondition().NextArise(x);
        if (IsNullDate(next))
            continue;
        if (best == nullptr || next < when) {
            best = e;
            when = next;
        }
    }
    return best;
}

void TEventList::SortByNextArise(TDateTime x) {
    const std::lock_guard guard(SortLock());
    // Each event's moment is asked once; the conditions answer the same for the same x.
    std::vector<std::pair<TDateTime, TEvent*>> keyed;
    keyed.reserve(items_.size());
    for (TEvent* e : items_)
        keyed.emplace_back(e->InitializeCondition().NextArise(x), e);
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        items_[i] = keyed[i].second;
}

} // namespace kelvo
