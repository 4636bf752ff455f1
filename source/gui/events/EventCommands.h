#pragma once

// The main window's event and template commands over the program's session: creating,
// editing, deleting, the private clipboard, searching, selecting on another page, and what
// the alarm windows ask of the main window. The window's actions call these and ask the
// enabling queries; the window itself is reached through IEventView, the editors through
// IEventDialogs.
//
// A command that asks a question takes its targets before asking. An event that leaves the
// notebook meanwhile (an alarm closed, an event erased after it came) is dropped from them,
// so an arising during the question never redirects what is deleted.

#include "core/util/paDateUtils.h"
#include "gui/events/EventClipboard.h"
#include "gui/events/EventView.h"
#include "gui/events/FindEventDialog.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

class TEventTemplate;
class TProgramSession;
class TTemplateNode;
class TTemplateTree;

class TEventCommands : public QObject {
    Q_OBJECT
public:
    enum class TDelayUnit { Minutes = 1, Hours = 2 };

    // The three are the caller's and outlive the commands.
    TEventCommands(TProgramSession& session, IEventView& view, IEventDialogs& dialogs,
                   QObject* parent = nullptr);
    ~TEventCommands() override;

    // The alarm windows' "&Find" selects the event here, and their close handler spares the
    // event whose properties are open.
    void ConnectAlarmWindows();

    // ---- new events; each answers the event added, or none
    // "New Miscelaneous Event...": from the default template.
    TEvent* NewEvent();
    // Also a double click on a template, a favourite button or a favourite menu item.
    TEvent* NewEventByTemplate(const TEventTemplate& t);
    // "Add Event by the selected &Template...": the view's template, else the one chosen.
    TEvent* NewByCurrentTemplate();
    // "&New..." on the lists: the tree's template, else the default one.
    TEvent* NewByCurrentTemplateInTree();
    // The quick event with that delay proposed.
    TEvent* AskQuickEvent(int amount, TDelayUnit unit);
    // "&Tomorrow morning...": once, tomorrow at 06:00.
    TEvent* QuickTomorrowMorning();
    // "Add Event in the selected &day": the editors start from the selected day.
    TEvent* NewEventByDate();
    // "&Add copy of selected Event...".
    TEvent* Duplicate();

    // ---- the selected event
    bool Properties();
    bool Rename();
    // "&Delete..." with its question; answers whether anything was deleted.
    bool Delete();
    // "Delete all events": the event rows of the active list.
    bool DeleteAll();
    void Reset();
    void Execute();
    void Copy();
    void Cut();
    TEvent* Paste();
    // "&Find Event" shows the find dialog; "Find &Next" searches on (or shows it when there
    // is nothing to search for yet). Answers the event found.
    void Find();
    TEvent* FindNext();
    void SelectOnTemplatesPage();
    bool SelectOnCalendarPage();

    // ---- what the alarm windows ask
    void AlarmClosed(TEvent& event);
    void AlarmShow(TEvent& event);

    // ---- enabling
    TEvent* SelectedEvent() const;
    bool HasSelection() const { return SelectedEvent() != nullptr; }
    bool CanPaste() const { return clipboard_.CanPaste(); }
    bool CanReset() const;
    bool CanDeleteAll() const;
    // While the find dialog is not in use.
    bool CanFindNext() const;
    // The event whose properties are open, else none.
    const TEvent* EditedEvent() const { return edited_; }
    TFindEventDialog* FindDialog() const { return find_.data(); }

    // ---- templates; every change of the tree is saved at once
    // "Add Tem&plate": a copy of the selected node's template under it (see TTemplateTree).
    TTemplateNode& NewTemplate(TTemplateNode* selected);
    // The in-place rename: ETemplateError with the text to show for an empty or used name.
    void RenameTemplate(TTemplateNode& node, const std::string& name);
    // With its question; answers whether the template was deleted.
    bool DeleteTemplate(TEventTemplate& t);
    bool TemplateProperties(TEventTemplate& t);
    // "Add To &Favorite Templates" is for any template but the default one.
    bool CanAddToFavourites(const TEventTemplate* t) const;
    void AddToFavourites(TEventTemplate& t);
    void RemoveFromFavourites(TEventTemplate& t);
    // See TTemplateTree::MoveNode.
    void MoveTemplate(TTemplateNode& node, TTemplateNode* parent, int index);
    // An event dropped onto a template: filed under it, or (copy) a copy of it added there.
    void FileEventUnder(TEvent& event, const TEventTemplate& t, bool copy);

    TTemplateTree& Templates() const;
    TProgramSession& Session() const { return session_; }

signals:
    // The template tree or a template's name or look changed.
    void templatesChanged();
    // A template became or stopped being a favourite.
    void favouritesChanged();

private:
    class TNotebookSide;
    class TWatch;

    TEvent* AddNew(std::unique_ptr<TEvent> event, const QString& caption, TDateTime date);
    bool Edit(TEvent& event);
    // Removes and destroys the events still in the notebook, as one batch.
    void DeleteEvents(const std::vector<TEvent*>& events);
    bool Ask(const QString& text, bool withCancel);
    void Inform(const QString& text);
    TEventTemplate& QuickTemplate();
    TEvent* Quick(TDateTime when, int delayMinutes, bool once);
    TEvent* FindInList(const QString& text, bool matchCase, bool wholeWords, bool fromStart);
    void TemplatesSaved();
    void Forget(TEvent& event);

    TProgramSession& session_;
    IEventView& view_;
    IEventDialogs& dialogs_;
    std::unique_ptr<TNotebookSide> notebookSide_;
    TEventClipboard clipboard_;
    QPointer<TFindEventDialog> find_;
    TEvent* edited_ = nullptr;
    // The target lists of the questions now open.
    std::vector<std::vector<TEvent*>*> watched_;
    // Bumped by every load, so that a template taken before a question is known to be gone.
    int generation_ = 0;
    // What the notebook's removal callback holds of this object; empty once it is gone.
    std::shared_ptr<TEventCommands*> self_;
};

} // namespace kelvo
