#include "gui/events/EventCommands.h"

#include "core/entities/EventTemplate.h"
#include "core/options/ProgramOptions.h"
#include "core/util/paText.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/events/FindEventDialog.h"
#include "gui/models/EventListModel.h"
#include "gui/models/TemplateTreeModel.h"
#include "gui/session/ProgramSession.h"
#include "gui/templates/DeleteTemplateQuestion.h"
#include "gui/templates/TemplateChoiceForm.h"

#include <QLineEdit>
#include <algorithm>

namespace kelvo {

namespace {

QString Shown(const std::string& stored) {
    return QString::fromStdString(DisplayText(stored));
}

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool Contains(const QString& text, const QString& what, bool matchCase, bool wholeWords) {
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = text.indexOf(what, 0, cs); at >= 0; at = text.indexOf(what, at + 1, cs)) {
        if (!wholeWords)
            return true;
        const qsizetype end = at + what.size();
        if ((at == 0 || !IsWordChar(text[at - 1])) &&
            (end >= text.size() || !IsWordChar(text[end])))
            return true;
    }
    return false;
}

} // namespace

// The notebook as the template tree reaches it; a batch the notebook does not announce is
// shown and saved here.
class TEventCommands::TNotebookSide : public ITemplateNotebook {
public:
    explicit TNotebookSide(TEventCommands& owner) : owner_(owner) {}

    void RenameTemplate(const std::string& oldName, const std::string& newName) override {
        owner_.session_.Notebook().RenameTemplate(oldName, newName);
    }
    std::vector<TEvent*> EventsOfTemplate(const std::string& name) override {
        return owner_.session_.Notebook().EventsOfTemplate(name).Events();
    }
    void DeleteEvents(const std::vector<TEvent*>& events) override { owner_.DeleteEvents(events); }
    void AddEvent(std::unique_ptr<TEvent> event) override {
        owner_.session_.Notebook().AddEvent(std::move(event));
    }
    void Save() override {
        owner_.session_.EventModel().Refresh();
        owner_.session_.DataFiles().Save();
    }

private:
    TEventCommands& owner_;
};

// Keeps a question's targets current while it is open.
class TEventCommands::TWatch {
public:
    TWatch(TEventCommands& owner, std::vector<TEvent*>& targets) : owner_(owner), list_(targets) {
        owner_.watched_.push_back(&list_);
    }
    ~TWatch() { std::erase(owner_.watched_, &list_); }
    TWatch(const TWatch&) = delete;
    TWatch& operator=(const TWatch&) = delete;

private:
    TEventCommands& owner_;
    std::vector<TEvent*>& list_;
};

TEventCommands::TEventCommands(TProgramSession& session, IEventView& view, IEventDialogs& dialogs,
                               QObject* parent)
    : QObject(parent), session_(session), view_(view), dialogs_(dialogs),
      notebookSide_(std::make_unique<TNotebookSide>(*this)),
      self_(std::make_shared<TEventCommands*>(this)) {
    TReminderNotebook& notebook = session_.Notebook();
    const std::weak_ptr<TEventCommands*> self = self_;
    notebook.OnEventRemoved = [self, previous = std::move(notebook.OnEventRemoved)](TEvent& e) {
        if (previous)
            previous(e);
        if (auto s = self.lock())
            (*s)->Forget(e);
    };
    // A load replaces every event and template at once, without a removal notice each.
    connect(&session_, &TProgramSession::dataReplaced, this, [this] {
        ++generation_;
        for (std::vector<TEvent*>* list : watched_)
            list->clear();
        edited_ = nullptr;
        emit templatesChanged();
        emit favouritesChanged();
    });
    connect(&session_, &TProgramSession::dataLoaded, this, &TEventCommands::favouritesChanged);
}

TEventCommands::~TEventCommands() {
    self_.reset();
    delete find_.data();
}

void TEventCommands::Forget(TEvent& event) {
    for (std::vector<TEvent*>* list : watched_)
        std::erase(*list, &event);
    if (edited_ == &event)
        edited_ = nullptr;
}

void TEventCommands::ConnectAlarmWindows() {
    TAlarmWindows& alarms = session_.AlarmWindows();
    alarms.OnFindEvent = [this](TEvent& e) { AlarmShow(e); };
    alarms.IsEventEdited = [this](const TEvent& e) { return edited_ == &e; };
}

TTemplateTree& TEventCommands::Templates() const {
    return session_.Templates();
}

// ---------------------------------------------------------------------------------------------
// Questions

bool TEventCommands::Ask(const QString& text, bool withCancel) {
    const QMessageBox::StandardButtons buttons =
        withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                   : QMessageBox::Yes | QMessageBox::No;
    QWidget& parent = view_.DialogParent();
    return AskAndWait(&parent, QMessageBox::Question, parent.windowTitle(), text, buttons,
                      QMessageBox::Yes) == QMessageBox::Yes;
}

void TEventCommands::Inform(const QString& text) {
    QWidget& parent = view_.DialogParent();
    ShowBox(&parent, QMessageBox::Information, parent.windowTitle(), text);
}

// ---------------------------------------------------------------------------------------------
// New events

TEvent* TEventCommands::AddNew(std::unique_ptr<TEvent> event, const QString& caption,
                               TDateTime date) {
    if (!dialogs_.ShowEventDialog(*event, caption, date, 0))
        return nullptr;
    return &session_.Notebook().AddEvent(std::move(event));
}

TEvent* TEventCommands::NewEventByTemplate(const TEventTemplate& t) {
    return AddNew(Templates().NewEventFromTemplate(t),
                  tr("New Event by template \"%1\"").arg(Shown(t.Template())), 0);
}

TEvent* TEventCommands::NewEvent() {
    Templates().EnsureDefaultTemplate();
    return AddNew(Templates().NewEventFromTemplate(*Templates().DefaultTemplate()), tr("New Event"),
                  0);
}

TEvent* TEventCommands::NewByCurrentTemplate() {
    if (TEventTemplate* t = view_.SelectedTemplate())
        return NewEventByTemplate(*t);
    std::string name;
    if (!TTemplateChoiceForm::ChooseTemplate(view_.DialogParent(), Templates(), name, false))
        return nullptr;
    TTemplateNode* node = Templates().FindTemplate(name);
    if (node == nullptr)
        return nullptr;
    return NewEventByTemplate(TTemplateTree::TemplateOf(node));
}

TEvent* TEventCommands::NewByCurrentTemplateInTree() {
    if (TEventTemplate* t = view_.CurrentTemplate())
        return NewEventByTemplate(*t);
    return NewEvent();
}

TEvent* TEventCommands::NewEventByDate() {
    Templates().EnsureDefaultTemplate();
    const TEventTemplate& t =
        view_.CurrentTemplate() ? *view_.CurrentTemplate() : *Templates().DefaultTemplate();
    const TDateTime day = DateOf(view_.SelectedDay());
    auto event = Templates().NewEventFromTemplate(t);
    // The new event starts on the chosen day, at the time it would have had today.
    event->InitializeCondition().ResetToDefault(day + TimeOf(Now()));
    return AddNew(std::move(event), tr("New Event"), day);
}

TEventTemplate& TEventCommands::QuickTemplate() {
    const std::string& name = session_.Settings().Options().QuickDefaultTemplate.Value();
    if (TTemplateNode* node = Templates().FindTemplate(name))
        return TTemplateTree::TemplateOf(node);
    Templates().EnsureDefaultTemplate();
    return *Templates().DefaultTemplate();
}

std::unique_ptr<TEvent> IEventDialogs::QuickEvent(TTemplateTree& tree, const TEventTemplate& t,
                                                  TDateTime when, int delayMinutes, bool) {
    QString message = Shown(t.Description());
    const TDateTime now = Now();
    int delay = delayMinutes;
    if (!AskQuickEvent(message, delay))
        return nullptr;
    // A delay left as proposed keeps the proposed moment to the second.
    const TDateTime at = delay == delayMinutes ? when : now + delay / 1440.0;
    return tree.NewQuickEvent(t, message.toStdString(), at);
}

TEvent* TEventCommands::Quick(TDateTime when, int delayMinutes, bool once) {
    std::unique_ptr<TEvent> event =
        dialogs_.QuickEvent(Templates(), QuickTemplate(), when, delayMinutes, once);
    return event ? &session_.Notebook().AddEvent(std::move(event)) : nullptr;
}

TEvent* TEventCommands::AskQuickEvent(int amount, TDelayUnit unit) {
    const int minutes = unit == TDelayUnit::Hours ? amount * 60 : amount;
    return Quick(Now() + minutes / 1440.0, minutes, false);
}

TEvent* TEventCommands::QuickTomorrowMorning() {
    const TDateTime now = Now();
    const TDateTime when = DateOf(now) + 1.25;
    return Quick(when, static_cast<int>((when - now) * 1440.0 + 0.5), true);
}

TEvent* TEventCommands::Duplicate() {
    TEvent* source = SelectedEvent();
    if (source == nullptr)
        return nullptr;
    auto copy = std::make_unique<TEvent>();
    copy->InitFrom(*source);
    return AddNew(std::move(copy), tr("Duplicate event \"%1\"").arg(Shown(source->Description())),
                  0);
}

// ---------------------------------------------------------------------------------------------
// The selected event

TEvent* TEventCommands::SelectedEvent() const {
    const std::vector<TEvent*> selected = view_.SelectedEvents();
    return selected.empty() ? nullptr : selected.front();
}

bool TEventCommands::Edit(TEvent& event) {
    std::vector<TEvent*> target{&event};
    TWatch watch(*this, target);
    edited_ = &event;
    const bool accepted = dialogs_.ShowEventDialog(
        event, tr("Event Properties: %1").arg(Shown(event.Description())), 0, 0);
    edited_ = nullptr;
    // Gone meanwhile (a load): nothing to answer into.
    if (!accepted || target.empty())
        return false;
    event.SetCreationTime(Now());
    session_.Notebook().RearmEvent(event);
    return true;
}

bool TEventCommands::Properties() {
    TEvent* event = SelectedEvent();
    return event != nullptr && Edit(*event);
}

bool TEventCommands::Rename() {
    return Properties();
}

void TEventCommands::DeleteEvents(const std::vector<TEvent*>& events) {
    TReminderNotebook& notebook = session_.Notebook();
    if (events.size() == 1) {
        notebook.DeleteEvent(*events.front()); // announced: refreshed and saved
        return;
    }
    notebook.BeginUpdate();
    try {
        for (TEvent* e : std::vector<TEvent*>(events))
            notebook.DeleteEvent(*e);
    } catch (...) {
        notebook.EndUpdate();
        throw;
    }
    notebook.EndUpdate();
    session_.EventModel().Refresh();
    view_.RefreshActivePage();
    session_.DataFiles().SaveEvents();
}

bool TEventCommands::Delete() {
    std::vector<TEvent*> targets = view_.SelectedEvents();
    if (targets.empty())
        return false;
    TWatch watch(*this, targets);
    const QString question =
        targets.size() == 1
            ? tr("Delete event \"%1\"?").arg(Shown(targets.front()->Description()))
            : tr("Are you sure you want to delete these %1 event(s)?").arg(targets.size());
    if (!Ask(question, targets.size() == 1) || targets.empty())
        return false;
    DeleteEvents(targets);
    return true;
}

bool TEventCommands::CanDeleteAll() const {
    return !view_.ListedEvents().empty();
}

bool TEventCommands::DeleteAll() {
    std::vector<TEvent*> targets = view_.ListedEvents();
    if (targets.empty())
        return false;
    TWatch watch(*this, targets);
    if (!Ask(tr("Are you sure you want to delete these %1 event(s)?").arg(targets.size()), false) ||
        targets.empty())
        return false;
    DeleteEvents(targets);
    view_.RefreshActivePage();
    return true;
}

bool TEventCommands::CanReset() const {
    const TEvent* e = SelectedEvent();
    if (e == nullptr)
        return false;
    switch (e->State()) {
    case esSnoozedEvent:
    case esSnoozedReminder:
    case esExecutedEvent:
    case esExecutedReminder:
        return true;
    default:
        return false;
    }
}

void TEventCommands::Reset() {
    if (!CanReset())
        return;
    TEvent& e = *SelectedEvent();
    e.Enable();
    session_.Notebook().RearmEvent(e);
}

void TEventCommands::Execute() {
    if (TEvent* e = SelectedEvent())
        e->DoArise(Now());
}

void TEventCommands::Copy() {
    if (TEvent* e = SelectedEvent())
        clipboard_.Copy(*e);
}

void TEventCommands::Cut() {
    TEvent* e = SelectedEvent();
    if (e == nullptr)
        return;
    clipboard_.Copy(*e);
    session_.Notebook().DeleteEvent(*e);
}

TEvent* TEventCommands::Paste() {
    const TEvent* held = clipboard_.Held();
    if (held == nullptr)
        return nullptr;
    const TEventTemplate* target = nullptr;
    if (view_.ActivePage() == TEventPage::Templates)
        target = view_.CurrentTemplate();
    else if (TTemplateNode* node = Templates().FindTemplate(held->Template()))
        target = node->Template();
    Templates().EnsureDefaultTemplate();
    if (target == nullptr)
        target = Templates().DefaultTemplate();
    auto copy = std::make_unique<TEvent>();
    copy->Assign(*held);
    copy->SetTemplate(target->Template());
    if (view_.ActivePage() == TEventPage::Calendar)
        copy->InitializeCondition().SetStartDate(DateOf(view_.SelectedDay()));
    return &session_.Notebook().AddEvent(std::move(copy));
}

// ---------------------------------------------------------------------------------------------
// Find

void TEventCommands::Find() {
    if (!find_) {
        find_ = new TFindEventDialog(&view_.DialogParent());
        connect(find_, &TFindEventDialog::findNext, this, &TEventCommands::FindNext);
    }
    find_->show();
    find_->raise();
    find_->activateWindow();
    find_->TextEdit().setFocus();
}

bool TEventCommands::CanFindNext() const {
    return !find_ || !find_->isVisible();
}

TEvent* TEventCommands::FindInList(const QString& text, bool matchCase, bool wholeWords,
                                   bool fromStart) {
    const std::vector<TEvent*> rows = view_.ListedEvents();
    std::size_t start = 0;
    if (!fromStart)
        if (TEvent* selected = SelectedEvent()) {
            auto at = std::find(rows.begin(), rows.end(), selected);
            if (at != rows.end())
                start = static_cast<std::size_t>(at - rows.begin()) + 1;
        }
    for (std::size_t i = start; i < rows.size(); ++i)
        if (Contains(Shown(rows[i]->WindowMessage()), text, matchCase, wholeWords)) {
            view_.SelectEvent(*rows[i]);
            return rows[i];
        }
    return nullptr;
}

TEvent* TEventCommands::FindNext() {
    if (!find_ || find_->Text().isEmpty()) {
        Find();
        return nullptr;
    }
    const QString text = find_->Text();
    const bool matchCase = find_->MatchCase(), wholeWords = find_->WholeWords();
    if (TEvent* found = FindInList(text, matchCase, wholeWords, false))
        return found;
    if (view_.ActivePage() == TEventPage::Calendar) {
        const unsigned flags =
            (matchCase ? unsigned{ffMatchCase} : 0u) | (wholeWords ? unsigned{ffWholeWord} : 0u);
        const TEventList candidates =
            session_.Notebook().FindByDescription(text.toStdString(), flags);
        TDateTime when = NullDate;
        if (candidates.NearestEvent(DateOf(view_.SelectedDay()) + 1, when) != nullptr &&
            when != NullDate) {
            view_.SetSelectedDay(DateOf(when));
            if (TEvent* found = FindInList(text, matchCase, wholeWords, true))
                return found;
        }
    }
    Inform(tr("The search is completed"));
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Selecting elsewhere and the alarm windows' requests

void TEventCommands::SelectOnTemplatesPage() {
    TEvent* e = SelectedEvent();
    if (e == nullptr)
        return;
    view_.ShowPage(TEventPage::Templates);
    view_.SelectEvent(*e);
}

bool TEventCommands::SelectOnCalendarPage() {
    TEvent* e = SelectedEvent();
    if (e == nullptr)
        return false;
    TDateTime when = e->InitializeCondition().NextAriseForCheck(DateOf(view_.SelectedDay()));
    if (when == NullDate)
        when = e->LastAppear();
    if (when == NullDate) {
        Inform(tr("Event not present on calendar because it's initialize condition is empty"));
        return false;
    }
    view_.ShowPage(TEventPage::Calendar);
    view_.SetSelectedDay(DateOf(when));
    view_.SelectEvent(*e);
    return true;
}

void TEventCommands::AlarmClosed(TEvent& event) {
    session_.AlarmWindows().AlarmClosed(event);
}

void TEventCommands::AlarmShow(TEvent& event) {
    if (!session_.Notebook().Contains(event))
        return;
    view_.RestoreWindow();
    view_.SelectEvent(event);
    if (view_.SelectedEvents().empty()) {
        view_.ShowPage(TEventPage::All);
        view_.SelectEvent(event);
    }
}

// ---------------------------------------------------------------------------------------------
// Templates

void TEventCommands::TemplatesSaved() {
    session_.TemplateModel().Refresh();
    session_.EventModel().Refresh();
    session_.DataFiles().Save();
    emit templatesChanged();
}

TTemplateNode& TEventCommands::NewTemplate(TTemplateNode* selected) {
    view_.ShowPage(TEventPage::Templates);
    Templates().EnsureDefaultTemplate();
    TTemplateNode& node = Templates().NewTemplate(selected);
    TemplatesSaved();
    return node;
}

void TEventCommands::RenameTemplate(TTemplateNode& node, const std::string& name) {
    const bool favourite = node.Template() && node.Template()->Quickly();
    Templates().RenameTemplateNode(&node, name, *notebookSide_);
    // The tree keeps its shape: an editor open on it stays valid.
    session_.TemplateModel().NodeChanged(&node);
    emit templatesChanged();
    view_.RefreshActivePage();
    if (favourite)
        emit favouritesChanged();
}

bool TEventCommands::DeleteTemplate(TEventTemplate& t) {
    TTemplateTree& tree = Templates();
    TTemplateNode* node = tree.NodeOf(&t);
    if (node == nullptr || node == tree.DefaultTemplateNode())
        return false;
    const std::string name = t.Template();
    const int generation = generation_;
    TDeleteTemplateQuestionForm::TAnswer answer;
    if (session_.Notebook().TemplateInUse(name))
        answer = TDeleteTemplateQuestionForm::Ask(view_.DialogParent(), Shown(name));
    else
        answer = Ask(tr("Delete template \"%1\"?").arg(Shown(name)), false)
                     ? TDeleteTemplateQuestionForm::OnlyTemplate
                     : TDeleteTemplateQuestionForm::Cancel;
    // The template may be gone by now (a load), and only then its address could be reused.
    if (answer == TDeleteTemplateQuestionForm::Cancel || generation != generation_ ||
        tree.NodeOf(&t) == nullptr)
        return false;
    bool favourites = false;
    const TTemplateNode& doomed = *tree.NodeOf(&t);
    tree.ForEach([&](TTemplateNode& n) {
        if (TTemplateTree::IsInSubtree(n, doomed) && n.Template() && n.Template()->Quickly())
            favourites = true;
    });
    tree.DeleteTemplate(&t, answer == TDeleteTemplateQuestionForm::WithEvents, *notebookSide_);
    session_.TemplateModel().Refresh();
    view_.RefreshActivePage();
    emit templatesChanged();
    if (favourites)
        emit favouritesChanged();
    return true;
}

bool TEventCommands::TemplateProperties(TEventTemplate& t) {
    if (!dialogs_.ShowEventDialog(t, tr("Template Properties: %1").arg(Shown(t.Template())), 0, 0))
        return false;
    TemplatesSaved();
    view_.RefreshActivePage();
    if (t.Quickly())
        emit favouritesChanged();
    return true;
}

bool TEventCommands::CanAddToFavourites(const TEventTemplate* t) const {
    return t != nullptr && t != Templates().DefaultTemplate();
}

void TEventCommands::AddToFavourites(TEventTemplate& t) {
    if (Templates().NodeOf(&t) == nullptr || t.Quickly())
        return;
    t.SetQuickly(true);
    session_.DataFiles().SaveTemplates();
    emit favouritesChanged();
}

void TEventCommands::RemoveFromFavourites(TEventTemplate& t) {
    if (!t.Quickly())
        return;
    t.SetQuickly(false);
    session_.DataFiles().SaveTemplates();
    emit favouritesChanged();
}

void TEventCommands::MoveTemplate(TTemplateNode& node, TTemplateNode* parent, int index) {
    Templates().MoveNode(node, parent, index);
    TemplatesSaved();
    view_.RefreshActivePage();
    if (node.Template() && node.Template()->Quickly())
        emit favouritesChanged(); // the bar follows the tree's order
}

void TEventCommands::FileEventUnder(TEvent& event, const TEventTemplate& t, bool copy) {
    if (copy) {
        Templates().CopyEventToTemplate(event, &t, *notebookSide_);
        return;
    }
    event.SetTemplate(t.Template());
    session_.Notebook().RearmEvent(event);
}

} // namespace kelvo
