#pragma once

#include "core/audio/AudioEngines.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <string>
#include <vector>

namespace kelvo {

// The media player the user configured (SetProgramPath), driven over D-Bus (MPRIS: OpenUri,
// Play, Stop). It is told from the other players on the bus by its desktop entry (the MPRIS
// DesktopEntry property against the program's name) or by the program file of the
// service's owner; any other player is left alone. When it does not run, the program is
// started and the list goes to it once it has appeared on the bus. Stop is sent only to a
// player that got its sound from here.
class TMprisPlayer : public IExternalPlayer {
public:
    TMprisPlayer();
    ~TMprisPlayer() override;

    void SetProgramPath(const std::string& path) override { programPath_ = path; }
    void PlayList(const std::vector<std::string>& entries) override;

    // The bus name of the configured player, empty when it does not run (or none is set).
    std::string FindPlayer() const;
    // Whether the player behind the bus name is the program at programPath.
    static bool IsProgram(const QString& service, const std::string& programPath);

    // How long a started player may take to appear on the bus.
    int StartTimeoutMs = 15000;

private:
    void Deliver(const QString& service);
    void WaitTick();

    std::string programPath_;
    QStringList pending_;
    // The player that plays our sound, until it is stopped.
    QString playing_;
    QTimer wait_;
    int waited_ = 0;
};

} // namespace kelvo
