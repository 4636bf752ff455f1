#pragma once

// The desktop program's CalDAV sync: the account of the settings' "CalDAV" section (Url, User,
// Template, Interval in minutes, 0: only when asked; the password in the secret store), run on a
// worker thread over the saved events file, and the notebook loaded again from it afterwards, so
// the window never waits on the network. When the notebook changed while the sync ran, the sync's
// result is undone (the next sync repeats it) rather than lose the edit.

#include "core/options/paAppIni.h"

#include <QObject>
#include <QTimer>
#include <functional>
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

signals:
    // Events changed on both sides were kept as copies beside the server's version.
    void conflictCopiesMade();

private:
    struct TRun;
    void Start(std::shared_ptr<TRun> run);
    void Finished();

    TProgramSession& session_;
    TAppIni& settings_;
    QTimer timer_;
    int minutesSinceSync_ = 0;
    QThread* worker_ = nullptr;
    // The password being read from the secret store before a sync starts.
    std::unique_ptr<TKeptSecret> reading_;
    std::shared_ptr<TRun> run_;
    std::vector<std::function<void(const std::string&)>> waiting_;
};

} // namespace kelvo
