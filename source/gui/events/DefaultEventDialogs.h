#pragma once

// The event dialogs the program has until the full editors are built in: a new event or a
// template is taken with its defaults, the quick event asks for its text and delay.

#include "gui/events/EventView.h"

namespace kelvo {

class TDefaultEventDialogs : public IEventDialogs {
public:
    // parent: the window the quick event's dialog belongs to.
    explicit TDefaultEventDialogs(QWidget& parent) : parent_(parent) {}

    bool ShowEventDialog(TEvent& target, const QString& caption, TDateTime date,
                         int firstPage) override;
    bool AskQuickEvent(QString& message, int& delayMinutes) override;

private:
    QWidget& parent_;
};

} // namespace kelvo
