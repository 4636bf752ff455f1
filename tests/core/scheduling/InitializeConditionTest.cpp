#include "core/scheduling/InitializeCondition.h"

#include "core/scheduling/SnoozeInitializeCondition.h"
#include "support/TestClock.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace kelvo;
using kelvo::test::TestClock;

namespace {

TDateTime DT(int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return EncodeDateTime(y, m, d, h, mi, s, ms);
}

#define EXPECT_DT(expected, actual) EXPECT_EQ(DateTimeToMs(expected), DateTimeToMs(actual))

// Arises at a fixed list of moments.
class ListCondition : public TInitializeCondition {
public:
    explicit ListCondition(std::vector<TDateTime> moments = {}) : moments_(std::move(moments)) {
        std::sort(moments_.begin(), moments_.end());
    }
    TDateTime NextArise(TDateTime x) override {
        ++calls;
        if (checkModeSeen != nullptr)
            *checkModeSeen = CheckMode();
        if (failing)
            throw EpaError("broken condition");
        const auto it = std::lower_bound(moments_.begin(), moments_.end(), x);
        return it == moments_.end() ? NullDate : *it;
    }
    int calls = 0;
    bool failing = false;
    bool* checkModeSeen = nullptr;

protected:
    std::unique_ptr<TInitializeCondition> NewInstance() const override {
        return std::make_unique<ListCondition>(moments_);
    }

private:
    std::vector<TDateTime> moments_;
};

struct Reports {
    std::vector<TDateTime> arisen, late;
    void Attach(TInitializeCondition& c) {
        c.OnArise = [this](TDateTime t) { arisen.push_back(t); };
        c.OnLate = [this](TDateTime t) { late.push_back(t); };
    }
};

std::unique_ptr<TSnoozeInitializeCondition> Snooze(TDateTime at) {
    auto s = std::make_unique<TSnoozeInitializeCondition>();
    s->SetSnoozeDateTime(at);
    return s;
}

} // namespace

TEST(SnoozeInitializeCondition, NextArise) {
    TSnoozeInitializeCondition s;
    EXPECT_TRUE(IsNullDate(s.SnoozeDateTime()));
    EXPECT_TRUE(IsNullDate(s.NextArise(DT(2024, 1, 1))));
    s.SetSnoozeDateTime(DT(2024, 1, 1, 12));
    EXPECT_DT(DT(2024, 1, 1, 12), s.NextArise(DT(2024, 1, 1, 12)));
    EXPECT_DT(DT(2024, 1, 1, 12), s.NextArise(DT(2023, 1, 1)));
    EXPECT_TRUE(IsNullDate(s.NextArise(DT(2024, 1, 1, 12, 0, 0, 1))));
    EXPECT_EQ("Initialize condition is empty", s.Description());
    EXPECT_EQ("Initialize condition is empty", TInitializeCondition().Description());
}

TEST(SnoozeInitializeCondition, AssignAndClone) {
    TSnoozeInitializeCondition s;
    s.SetSnoozeDateTime(DT(2024, 1, 1, 12));
    s.SetLastAppear(DT(2024, 1, 1, 11));
    s.SetDateOfCreate(DT(2024, 1, 1, 10));
    s.OnArise = [](TDateTime) {};
    auto copy = s.Clone();
    ASSERT_EQ("TSnoozeInitializeCondition", copy->ClassName());
    EXPECT_DT(DT(2024, 1, 1, 12), static_cast<TSnoozeInitializeCondition&>(*copy).SnoozeDateTime());
    EXPECT_DT(DT(2024, 1, 1, 11), copy->LastAppear());
    EXPECT_DT(DT(2024, 1, 1, 10), copy->DateOfCreate());
    EXPECT_FALSE(copy->OnArise);

    // Between different classes only the base fields travel.
    ListCondition other;
    other.Assign(s);
    EXPECT_DT(DT(2024, 1, 1, 11), other.LastAppear());
    s.ResetToDefault(DT(2024, 5, 5));
    EXPECT_TRUE(IsNullDate(s.LastAppear()));
    EXPECT_TRUE(IsNullDate(s.DateOfCreate()));
}

TEST(InitializeConditionCheck, DueArisingReportedOnce) {
    TestClock clock(DT(2024, 1, 1, 12, 0, 0, 400));
    auto s = Snooze(DT(2024, 1, 1, 12));
    s->SetDateOfCreate(DT(2024, 1, 1, 11, 50));
    Reports r;
    r.Attach(*s);
    s->Check(DT(2024, 1, 1, 11, 59, 59, 1), DT(2024, 1, 1, 12, 0, 59));
    ASSERT_EQ(1u, r.arisen.size());
    EXPECT_DT(DT(2024, 1, 1, 12), r.arisen[0]);
    EXPECT_TRUE(r.late.empty());
    EXPECT_DT(DT(2024, 1, 1, 12, 0, 0, 400), s->LastAppear());

    clock.Set(DT(2024, 1, 1, 12, 1, 0, 400));
    s->Check(DT(2024, 1, 1, 12, 0, 59, 1), DT(2024, 1, 1, 12, 1, 59));
    EXPECT_EQ(1u, r.arisen.size());
    EXPECT_TRUE(r.late.empty());
}

TEST(InitializeConditionCheck, MissedWhileAsleep) {
    TestClock clock(DT(2024, 1, 1, 12, 5, 0, 500));
    auto s = Snooze(DT(2024, 1, 1, 12));
    s->SetDateOfCreate(DT(2024, 1, 1, 11, 50));
    Reports r;
    r.Attach(*s);
    TDateTime found = NullDate;
    EXPECT_TRUE(s->IsLate(DT(2024, 1, 1, 12, 5, 0, 1), &found));
    EXPECT_DT(DT(2024, 1, 1, 12), found);
    s->Check(DT(2024, 1, 1, 12, 5, 0, 1), DT(2024, 1, 1, 12, 5, 59));
    ASSERT_EQ(1u, r.late.size());
    EXPECT_DT(DT(2024, 1, 1, 12), r.late[0]);
    EXPECT_TRUE(r.arisen.empty());
    EXPECT_DT(clock.Now(), s->LastAppear());

    // Created less than a minute before its moment: the missed search starts after it.
    auto t = Snooze(DT(2024, 1, 1, 12));
    t->SetDateOfCreate(DT(2024, 1, 1, 11, 59, 30));
    Reports r2;
    r2.Attach(*t);
    t->Check(DT(2024, 1, 1, 12, 5, 0, 1), DT(2024, 1, 1, 12, 5, 59));
    EXPECT_TRUE(r2.late.empty());
    EXPECT_TRUE(r2.arisen.empty());
}

TEST(InitializeConditionCheck, OneMissedOfManyThenTheDueOne) {
    TestClock clock(DT(2024, 1, 4, 8, 0, 1));
    ListCondition c({DT(2024, 1, 1, 8), DT(2024, 1, 2, 8), DT(2024, 1, 3, 8), DT(2024, 1, 4, 8),
                     DT(2024, 1, 5, 8)});
    c.SetDateOfCreate(DT(2023, 12, 31));
    Reports r;
    r.Attach(c);
    // The missed one moves LastAppear to now; the due one of the same check still comes.
    c.Check(DT(2024, 1, 4, 7, 59, 59, 1), DT(2024, 1, 4, 8, 0, 59));
    ASSERT_EQ(1u, r.late.size());
    EXPECT_DT(DT(2024, 1, 1, 8), r.late[0]);
    ASSERT_EQ(1u, r.arisen.size());
    EXPECT_DT(DT(2024, 1, 4, 8), r.arisen[0]);

    clock.Set(DT(2024, 1, 4, 8, 1, 1));
    c.Check(DT(2024, 1, 4, 8, 0, 59, 1), DT(2024, 1, 4, 8, 1, 59));
    EXPECT_EQ(1u, r.late.size());
    EXPECT_EQ(1u, r.arisen.size());
}

TEST(InitializeConditionCheck, NeverCreatedNorAppearedSearchesFromTheFirstArising) {
    TestClock clock(DT(2024, 1, 4, 10));
    ListCondition c({DT(1999, 5, 1, 8), DT(2024, 1, 2, 8)});
    Reports r;
    r.Attach(c);
    c.Check(DT(2024, 1, 4, 9, 59, 59, 1), DT(2024, 1, 4, 10, 0, 59));
    ASSERT_EQ(1u, r.late.size());
    EXPECT_DT(DT(1999, 5, 1, 8), r.late[0]);
}

TEST(InitializeConditionCheck, ClockSetBackRepeatsNothing) {
    // Every five minutes; checked minute by minute from 10:00 to 10:30, then the clock goes
    // back an hour (end of summer time) and the hour is lived again.
    std::vector<TDateTime> moments;
    for (int m = 0; m < 24 * 60; m += 5)
        moments.push_back(IncMinute(m, DT(2024, 10, 27)));
    ListCondition c(moments);
    c.SetDateOfCreate(DT(2024, 10, 26));
    TestClock clock(DT(2024, 10, 27, 10, 0, 1));
    c.SetLastAppear(DT(2024, 10, 27, 9, 55, 1));
    Reports r;
    r.Attach(c);
    auto minute = [&](TDateTime start) {
        clock.Set(IncSecond(1, start));
        c.Check(IncMilliSecond(-999, start), IncSecond(59, start));
    };
    for (int m = 0; m <= 30; ++m)
        minute(IncMinute(m, DT(2024, 10, 27, 10)));
    EXPECT_EQ(7u, r.arisen.size());
    EXPECT_TRUE(r.late.empty());

    r.arisen.clear();
    for (int m = 0; m <= 75; ++m)
        minute(IncMinute(m, DT(2024, 10, 27, 9, 30)));
    EXPECT_TRUE(r.late.empty());
    // 09:30 .. 10:30 were handled already; 10:35, 10:40 and 10:45 are new.
    ASSERT_EQ(3u, r.arisen.size());
    EXPECT_DT(DT(2024, 10, 27, 10, 35), r.arisen[0]);
    EXPECT_DT(DT(2024, 10, 27, 10, 45), r.arisen[2]);
}

TEST(InitializeConditionCheck, NowBeforeBaseTimeReportsNoMissedArising) {
    TestClock clock(DT(2024, 1, 1, 9));
    ListCondition c({DT(2023, 6, 1, 8), DT(2024, 1, 1, 8), DT(2024, 1, 2, 8)});
    c.SetDateOfCreate(DT(2023, 1, 1));
    c.SetLastAppear(DT(2024, 1, 1, 10)); // later than now
    Reports r;
    r.Attach(c);
    EXPECT_FALSE(c.IsLate(DT(2024, 1, 1, 8, 59, 59, 1)));
    c.Check(DT(2024, 1, 1, 8, 59, 59, 1), DT(2024, 1, 1, 9, 0, 59));
    EXPECT_TRUE(r.late.empty());
    EXPECT_TRUE(r.arisen.empty());
}

TEST(InitializeConditionCheck, ArisesWithinAndIsLateDoNotReport) {
    TestClock clock(DT(2024, 1, 1, 9));
    ListCondition c({DT(2024, 1, 1, 9, 30)});
    c.SetDateOfCreate(DT(2024, 1, 1, 8));
    Reports r;
    r.Attach(c);
    TDateTime found = NullDate;
    EXPECT_TRUE(c.ArisesWithin(DT(2024, 1, 1, 9), DT(2024, 1, 1, 10), &found));
    EXPECT_DT(DT(2024, 1, 1, 9, 30), found);
    EXPECT_FALSE(c.ArisesWithin(DT(2024, 1, 1, 9), DT(2024, 1, 1, 9, 29), &found));
    EXPECT_TRUE(IsNullDate(found));
    EXPECT_FALSE(c.IsLate(DT(2024, 1, 1, 9, 29)));
    EXPECT_TRUE(c.IsLate(DT(2024, 1, 1, 9, 31)));
    EXPECT_TRUE(r.late.empty());
    EXPECT_TRUE(r.arisen.empty());
    EXPECT_TRUE(IsNullDate(c.LastAppear()));
}

TEST(InitializeCondition, NextAriseForCheckClearsCheckModeAlsoOnFailure) {
    ListCondition c({DT(2024, 1, 1)});
    bool seen = false;
    c.checkModeSeen = &seen;
    c.NextAriseForCheck(DT(2023, 1, 1));
    EXPECT_TRUE(seen);
    EXPECT_FALSE(c.CheckMode());
    c.NextArise(DT(2023, 1, 1));
    EXPECT_FALSE(seen);
    c.failing = true;
    EXPECT_THROW(c.NextAriseForCheck(DT(2023, 1, 1)), EpaError);
    EXPECT_FALSE(c.CheckMode());
}

TEST(InitializeCondition, SaveAndRestoreState) {
    ListCondition c;
    c.SetLastAppear(DT(2024, 1, 1));
    c.SetDateOfCreate(DT(2023, 1, 1));
    c.SaveState();
    c.SetLastAppear(DT(2025, 1, 1));
    c.SetDateOfCreate(DT(2025, 1, 1));
    c.SetCheckMode(true);
    c.RestoreState();
    EXPECT_DT(DT(2024, 1, 1), c.LastAppear());
    EXPECT_DT(DT(2023, 1, 1), c.DateOfCreate());
    EXPECT_FALSE(c.CheckMode());
    EXPECT_DT(DT(2024, 1, 1), c.BaseTime());
}

TEST(InitializeCondition, PreviousAriseAndElapsedText) {
    ListCondition c({DT(1970, 5, 15, 8), DT(2005, 5, 15, 8), DT(2006, 5, 15, 8)});
    EXPECT_TRUE(IsNullDate(c.PreviousArise(DT(1970, 5, 15, 7))));
    EXPECT_DT(DT(1970, 5, 15, 8), c.PreviousArise(DT(1970, 5, 15, 8)));
    EXPECT_DT(DT(1970, 5, 15, 8), c.PreviousArise(DT(2005, 5, 15, 7, 59, 59)));
    EXPECT_DT(DT(2005, 5, 15, 8), c.PreviousArise(DT(2005, 6, 1)));
    EXPECT_DT(DT(2006, 5, 15, 8), c.PreviousArise(DT(2100, 1, 1)));
    EXPECT_EQ("35 year(s), 1 month(s), 5 day(s)", c.ElapsedText(DT(2005, 6, 20)));
    EXPECT_EQ("35 year(s)", c.ElapsedText(DT(2005, 5, 15, 12)));
    EXPECT_EQ("", c.ElapsedText(DT(1970, 5, 15, 23)));
    EXPECT_EQ("", ListCondition().ElapsedText(DT(2005, 6, 20)));
}

// ---------------------------------------------------------------------------------------------

TEST(InitializeConditionList, AddCopyRemoveAndDescriptions) {
    TInitializeConditionList list;
    EXPECT_EQ("Initialize condition is empty", list.JoinedDescription());
    try {
        list.Add(nullptr);
        FAIL();
    } catch (const EInitializeConditionError& e) {
        EXPECT_STREQ("Attemp add null condition", e.what());
    }
    EXPECT_EQ(0, list.Count());

    int added = 0;
    list.OnAdd = [&](TInitializeConditionList& l, TInitializeCondition&) {
        EXPECT_EQ(added, l.Count()); // before it is in the list
        ++added;
    };
    list.Add(Snooze(DT(2024, 1, 1, 10)));
    EXPECT_EQ("Initialize condition is empty", list.JoinedDescription());
    list.AddCopy(list.Items(0));
    EXPECT_EQ(2, added);
    EXPECT_EQ("<<Initialize condition is empty>>, <<Initialize condition is empty>>",
              list.JoinedDescription());
    EXPECT_NE(&list.Items(0), &list.Items(1));

    TInitializeConditionList other;
    other.Assign(list);
    EXPECT_EQ(2, other.Count());
    std::vector<int> order;
    other.ForEachReverse([&](TInitializeConditionList& l, TInitializeCondition& c) {
        order.push_back(l.IndexOf(&c));
    });
    EXPECT_EQ((std::vector<int>{1, 0}), order);
    other.Remove(&other.Items(0));
    EXPECT_EQ(1, other.Count());
    other.Delete(0);
    EXPECT_EQ(0, other.Count());
    EXPECT_THROW(other.Delete(0), EInitializeConditionError);
}

TEST(InitializeConditionList, EarliestNextAriseKeepsTheFirstOnTies) {
    TInitializeConditionList list;
    auto& a = list.Add(Snooze(DT(2024, 1, 1, 10)));
    auto& b = list.Add(Snooze(DT(2024, 1, 1, 9)));
    auto& c = list.Add(Snooze(DT(2024, 1, 1, 9)));
    EXPECT_DT(DT(2024, 1, 1, 9), list.EarliestNextArise(DT(2024, 1, 1)));
    EXPECT_EQ(&b, list.LastChosen());
    (void)c;
    EXPECT_DT(DT(2024, 1, 1, 10), list.EarliestNextArise(DT(2024, 1, 1, 9, 30)));
    EXPECT_EQ(&a, list.LastChosen());
    EXPECT_TRUE(IsNullDate(list.EarliestNextArise(DT(2024, 1, 2))));
    EXPECT_EQ(nullptr, list.LastChosen());
    list.EarliestNextArise(DT(2024, 1, 1));
    list.Remove(&b);
    EXPECT_EQ(nullptr, list.LastChosen());
}

TEST(ComplexInitializeCondition, WiresMembersAndPassesChangesOn) {
    TestClock clock(DT(2024, 1, 1, 10, 0, 5));
    TComplexInitializeCondition complex;
    complex.SetDateOfCreate(DT(2023, 12, 1));
    complex.SetCheckMode(true);
    std::vector<TInitializeCondition*> wired;
    complex.OnConditionAdded = [&](TInitializeConditionList&, TInitializeCondition& m) {
        EXPECT_DT(DT(2023, 12, 1), m.DateOfCreate());
        EXPECT_TRUE(m.CheckMode());
        wired.push_back(&m);
    };
    auto& m1 = complex.Conditions().Add(Snooze(DT(2024, 1, 1, 10)));
    auto& m2 = complex.Conditions().Add(Snooze(DT(2024, 1, 1, 11)));
    EXPECT_EQ(2u, wired.size());
    complex.SetCheckMode(false);

    complex.SetLastAppear(DT(2024, 1, 1, 9));
    complex.SetDateOfCreate(DT(2023, 12, 2));
    EXPECT_DT(DT(2024, 1, 1, 9), m2.LastAppear());
    EXPECT_DT(DT(2023, 12, 2), m1.DateOfCreate());
    complex.SaveState();
    complex.SetLastAppear(DT(2024, 2, 1));
    complex.RestoreState();
    EXPECT_DT(DT(2024, 1, 1, 9), m1.LastAppear());

    // A member's reports come out as the complex condition's.
    Reports r;
    r.Attach(complex);
    m2.Check(DT(2024, 1, 1, 10, 59, 59, 1), DT(2024, 1, 1, 11, 0, 59));
    ASSERT_EQ(1u, r.arisen.size());
    EXPECT_DT(clock.Now(), complex.LastAppear());

    const auto [t, source] = complex.NextAriseWithSource(DT(2024, 1, 1, 10, 30));
    EXPECT_DT(DT(2024, 1, 1, 11), t);
    EXPECT_EQ(&m2, source);
    EXPECT_EQ(&m2, complex.ActiveCondition());
    EXPECT_EQ(nullptr, complex.NextAriseWithSource(DT(2024, 1, 2)).second);
    EXPECT_EQ(&complex, complex.ActiveCondition());

    complex.ResetToDefault(DT(2024, 1, 1));
    EXPECT_TRUE(IsNullDate(m1.LastAppear()));
    EXPECT_TRUE(IsNullDate(complex.DateOfCreate()));
}

TEST(ComplexInitializeCondition, AssignCopiesTheList) {
    TestClock clock(DT(2024, 1, 1, 10));
    TComplexInitializeCondition a;
    a.Conditions().Add(Snooze(DT(2024, 1, 1, 10)));
    a.SetLastAppear(DT(2023, 5, 5));
    a.SetDateOfCreate(DT(2023, 4, 4));

    TComplexInitializeCondition b;
    b.Conditions().Add(Snooze(DT(2030, 1, 1)));
    b.Conditions().Add(Snooze(DT(2031, 1, 1)));
    Reports r;
    r.Attach(b);
    b.Assign(a);
    ASSERT_EQ(1, b.Conditions().Count());
    EXPECT_NE(&a.Conditions().Items(0), &b.Conditions().Items(0));
    EXPECT_DT(DT(2023, 4, 4), b.Conditions().Items(0).DateOfCreate());
    EXPECT_DT(DT(2023, 5, 5), b.LastAppear());
    // The copy reports to b, not to a.
    b.Conditions().Items(0).Check(DT(2024, 1, 1, 9, 59, 59, 1), DT(2024, 1, 1, 10, 0, 59));
    EXPECT_EQ(1u, r.arisen.size());

    auto clone = a.Clone();
    EXPECT_EQ("TComplexInitializeCondition", clone->ClassName());
    EXPECT_EQ(1, static_cast<TComplexInitializeCondition&>(*clone).Conditions().Count());
}
