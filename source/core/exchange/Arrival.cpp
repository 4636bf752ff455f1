#include "core/exchange/Arrival.h"

#include "core/entities/Reminder.h"
#include "core/util/paText.h"

namespace kelvo {

namespace {

template <class F> void ForEachList(TEvent& e, F visit) {
    visit(e.EventAction().Actions());
    if (TReminder* r = e.Reminder())
        visit(r->EventAction().Actions());
}

} // namespace

bool IsOutsideAction(const TEventAction& a) {
    return dynamic_cast<const TLaunchAppEventAction*>(&a) ||
           dynamic_cast<const TSendMailAction*>(&a);
}

void CountFromNow(TEvent& event) {
    event.ResetDates();
    if (TReminder* r = event.Reminder())
        r->ResetDates();
}

std::vector<std::string> OutsideActions(const std::vector<TEvent*>& events) {
    std::vector<std::string> found;
    for (TEvent* e : events)
        ForEachList(*e, [&](TEventActionList& list) {
            for (int i = 0; i < list.Count(); ++i)
                if (IsOutsideAction(list.Items(i)))
                    found.push_back(DisplayText(e->Description()) + ": " +
                                    DisplayText(list.Items(i).GetDescription()));
        });
    return found;
}

void RemoveOutsideActions(TEvent& event) {
    ForEachList(event, [](TEventActionList& list) {
        for (int i = list.Count() - 1; i >= 0; --i)
            if (IsOutsideAction(list.Items(i)))
                list.Remove(&list.Items(i));
    });
}

} // namespace kelvo
