#pragma once

// An ordered list of events, as the events file holds them and as the notebook and the main
// window query them. The list refers to its events; whoever loaded them owns them.

#include "core/util/paDateUtils.h"

#include <cstddef>
#include <vector>

namespace kelvo {

class TEvent;

class TEventList {
public:
    TEventList() = default;
    explicit TEventList(std::vector<TEvent*> events) : items_(std::move(events)) {}

    int Count() const { return static_cast<int>(items_.size()); }
    TEvent& Items(int i) const { return *items_.at(static_cast<std::size_t>(i)); }
    void Add(TEvent& event) { items_.push_back(&event); }
    void Clear() { items_.clear(); }
    const std::vector<TEvent*>& Events() const { return items_; }

    // The event whose condition has the earliest NextArise(x) that is not NullDate, and that
    // moment; on equal moments the earlier event wins. None and NullDate without one.
    TEvent* NearestEvent(TDateTime x, TDateTime& when) const;
    // The same query as the notebook names it.
    TEvent* NextEvent(TDateTime x, TDateTime& when) const { return NearestEvent(x, when); }
    // Earliest NextArise(x) first, events without a further arising before all others; the
    // order of equal ones is not kept. Runs under one process-wide lock.
    void SortByNextArise(TDateTime x);

private:
    std::vector<TEvent*> items_;
};

} // namespace kelvo
