#pragma once

// What the event commands need from the window that runs them, and the dialogs they open. The
// main window is the one view; the dialogs come from whichever editor is built into the program,
// so every command works end to end with the editors that exist.

#include "core/util/paDateUtils.h"

#include <QString>
#include <memory>
#include <vector>

class QWidget;

namespace kelvo {

class TEvent;
class TEventTemplate;
class TTemplateTree;

// The main window's pages, in the order of its page list.
enum class TEventPage { Templates, Calendar, Filter, All };

// The page the user works on: its selection, its template and its day.
class IEventView {
public:
    virtual ~IEventView() = default;
    // Dialogs are modal to this window only, so alarm windows stay answerable.
    virtual QWidget& DialogParent() = 0;
    // In list order; empty when nothing is selected.
    virtual std::vector<TEvent*> SelectedEvents() = 0;
    // The template tree's selection on the Templates page, else none.
    virtual TEventTemplate* CurrentTemplate() = 0;
    // What the user has selected as a template: a template row of the Templates list while
    // the list works, else the tree's template.
    virtual TEventTemplate* SelectedTemplate() { return CurrentTemplate(); }
    // The calendar's selected day, else today.
    virtual TDateTime SelectedDay() = 0;
    // Brings the event into view and selects it, on the page that shows it.
    virtual void SelectEvent(TEvent& event) = 0;

    virtual TEventPage ActivePage() = 0;
    virtual void ShowPage(TEventPage page) = 0;
    // The event rows of the active page's list, in list order (template rows left out).
    virtual std::vector<TEvent*> ListedEvents() = 0;
    // Moves the calendar to that day.
    virtual void SetSelectedDay(TDateTime day) = 0;
    // After a batch the notebook does not announce (a template deleted with its events).
    virtual void RefreshActivePage() = 0;
    // Shows, restores and raises the window.
    virtual void RestoreWindow() = 0;
};

// The event dialog and the quick-event dialog, as the commands reach them.
class IEventDialogs {
public:
    virtual ~IEventDialogs() = default;
    // Edits target (an event or a template); false leaves it untouched. date, when not zero, is
    // the day the editors start from; firstPage 0 is the Date/Time page, 4 the Summary page.
    virtual bool ShowEventDialog(TEvent& target, const QString& caption, TDateTime date,
                                 int firstPage) = 0;
    // The quick event's message and its delay in minutes from now; false: cancelled.
    virtual bool AskQuickEvent(QString& message, int& delayMinutes) = 0;
    // The whole quick event of template t, proposed for when (delayMinutes from now, or once
    // at when); none on Cancel. By default the message and the delay come from AskQuickEvent.
    virtual std::unique_ptr<TEvent> QuickEvent(TTemplateTree& tree, const TEventTemplate& t,
                                               TDateTime when, int delayMinutes, bool once);
};

} // namespace kelvo
