#pragma once

// Events that arrive from another file (an import, a restore) join the notebook counting from
// now, so nothing of before is reported missed; and they run no program and send no mail before
// the user has seen those actions.

#include "core/persistence/EventFile.h"

#include <string>
#include <vector>

namespace kelvo {

// A launch or a mail action: what an arriving event may not run before the user saw it.
bool IsOutsideAction(const TEventAction& action);
// The event and its reminder count from now on.
void CountFromNow(TEvent& event);
// "<event>: <action>" for each launch and mail action of the events and their reminders.
std::vector<std::string> OutsideActions(const std::vector<TEvent*>& events);
// Takes the launch and mail actions out of the event and its reminder.
void RemoveOutsideActions(TEvent& event);

} // namespace kelvo
