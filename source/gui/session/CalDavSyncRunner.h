#pragma once

// The desktop program's CalDAV sync: the account of the settings' "CalDAV" section (Url, User,
// Template, Interval in minutes, 0: only when asked; the password in the secret store), run on a
// worker thread over the saved events file, and the notebook loaded again from it afterwards, so
// the window never waits on the network. When the notebook changed while the sync ran, the sync's
// result is undone (the next sync repeats it) rather than lose the edit.

#include "core/options/paAppIni.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QThread;

namespace kelvo {

class TKeptSecret;
class TProgramSession;

class TCalDavSyncRunner : public QObject {
    Q_OBJECT
public:
    TCalDavSyncRunner(TProgramSession& session, TAppIni& settings, QObject* parent = nullptr);
    ~TCalDavSyncRunner() override;

    // Syncs now (or joins the sync under way); done gets kelvo-cli's lines and "exit N".
    void SyncNow(std::function<void(const std::string& answer)> done = {});
    // The window that asks whether the programs and mails of arriving events are kept: once
    // the program runs (for what an earlier run left held) and after every sync while any are
    // held (none set: they stay held).
    void SetConfirmParent(QWidget* window);
    // Whether the options name a CalDAV account.
    bool HasAccount() const;

signals:
    // Events changed on both sides were kept as copies beside the server's version.
    void conflictCopiesMade();
    void syncStarted();
    // answer: the lines kelvo-cli is given ("error<TAB>..." for what failed, "exit N" last).
    void syncFinished(const QString& answer);

private:
    struct TRun;
    void Start(std::shared_ptr<TRun> run);
    void Finished();
    void AskAboutHeldActions();
    // The answer for the held actions that were shown (UID -> record as shown).
    void ApplyAnswer(bool keep, const std::map<std::string, std::string>& shown,
                     const std::string& templateName);

    TProgramSession& session_;
    TAppIni& settings_;
    QTimer timer_;
    int minutesSinceSync_ = 0;
    QThread* worker_ = nullptr;
    // The password being read from the secret store before a sync starts.
    std::unique_ptr<TKeptSecret> reading_;
    std::shared_ptr<TRun> run_;
    std::vector<std::function<void(const std::string&)>> waiting_;
    QPointer<QWidget> confirmParent_;
    bool asking_ = false;
    // An answer given while a sync ran: applied once it is done.
    std::function<void()> pendingAnswer_;
};

} // namespace kelvo
