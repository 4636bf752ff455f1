#pragma once

// The event dialogs of the desktop program: the event properties dialog, made once and used
// for every event and template, and the quick-event dialog.

#include "gui/events/EventView.h"

#include <memory>

namespace kelvo {

class TEventForm;
class TProgramSession;

class TProgramDialogs : public IEventDialogs {
public:
    // parent: the main window the dialogs are modal to.
    TProgramDialogs(TProgramSession& session, QWidget& parent);
    ~TProgramDialogs() override;

    bool ShowEventDialog(TEvent& target, const QString& caption, TDateTime date,
                         int firstPage) override;
    // The message and delay alone, for callers without a template.
    bool AskQuickEvent(QString& message, int& delayMinutes) override;
    std::unique_ptr<TEvent> QuickEvent(TTemplateTree& tree, const TEventTemplate& t, TDateTime when,
                                       int delayMinutes, bool once) override;

    TEventForm& EventForm();

private:
    TProgramSession& session_;
    QWidget& parent_;
    std::unique_ptr<TEventForm> form_;
};

} // namespace kelvo
