#include "cli/Commands.h"

#include "core/actions/AlarmSwitches.h"
#include "core/agenda/Agenda.h"
#include "core/entities/Reminder.h"
#include "core/persistence/EventFile.h"
#include "core/runtime/RemNotebook.h"
#include "core/util/paFormat.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

namespace kelvo::cli {

namespace {

struct TLine {
    TDateTime Moment;
    int Index;
    bool Reminder;
    std::string Description;
};

void PrintLines(std::vector<TLine>& lines, std::ostream& out) {
    std::stable_sort(lines.begin(), lines.end(), [](const TLine& a, const TLine& b) {
        return std::make_tuple(DateTimeToMs(a.Moment), a.Index, a.Reminder) <
               std::make_tuple(DateTimeToMs(b.Moment), b.Index, b.Reminder);
    });
    for (const TLine& l : lines)
        out << OutputDateTime(l.Moment) << '\t' << (l.Reminder ? "reminder" : "event") << '\t'
            << l.Index << '\t' << Field(l.Description) << '\n';
}

// The conditions that arise for an event: its own and its reminder's.
template <class F> void ForEachCondition(const TOwnedEvents& events, F visit) {
    for (std::size_t i = 0; i < events.size(); ++i) {
        TEvent& e = *events[i];
        visit(static_cast<int>(i), false, e, e.InitializeCondition());
        if (TReminder* r = e.Reminder())
            visit(static_cast<int>(i), true, e, r->InitializeCondition());
    }
}

// Keeps a clock whole milliseconds, as the program's timer sees the system clock.
class TSimulatedClock : public IClock {
public:
    explicit TSimulatedClock(TDateTime start) : ms_(DateTimeToMs(start)) {
        previous_ = InstallClock(this);
    }
    ~TSimulatedClock() override { InstallClock(previous_); }
    TSimulatedClock(const TSimulatedClock&) = delete;
    TSimulatedClock& operator=(const TSimulatedClock&) = delete;

    TDateTime Now() const override {
        const std::int64_t day = ms_ / MSecsPerDay;
        return static_cast<double>(day) +
               static_cast<double>(ms_ - day * MSecsPerDay) / static_cast<double>(MSecsPerDay);
    }
    std::int64_t Ms() const { return ms_; }
    void Advance(std::int64_t ms) { ms_ += ms; }

private:
    std::int64_t ms_;
    IClock* previous_ = nullptr;
};

// The simulation drives the generator's Tick itself; its timers only need to exist.
class TInertTimer : public ITimer {
public:
    void Start(std::uint32_t, bool) override { active_ = true; }
    void Stop() override { active_ = false; }
    bool IsActive() const override { return active_; }

private:
    bool active_ = false;
};

class TInertTimerFactory : public ITimerFactory {
public:
    std::unique_ptr<ITimer> CreateTimer() override { return std::make_unique<TInertTimer>(); }
};

} // namespace

int Agenda(const TArguments& args, const TOwnedEvents& events, std::ostream& out) {
    const TDateTime from = args.Has("--from") ? ParseDateTime(*args.Value("--from")) : Now();
    const long long days = args.Has("--days") ? ParseCount(*args.Value("--days"), "--days") : 7;
    std::vector<TEvent*> list;
    for (const auto& e : events)
        list.push_back(e.get());
    for (const TAgendaArising& a : AgendaArisings(list, from, days))
        out << OutputDateTime(a.Moment) << '\t' << (a.Reminder ? "reminder" : "event") << '\t'
            << a.EventIndex << '\t' << Field(a.Event->Description()) << '\n';
    return ExitOk;
}

int Next(const TArguments& args, const TOwnedEvents& events, std::ostream& out) {
    const TDateTime from = args.Has("--from") ? ParseDateTime(*args.Value("--from")) : Now();
    const long long count = args.Has("--count") ? ParseCount(*args.Value("--count"), "--count") : 1;
    std::vector<TLine> lines;
    ForEachCondition(events, [&](int index, bool reminder, TEvent& e, TInitializeCondition& c) {
        const std::string description = e.Description();
        TDateTime x = from;
        for (long long n = 0; n < count; ++n) {
            const TDateTime a = c.NextArise(x);
            if (IsNullDate(a))
                break;
            lines.push_back({a, index, reminder, description});
            x = IncMinute(1, a);
        }
    });
    PrintLines(lines, out);
    return ExitOk;
}

int Simulate(const TArguments& args, TOwnedEvents events, std::ostream& out) {
    if (!args.Has("--start") || !args.Has("--until"))
        throw EUsage("simulate needs --start and --until");
    const TDateTime start = ParseDateTime(*args.Value("--start"));
    const std::int64_t until = DateTimeToMs(ParseDateTime(*args.Value("--until")));

    // Nothing is run: the reports are what the simulation is for.
    TAlarmSwitches silent;
    silent.SetAlarmMode(3);
    const TAlarmSwitches* previousSwitches = ActionContext().Switches;
    ActionContext().Switches = &silent;
    struct TRestore {
        const TAlarmSwitches* switches;
        ~TRestore() { ActionContext().Switches = switches; }
    } restore{previousSwitches};

    TSimulatedClock clock(start);
    TInertTimerFactory timers;
    TReminderNotebook notebook(timers);
    notebook.RestartGenerator();

    std::unordered_map<const TEvent*, int> indexOf;
    for (std::size_t i = 0; i < events.size(); ++i)
        indexOf[events[i].get()] = static_cast<int>(i);

    auto report = [&](const char* what) {
        return [&, what](TWaitingAriseEntity& entity, TDateTime t) {
            TEvent* owner = TReminderNotebook::OwnerEventOf(entity);
            const auto it = indexOf.find(owner);
            out << OutputDateTime(Now()) << '\t' << what << '\t'
                << (owner == &entity ? "event" : "reminder") << '\t'
                << (it == indexOf.end() ? -1 : it->second) << '\t' << OutputDateTime(t) << '\n';
        };
    };
    notebook.OnEventArise = report("arise");
    notebook.OnEventLate = report("late");
    notebook.OnSnoozeArise = report("snooze");

    notebook.AddEvents(std::move(events));
    notebook.RestartGenerator();
    while (clock.Ms() + MSecsPerSec <= until) {
        clock.Advance(MSecsPerSec);
        notebook.Generator().Tick();
    }
    if (const auto file = args.Value("--save")) {
        // What a killed save left is removed before it could hold the space this one needs.
        RemoveIncompleteEventSaves(*file);
        notebook.SaveEventsToFile(*file);
    }
    return ExitOk;
}

int Describe(const TOwnedEvents& events, std::ostream& out) {
    for (std::size_t i = 0; i < events.size(); ++i) {
        const TEvent& e = *events[i];
        const std::string state = EventStateListText(e.State(), e.SnoozeDateTime());
        const std::string reminder =
            e.Reminder() ? e.Reminder()->InitializeCondition().Description() : std::string();
        out << i << '\t' << Field(state) << '\t' << Field(e.Description()) << '\t'
            << Field(e.InitializeCondition().Description()) << '\t' << Field(reminder) << '\t'
            << Field(e.ActionDescription()) << '\n';
    }
    return ExitOk;
}

} // namespace kelvo::cli
