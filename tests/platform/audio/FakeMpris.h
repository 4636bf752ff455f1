#pragma once

// Fake media players on a session bus of the test's own, each a process of its own
// (its own program file, and it answers while the test waits for a child).

#include "support/PrivateBus.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace kelvo::test {

// A copy of the fake player under its own name in folder, registered as
// org.mpris.MediaPlayer2.<name>; desktopEntry empty: it has none.
class TFakeMprisPlayer {
public:
    TFakeMprisPlayer(const std::filesystem::path& folder, const std::string& name,
                     const std::string& desktopEntry = {})
        : program_(folder / name), log_(folder / (name + ".calls")) {
        std::filesystem::copy_file(KELVO_FAKE_MPRIS_PATH, program_,
                                   std::filesystem::copy_options::overwrite_existing);
        std::ofstream(log_).close();
        QStringList args = {"--name", QString::fromStdString(name), "--log",
                            QString::fromStdString(log_.string())};
        if (!desktopEntry.empty())
            args << "--desktop-entry" << QString::fromStdString(desktopEntry);
        process_.start(QString::fromStdString(program_.string()), args);
        ready_ = process_.waitForReadyRead(5000) && process_.readLine().trimmed() == "ready";
    }
    ~TFakeMprisPlayer() {
        process_.kill();
        process_.waitForFinished(2000);
    }
    bool Ready() const { return ready_; }
    const std::filesystem::path& Program() const { return program_; }
    // The calls it received, one per line.
    QStringList Calls() const {
        std::ifstream in(log_);
        QStringList calls;
        for (std::string line; std::getline(in, line);)
            calls << QString::fromStdString(line);
        return calls;
    }

private:
    std::filesystem::path program_;
    std::filesystem::path log_;
    QProcess process_;
    bool ready_ = false;
};

} // namespace kelvo::test
