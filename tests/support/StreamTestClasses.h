#pragma once

// Small persisted classes that exercise every kind of property table entry. Tests,
// benchmarks and the fuzzers register them in a registry of their own. Three of them carry
// the stream names of the time conditions so that known byte layouts can be reproduced.

#include "core/stream/PropertyTable.h"

#include <bitset>
#include <memory>
#include <string>
#include <vector>

namespace kelvo::test {

class TTimeCondition : public TComponent {
    KELVO_PERSISTENT(TTimeCondition)
    virtual int Kind() const = 0;
};

class TOnceTimeCondition : public TTimeCondition {
    KELVO_PERSISTENT(TOnceTimeCondition)
    int Kind() const override { return 1; }
    double Time() const { return time_; }
    void SetTime(double t) { time_ = t; }

private:
    double time_ = 0.25; // not 0.0, so that reading an absent Time is observable
};

class TTimeConditionList : public TAdvComponent {
    KELVO_PERSISTENT(TTimeConditionList)
    std::size_t Count() const { return items_.size(); }
    const TTimeCondition& Item(std::size_t i) const { return *items_[i]; }
    void Add(std::unique_ptr<TTimeCondition> c) { items_.push_back(std::move(c)); }
    void Clear() { items_.clear(); }

private:
    std::vector<std::unique_ptr<TTimeCondition>> items_;
};

class TComplexTimeCondition : public TTimeCondition {
    KELVO_PERSISTENT(TComplexTimeCondition)
    int Kind() const override { return 2; }
    const TTimeConditionList& Conditions() const { return conditions_; }
    TTimeConditionList& Conditions() { return conditions_; }
    // Copies, as the domain's setters do.
    void SetConditions(const TTimeConditionList& list);

private:
    TTimeConditionList conditions_;
};

// Not a component: no Name, no Tag.
enum class TSampleUnit { suMinute, suHour, suDay };
inline constexpr std::string_view SampleUnitNames[] = {"suMinute", "suHour", "suDay"};

class TSampleSubject : public TPersistent {
    KELVO_PERSISTENT(TSampleSubject)
    int Number() const { return number_; }
    void SetNumber(int n) { number_ = n; }
    TSampleUnit Unit() const { return unit_; }
    void SetUnit(TSampleUnit u) { unit_ = u; }

private:
    int number_ = 1;
    TSampleUnit unit_ = TSampleUnit::suMinute;
};

inline constexpr std::string_view WeekdayNames[] = {
    "dwSunday", "dwMonday", "dwTuesday", "dwWednesday", "dwThursday", "dwFriday", "dwSaturday"};
using TWeekdays = std::bitset<7>;

// One of every kind of property.
class TSampleRecord : public TComponent {
    KELVO_PERSISTENT(TSampleRecord)
    int Count() const { return count_; } // no default: always written
    void SetCount(int v) { count_ = v; }
    int Snooze() const { return snooze_; } // default 5, at least 1
    void SetSnooze(int v) { snooze_ = v; }
    std::int32_t Color() const { return color_; } // default clBtnFace
    void SetColor(std::int32_t v) { color_ = v; }
    bool Quickly() const { return quickly_; } // default False
    void SetQuickly(bool v) { quickly_ = v; }
    bool Enabled() const { return enabled_; } // no default
    void SetEnabled(bool v) { enabled_ = v; }
    TSampleUnit Unit() const { return unit_; } // default suHour
    void SetUnit(TSampleUnit v) { unit_ = v; }
    TWeekdays Days() const { return days_; } // no default
    void SetDays(TWeekdays v) { days_ = v; }
    const std::string& Message() const { return message_; }
    void SetMessage(const std::string& v) { message_ = v; }
    double Volume() const { return volume_; }
    void SetVolume(double v) { volume_ = v; }
    double When() const { return when_; }
    void SetWhen(double v) { when_ = v; }
    double Until() const { return until_; } // stored only when HasUntil
    void SetUntil(double v) { until_ = v; }
    bool HasUntil() const { return hasUntil_; }
    void SetHasUntil(bool v) { hasUntil_ = v; }
    std::string Description() const { return "record " + message_; } // never stored
    int Revision() const { return 7; }                               // read-only
    const TSampleSubject* Subject() const { return subject_.get(); }
    void SetSubject(const TSampleSubject& s) { subject_ = std::make_unique<TSampleSubject>(s); }
    const TSampleRecord* Next() const { return next_.get(); }
    void SetNext(std::unique_ptr<TSampleRecord> n) { next_ = std::move(n); }
    const TTimeCondition* Condition() const { return condition_.get(); }
    void SetCondition(std::unique_ptr<TTimeCondition> c) { condition_ = std::move(c); }

private:
    int count_ = 0;
    int snooze_ = 5;
    std::int32_t color_ = clBtnFace;
    bool quickly_ = false;
    bool enabled_ = true;
    TSampleUnit unit_ = TSampleUnit::suHour;
    TWeekdays days_;
    std::string message_ = "Don't forget";
    double volume_ = 0.0;
    double when_ = 100.0;
    double until_ = 200.0;
    bool hasUntil_ = false;
    std::unique_ptr<TSampleSubject> subject_;
    std::unique_ptr<TTimeCondition> condition_;
    std::unique_ptr<TSampleRecord> next_;
};

// A list emptied before its items are read, of any records.
class TSampleRecordList : public TAdvComponent {
    KELVO_PERSISTENT(TSampleRecordList)
    std::vector<std::unique_ptr<TSampleRecord>> Items;
};

// The record of the test data files.
class TEvent : public TSampleRecord {
    KELVO_PERSISTENT(TEvent)
};

inline void RegisterStreamTestClasses(TClassRegistry& registry) {
    RegisterClasses<TOnceTimeCondition, TTimeConditionList, TComplexTimeCondition, TSampleSubject,
                    TSampleRecord, TSampleRecordList, TEvent>(registry);
}

// ---- tables -----------------------------------------------------------------------------

inline void TComplexTimeCondition::SetConditions(const TTimeConditionList& list) {
    conditions_.Clear();
    for (std::size_t i = 0; i < list.Count(); ++i) {
        auto copy = std::make_unique<TOnceTimeCondition>();
        if (auto* once = dynamic_cast<const TOnceTimeCondition*>(&list.Item(i)))
            copy->SetTime(once->Time());
        conditions_.Add(std::move(copy));
    }
}

inline const TClassInfo& TTimeCondition::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TTimeCondition, TComponent>("TTimeCondition").Build();
    return info;
}

inline const TClassInfo& TOnceTimeCondition::StaticClass() {
    using C = TOnceTimeCondition;
    static const TClassInfo info = TClassBuilder<C, TTimeCondition>("TOnceTimeCondition")
                                       .DateTime("Time", &C::Time, &C::SetTime)
                                       .Build();
    return info;
}

inline const TClassInfo& TTimeConditionList::StaticClass() {
    using C = TTimeConditionList;
    static const TClassInfo info = TClassBuilder<C, TAdvComponent>("TTimeConditionList")
                                       .Items<TTimeCondition>(&C::Count, &C::Item, &C::Add)
                                       .Build();
    return info;
}

inline const TClassInfo& TComplexTimeCondition::StaticClass() {
    using C = TComplexTimeCondition;
    static const TClassInfo info =
        TClassBuilder<C, TTimeCondition>("TComplexTimeCondition")
            .Object<TTimeConditionList>(
                "Conditions",
                [](const C& c) -> const TTimeConditionList& { return c.Conditions(); },
                &C::SetConditions)
            .Build();
    return info;
}

inline const TClassInfo& TSampleSubject::StaticClass() {
    using C = TSampleSubject;
    static const TClassInfo info = TClassBuilder<C, TPersistent>("TSampleSubject")
                                       .Integer("Number", &C::Number, &C::SetNumber)
                                       .AtLeast(1)
                                       .Enum("Unit", SampleUnitNames, &C::Unit, &C::SetUnit)
                                       .Build();
    return info;
}

inline const TClassInfo& TSampleRecord::StaticClass() {
    using C = TSampleRecord;
    static const TClassInfo info =
        TClassBuilder<C, TComponent>("TSampleRecord")
            .Object<TTimeCondition>("Condition", &C::Condition, &C::SetCondition)
            .Object<TSampleSubject>("Subject", &C::Subject, &C::SetSubject)
            .String("Message", &C::Message, &C::SetMessage)
            .Integer("Count", &C::Count, &C::SetCount)
            .Integer("Snooze", &C::Snooze, &C::SetSnooze)
            .Default(5)
            .AtLeast(1)
            .Color("Color", &C::Color, &C::SetColor)
            .Default(clBtnFace)
            .Boolean("Quickly", &C::Quickly, &C::SetQuickly)
            .Default(false)
            .Boolean("Enabled", &C::Enabled, &C::SetEnabled)
            .Enum("Unit", SampleUnitNames, &C::Unit, &C::SetUnit)
            .Default(TSampleUnit::suHour)
            .Set("Days", WeekdayNames, &C::Days, &C::SetDays)
            .Float("Volume", &C::Volume, &C::SetVolume)
            .DateTime("When", &C::When, &C::SetWhen)
            .Boolean("HasUntil", &C::HasUntil, &C::SetHasUntil)
            .Default(false)
            .DateTime("Until", &C::Until, &C::SetUntil)
            .StoredIf(&C::HasUntil)
            .String("Description", &C::Description)
            .Stored(false)
            .Integer("Revision", &C::Revision)
            .Object<TSampleRecord>("Next", &C::Next, &C::SetNext)
            .Build();
    return info;
}

inline const TClassInfo& TSampleRecordList::StaticClass() {
    using C = TSampleRecordList;
    static const TClassInfo info =
        TClassBuilder<C, TAdvComponent>("TSampleRecordList")
            .Items<TSampleRecord>(
                [](const C& c) { return c.Items.size(); },
                [](const C& c, std::size_t i) -> const TSampleRecord& { return *c.Items[i]; },
                [](C& c, std::unique_ptr<TSampleRecord> r) { c.Items.push_back(std::move(r)); })
            .ClearFirst([](C& c) { c.Items.clear(); })
            .Build();
    return info;
}

inline const TClassInfo& TEvent::StaticClass() {
    static const TClassInfo info = TClassBuilder<TEvent, TSampleRecord>("TEvent").Build();
    return info;
}

} // namespace kelvo::test
