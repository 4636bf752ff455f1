#include "core/audio/paAudioPlayer.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && (IsBlank(text[end - 1]) || text[end - 1] == '\r'))
        --end;
    return text.substr(begin, end - begin);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsUrl(const std::string& name) {
    return name.find("://") != std::string::npos;
}

// A playlist entry: beside the list when it exists there, else in the fallback folder.
std::string ExpandEntry(const std::string& entry, const std::string& listFolder,
                        const std::string& fallbackFolder) {
    if (IsUrl(entry))
        return entry;
    std::error_code ignored;
    const std::string besideList = ExpandFileName(entry, listFolder);
    if (fallbackFolder.empty() || fs::exists(besideList, ignored))
        return besideList;
    const std::string inFallback = ExpandFileName(entry, fallbackFolder);
    return fs::exists(inFallback, ignored) ? inFallback : besideList;
}

bool ReadM3u(std::ifstream& in, const std::string& listFolder, const std::string& fallback,
             std::vector<std::string>& list) {
    std::string line;
    while (std::getline(in, line)) {
        const std::string entry = Trim(line);
        // A blank line names no file; the old reading tried the list's folder itself.
        if (entry.empty() || entry.front() == '#')
            continue;
        if (list.size() >= static_cast<std::size_t>(MaxPlaylistEntries))
            break;
        list.push_back(ExpandEntry(entry, listFolder, fallback));
    }
    return !in.bad();
}

bool ReadPls(std::ifstream& in, const std::string& listFolder, const std::string& fallback,
             std::vector<std::string>& list) {
    std::map<std::string, std::string> values;
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = Lower(Trim(line.substr(0, eq)));
        if (!values.contains(key))
            values.emplace(key, Trim(line.substr(eq + 1)));
    }
    if (in.bad())
        return false;
    const auto count = values.find("numberofentries");
    if (count == values.end())
        return false;
    int n = 0;
    const std::string& text = count->second;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size())
        return false;
    n = std::min(n, MaxPlaylistEntries);
    for (int i = 1; i <= n; ++i) {
        const auto file = values.find("file" + std::to_string(i));
        if (file == values.end() || file->second.empty())
            continue;
        list.push_back(ExpandEntry(file->second, listFolder, fallback));
    }
    return true;
}

} // namespace

std::string CleanSoundName(const std::string& name) {
    std::string result = Trim(name);
    if (!result.empty() && result.back() == '"')
        result.pop_back();
    if (!result.empty() && result.front() == '"')
        result.erase(0, 1);
    return result;
}

std::string ExpandFileName(const std::string& name, const std::string& folder) {
    if (name.empty())
        return name;
    std::error_code ignored;
    fs::path path(name);
    if (name.find('\\') != std::string::npos) {
        const fs::path asWritten = path.is_absolute() ? path : fs::path(folder) / path;
        if (!fs::exists(asWritten, ignored)) {
            std::string slashed = name;
            std::replace(slashed.begin(), slashed.end(), '\\', '/');
            path = fs::path(slashed);
        }
    }
    if (!path.is_absolute())
        path = (folder.empty() ? fs::current_path(ignored) : fs::path(folder)) / path;
    return path.lexically_normal().string();
}

bool FillPlayList(const std::string& name, const std::string& fallbackFolder,
                  std::vector<std::string>& list) {
    list.clear();
    const std::string extension = Lower(fs::path(name).extension().string());
    if (extension != ".m3u" && extension != ".pls") {
        list.push_back(name);
        return true;
    }
    std::ifstream in(name, std::ios::binary);
    if (!in)
        return false;
    const std::string listFolder = fs::path(name).parent_path().string();
    const bool ok = extension == ".m3u" ? ReadM3u(in, listFolder, fallbackFolder, list)
                                        : ReadPls(in, listFolder, fallbackFolder, list);
    if (!ok)
        list.clear();
    return ok;
}

TAudioPlayer::TAudioPlayer(TAudioEngines engines) : engines_(std::move(engines)) {
    mpegAvailable_ = engines_.MPEG && engines_.MPEG->Loaded();
    if (engines_.File)
        engines_.File->OnEnd = [this] { EntryEnded(); };
    if (engines_.MPEG)
        engines_.MPEG->OnPlayEnd = [this] { EntryEnded(); };
    if (engines_.CD)
        engines_.CD->OnEnd = [this] { EntryEnded(); };
}

TAudioPlayer::~TAudioPlayer() {
    OnComplete = nullptr;
    Stop();
    if (engines_.File)
        engines_.File->OnEnd = nullptr;
    if (engines_.CD)
        engines_.CD->OnEnd = nullptr;
}

void TAudioPlayer::Play() {
    if (Shuffle) {
        std::mt19937 random(std::random_device{}());
        std::shuffle(PlayList.begin(), PlayList.end(), random);
    }
    if (UseWinAmp) {
        if (engines_.External) {
            engines_.External->SetProgramPath(WinAmpPath);
            engines_.External->PlayList(PlayList);
        }
        return;
    }
    stopped_ = false;
    currentIndex_ = -1;
    PlayNext();
}

bool TAudioPlayer::PlayNext() {
    while (currentIndex_ < static_cast<int>(PlayList.size()) - 1) {
        ++currentIndex_;
        const std::string& entry = PlayList[static_cast<std::size_t>(currentIndex_)];
        if (engines_.File) {
            try {
                return engines_.File->Play(entry);
            } catch (const EpaError&) {
                // Not a file this engine can open: the decoder library may.
            }
        }
        std::error_code ignored;
        if (mpegAvailable_ && !IsUrl(entry) && fs::is_regular_file(entry, ignored)) {
            TMPEGPlayer& mpeg = *engines_.MPEG;
            try {
                if (mpeg.Playing())
                    mpeg.Stop();
            } catch (const EpaError&) {
            }
            try {
                mpeg.SetStreamName(entry);
                mpeg.Open();
                mpeg.Start();
            } catch (const EpaError&) {
                // An entry neither engine plays is skipped without a word.
            }
            if (IsPlaying())
                return true;
        }
    }
    return false;
}

void TAudioPlayer::EntryEnded() {
    if (!stopped_ && PlayNext())
        return;
    if (OnComplete)
        OnComplete();
}

void TAudioPlayer::Stop() {
    stopped_ = true;
    if (UseWinAmp) {
        if (engines_.External)
            engines_.External->PlayList({});
        return;
    }
    if (mpegAvailable_) {
        try {
            if (engines_.MPEG->Playing())
                engines_.MPEG->Stop();
        } catch (const EpaError&) {
        }
    }
    if (engines_.File)
        engines_.File->Stop();
    if (engines_.CD)
        engines_.CD->Stop();
}

bool TAudioPlayer::IsPlaying() const {
    try {
        if (mpegAvailable_ && engines_.MPEG->PlayerMode() == MPEGModePlaying)
            return true;
        if (engines_.File && engines_.File->IsPlaying())
            return true;
        return engines_.CD && engines_.CD->IsPlaying();
    } catch (const EpaError&) {
        return false;
    }
}

bool TAudioPlayer::PlayCDTrack(int track) {
    // The disc's end must complete the action, not resume a list an earlier sound left.
    PlayList.clear();
    currentIndex_ = -1;
    stopped_ = false;
    if (!engines_.CD || !engines_.CD->HasDrive())
        return false;
    try {
        const int count = engines_.CD->TrackCount();
        if (count < 1)
            return false;
        if (track < 1) {
            std::mt19937 random(std::random_device{}());
            track = std::uniform_int_distribution<int>(1, count)(random);
        }
        track = std::clamp(track, 1, count);
        return engines_.CD->PlayTrack(track);
    } catch (const EpaError&) {
        engines_.CD->Stop();
        return false;
    }
}

} // namespace kelvo
