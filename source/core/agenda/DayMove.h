#pragma once

// Moving or copying one day's arising of an event to another day, as the calendar does when an
// event is dropped on a day: the date condition that gives that day's arising is rewritten.

#include "core/entities/Event.h"
#include "core/util/paDateUtils.h"

namespace kelvo {

// The arising of event on the date of source goes to the date of target (copy: target is
// added and source stays). Only an arising on source given by a simple condition (a date and
// a time) can go; anything else, and target equal to source, leaves the event unchanged and
// answers false. The caller re-arms the event.
bool MoveArisingToDay(TEvent& event, TDateTime source, TDateTime target, bool copy);

} // namespace kelvo
