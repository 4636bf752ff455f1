#include "gui/session/CalDavSyncRunner.h"

#include "core/entities/EventTemplate.h"
#include "core/options/KeptSecret.h"
#include "core/persistence/SafeSave.h"
#include "core/sync/CalDavSync.h"
#include "core/util/paDateUtils.h"
#include "gui/exchange/ExchangeCommands.h"
#include "gui/main/MainSettings.h"
#include "gui/session/ProgramSession.h"
#include "platform/caldav/CalDavClient.h"

#include <QMetaObject>
#include <QThread>
#include <filesystem>
#include <utility>

namespace kelvo {

namespace {

constexpr const char* Section = "CalDAV";

std::string Field(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return text;
}

class TCountingHost : public IDataFileHost {
public:
    bool TryReadNewerVersion(const std::string&) override { return false; }
    void ShowRecordError(const std::string&) override { ++Skipped; }
    int Skipped = 0;
};

std::string LiveEvents(TProgramSession& session) {
    return WriteEvents(session.Notebook().GetEvents());
}

} // namespace

struct TCalDavSyncRunner::TRun {
    TCalDavAccount Account;
    std::string Template;
    std::string File;
    std::string Snapshot; // the events file as the sync found it
    std::string OldState; // empty: there was none
    bool HadState = false;
    TDateOrder Order = TDateOrder::YearFirst;
    // Made by the worker.
    std::string Answer;
    bool Failed = false;
    bool EventsChanged = false;
    bool Conflicts = false;

    void Work() {
        try {
            TCountingHost host;
            TOwnedEvents events = ReadEvents(Snapshot, host);
            if (host.Skipped > 0)
                throw ECalDavError(File + ": damaged records would be lost by the sync", false);
            TSyncState state = HadState ? ParseSyncState(OldState) : TSyncState();
            std::string savedEvents = Snapshot, savedState = OldState;
            TCalDavClient client(Account);
            const TCalCodec codec = PlatformCalCodec();
            const auto save = [&] {
                std::vector<TEvent*> list;
                for (const auto& e : events)
                    list.push_back(e.get());
                std::string bytes = WriteEvents(TEventList(list));
                if (bytes != savedEvents)
                    SafeSave(File, savedEvents = std::move(bytes), Now(), Order);
                std::string stateBytes = WriteSyncState(state);
                if (stateBytes != savedState)
                    SafeSave(SyncStateFileName(File), savedState = std::move(stateBytes), Now(),
                             Order);
            };
            const TSyncResult result = SyncEvents(events, Template, state, client, codec, save);
            for (const TSyncLine& l : result.Lines) {
                if (!l.Error.empty()) {
                    Answer += "error\t" + Field(l.Error) + "\n";
                    continue;
                }
                Answer += std::string(l.Up ? "up" : "down") + "\t" + SyncKindName(l.Kind) + "\t" +
                          (l.Index >= 0 ? std::to_string(l.Index) : std::string("-")) + "\t" +
                          Field(l.Description) + "\n";
            }
            for (const std::string& held : result.HeldActions)
                Answer += "error\theld until confirmed in the program: " + Field(held) + "\n";
            if (!result.ConnectionError.empty())
                Answer += "error\t" + Field(result.ConnectionError) + "\n";
            Failed = result.Failed();
            EventsChanged = result.EventsChanged;
            Conflicts = result.ConflictCopies;
        } catch (const std::exception& e) {
            Answer += "error\t" + Field(e.what()) + "\n";
            Failed = true;
        }
    }
};

TCalDavSyncRunner::TCalDavSyncRunner(TProgramSession& session, TAppIni& settings, QObject* parent)
    : QObject(parent), session_(session), settings_(settings) {
    // The interval is read at every tick, so a change in the options takes effect at once.
    connect(&timer_, &QTimer::timeout, this, [this] {
        const int minutes = settings_.ReadInteger(Section, "Interval", 0);
        if (minutes > 0 && ++minutesSinceSync_ >= minutes &&
            !settings_.ReadString(Section, "Url", "").empty()) {
            minutesSinceSync_ = 0;
            SyncNow();
        }
    });
    timer_.start(60 * 1000);
}

TCalDavSyncRunner::~TCalDavSyncRunner() {
    if (worker_)
        worker_->wait();
}

void TCalDavSyncRunner::SyncNow(std::function<void(const std::string& answer)> done) {
    if (done)
        waiting_.push_back(std::move(done));
    if (worker_ || reading_)
        return; // the sync under way answers them all
    auto run = std::make_shared<TRun>();
    run->Account.Url = settings_.ReadString(Section, "Url", "");
    run->Account.User = settings_.ReadString(Section, "User", "");
    run->Template = settings_.ReadString(Section, "Template", "CalDAV");
    if (run->Account.Url.empty()) {
        run_ = run;
        run->Answer = "error\tno CalDAV account is set up in the options\n";
        run->Failed = true;
        Finished();
        return;
    }
    // The password comes from the secret store without waiting for it; the sync starts then.
    // A server that needs none syncs without a store.
    reading_ = std::make_unique<TKeptSecret>(settings_, session_.Settings().Secrets(), Section, "",
                                             "CalDAV " + run->Account.Url);
    reading_->Load();
    reading_->WhenKnown([this, run] {
        run->Account.Password = reading_->Value();
        // Later, outside the answer of the store that is still being given.
        QMetaObject::invokeMethod(
            this,
            [this, run] {
                reading_.reset();
                Start(run);
            },
            Qt::QueuedConnection);
    });
}

void TCalDavSyncRunner::Start(std::shared_ptr<TRun> run) {
    try {
        // The synced events keep their template only while it exists.
        TTemplateTree& templates = session_.DataFiles().Templates();
        if (!templates.FindTemplate(run->Template)) {
            auto t = std::make_unique<TEventTemplate>();
            t->SetTemplate(run->Template);
            templates.AddTemplate(nullptr, -1, std::move(t));
        }
        // The sync works on the file; everything the window holds is in it first.
        session_.DataFiles().Save();
        run->File = session_.DataFiles().EventsFileName();
        run->Snapshot = ReadFileBytes(run->File);
        const std::string stateFile = SyncStateFileName(run->File);
        run->HadState = std::filesystem::exists(stateFile);
        if (run->HadState)
            run->OldState = ReadFileBytes(stateFile);
        run->Order = DateOrderOf(CurrentLocale().ShortDateFormat());
    } catch (const std::exception& e) {
        run_ = run;
        run->Answer = "error\t" + Field(e.what()) + "\n";
        run->Failed = true;
        Finished();
        return;
    }
    run_ = run;
    worker_ = QThread::create([run] { run->Work(); });
    connect(worker_, &QThread::finished, this, &TCalDavSyncRunner::Finished);
    worker_->start();
    emit syncStarted();
}

void TCalDavSyncRunner::Finished() {
    std::shared_ptr<TRun> run = std::move(run_);
    if (worker_) {
        worker_->wait();
        worker_->deleteLater();
        worker_ = nullptr;
    }
    if (run && !run->File.empty()) {
        try {
            if (LiveEvents(session_) != run->Snapshot) {
                // Edited while the sync ran: the edit wins, and the state goes back to what it
                // was, so that the next sync finds everything again.
                const std::string stateFile = SyncStateFileName(run->File);
                if (run->HadState)
                    SafeSave(stateFile, run->OldState, Now(), run->Order);
                else
                    std::filesystem::remove(stateFile);
                session_.DataFiles().SaveEvents();
                run->Answer += "error\tthe events changed while the sync ran; sync again\n";
                run->Failed = true;
            } else if (run->EventsChanged) {
                session_.DataFiles().Load();
            }
        } catch (const std::exception& e) {
            run->Answer += "error\t" + Field(e.what()) + "\n";
            run->Failed = true;
        }
        if (run->Conflicts)
            emit conflictCopiesMade();
    }
    if (pendingAnswer_)
        std::exchange(pendingAnswer_, {})();
    AskAboutHeldActions();
    const std::string answer =
        (run ? run->Answer : std::string()) + "exit " + (run && run->Failed ? "1" : "0") + "\n";
    emit syncFinished(QString::fromStdString(answer));
    auto waiting = std::move(waiting_);
    waiting_.clear();
    for (auto& done : waiting)
        done(answer);
}

bool TCalDavSyncRunner::HasAccount() const {
    return !settings_.ReadString(Section, "Url", "").empty();
}

void TCalDavSyncRunner::SetConfirmParent(QWidget* window) {
    confirmParent_ = window;
    // Once the event loop runs: the events file is loaded by then.
    QTimer::singleShot(0, this, [this] {
        if (!worker_)
            AskAboutHeldActions();
    });
}

void TCalDavSyncRunner::AskAboutHeldActions() {
    if (asking_ || !confirmParent_)
        return;
    TSyncState state;
    try {
        const std::string stateFile = SyncStateFileName(session_.DataFiles().EventsFileName());
        if (!std::filesystem::exists(stateFile))
            return;
        state = ParseSyncState(ReadFileBytes(stateFile));
    } catch (const std::exception&) {
        return; // the next sync says what is wrong with it
    }
    if (state.Held.empty())
        return;
    asking_ = true;
    const std::string templateName = settings_.ReadString(Section, "Template", "CalDAV");
    AskToKeepArrivingActions(confirmParent_, HeldActionTexts(state),
                             [this, self = QPointer<TCalDavSyncRunner>(this), shown = state.Held,
                              templateName](bool keep) {
                                 if (!self)
                                     return;
                                 asking_ = false;
                                 pendingAnswer_ = [this, keep, shown, templateName] {
                                     ApplyAnswer(keep, shown, templateName);
                                 };
                                 // A sync under way works on the file: the answer waits for its
                                 // end.
                                 if (!worker_)
                                     std::exchange(pendingAnswer_, {})();
                             });
}

void TCalDavSyncRunner::ApplyAnswer(bool keep, const std::map<std::string, std::string>& shown,
                                    const std::string& templateName) {
    try {
        const std::string stateFile = SyncStateFileName(session_.DataFiles().EventsFileName());
        TSyncState state = ParseSyncState(ReadFileBytes(stateFile));
        // Only what the user saw: a version that arrived meanwhile is asked about anew.
        TSyncState answered = state;
        answered.Held.clear();
        for (const auto& [uid, record] : shown) {
            const auto held = state.Held.find(uid);
            if (held != state.Held.end() && held->second == record) {
                answered.Held.insert(*held);
                state.Held.erase(held);
            }
        }
        if (keep && !answered.Held.empty()) {
            TReminderNotebook& notebook = session_.Notebook();
            std::vector<TEvent*> events;
            for (int i = 0; i < notebook.EventCount(); ++i)
                events.push_back(&notebook.Event(i));
            KeepHeldActions(events, templateName, answered);
            state.Entries = answered.Entries;
            session_.DataFiles().SaveEvents();
        } else if (!keep) {
            DeclineHeldActions(answered);
            state.Declined = answered.Declined;
        }
        SafeSave(stateFile, WriteSyncState(state), Now(),
                 DateOrderOf(CurrentLocale().ShortDateFormat()));
    } catch (const std::exception&) {
        return; // they stay held: the next sync asks again
    }
    AskAboutHeldActions();
}

} // namespace kelvo
