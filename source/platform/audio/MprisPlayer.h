#pragma once

#include "core/audio/AudioEngines.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <string>
#include <vector>

namespace kelvo {

// A separate media player driven over D-Bus (MPRIS: OpenUri, Play, Stop). When none runs,
// the program set with SetProgramPath is started and the list goes to it once it has
// appeared on the bus.
class TMprisPlayer : public IExternalPlayer {
public:
    TMprisPlayer();
    ~TMprisPlayer() override;

    void SetProgramPath(const std::string& path) override { programPath_ = path; }
    void PlayList(const std::vector<std::string>& entries) override;

    // The bus name of the player found, empty when none runs.
    std::string FindPlayer() const;

    // How long a started player may take to appear on the bus.
    int StartTimeoutMs = 15000;

private:
    void Deliver(const QString& service);
    void WaitTick();

    std::string programPath_;
    QStringList pending_;
    QTimer wait_;
    int waited_ = 0;
};

} // namespace kelvo
