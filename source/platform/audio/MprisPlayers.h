#pragma once

#include <QString>
#include <vector>

namespace kelvo {

// A media player that can be driven over MPRIS, as the user picks it.
struct TInstalledPlayer {
    QString Name;    // as the player calls itself
    QString Program; // the program file, absolute
};

// The players that run on the session bus now (org.mpris.MediaPlayer2.*, their program from
// the owning process) and the installed ones whose desktop entry is an audio player, each
// program once, in that order.
std::vector<TInstalledPlayer> InstalledMprisPlayers();

} // namespace kelvo
