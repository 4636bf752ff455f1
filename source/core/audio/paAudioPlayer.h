#pragma once

#include "core/audio/AudioEngines.h"
#include "core/audio/paMPEGPlay.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvo {

// The engines a player drives; any of them may be absent (then nothing plays through it).
struct TAudioEngines {
    std::unique_ptr<IFilePlayer> File;
    std::unique_ptr<TMPEGPlayer> MPEG;
    std::unique_ptr<ICDPlayer> CD;
    std::unique_ptr<IExternalPlayer> External;
};

// More entries than this in a ".pls" list are ignored: a damaged or hostile list must not
// make the player allocate without bound.
inline constexpr int MaxPlaylistEntries = 4096;

// Trims blanks, then removes a quotation mark at the end and one at the start.
std::string CleanSoundName(const std::string& name);

// An absolute name stays; a relative one is taken inside folder. Backslashes of names written
// on Windows become slashes when the name as written does not exist.
std::string ExpandFileName(const std::string& name, const std::string& folder);

// Fills list from a sound name: ".m3u" and ".pls" lists give their entries, anything else is
// the only entry. Relative entries are looked for beside the list first, then in
// fallbackFolder. Returns false (and an empty list) when a list cannot be read.
bool FillPlayList(const std::string& name, const std::string& fallbackFolder,
                  std::vector<std::string>& list);

// Plays a list of files one after the other through the file engine, falling back to the
// decoder library, or hands the whole list to the external player.
class TAudioPlayer {
public:
    explicit TAudioPlayer(TAudioEngines engines);
    virtual ~TAudioPlayer();
    TAudioPlayer(const TAudioPlayer&) = delete;
    TAudioPlayer& operator=(const TAudioPlayer&) = delete;

    std::vector<std::string> PlayList;
    bool Shuffle = false;
    bool UseWinAmp = false;
    std::string WinAmpPath;
    std::function<void()> OnComplete;

    bool MPEGAvailable() const { return mpegAvailable_; }
    int CurrentIndex() const { return currentIndex_; }

    void Play();
    bool PlayNext();
    // Sets Stopped and silences every engine.
    void Stop();
    bool IsPlaying() const;

    // Plays track (1-based; below 1 a random one) of the disc in the first drive.
    bool PlayCDTrack(int track);

private:
    void EntryEnded();

    TAudioEngines engines_;
    bool mpegAvailable_ = false;
    int currentIndex_ = -1;
    bool stopped_ = false;
};

} // namespace kelvo
