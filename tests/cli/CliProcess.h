#pragma once

// kelvo-cli run as a process on a private home folder, with its whole output kept.

#include "core/persistence/EventFile.h"
#include "support/TestSupport.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace kelvo::test {

struct TCliRun {
    int Exit = -1;
    std::string Out;
    std::string Err;
};

inline std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// env is put before the program: more variables, or a wrapper such as faketime.
inline TCliRun RunCli(const TempDir& dir, const std::vector<std::string>& args,
                      const std::vector<std::string>& env = {}) {
    std::string command = "env HOME=" + ShellQuote(dir.Path().string()) +
                          " XDG_CONFIG_HOME=" + ShellQuote(dir.File("config")) +
                          " XDG_DATA_HOME=" + ShellQuote(dir.File("data")) + " LC_ALL=C";
    for (const auto& e : env)
        command += " " + ShellQuote(e);
    command += " " + ShellQuote(KELVO_CLI_PATH);
    for (const auto& a : args)
        command += " " + ShellQuote(a);
    command +=
        " >" + ShellQuote(dir.File("out")) + " 2>" + ShellQuote(dir.File("err")) + " </dev/null";
    const int status = std::system(command.c_str());
    TCliRun run;
    run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadWholeFile(dir.File("out"));
    run.Err = ReadWholeFile(dir.File("err"));
    return run;
}

// Writes the events to name in dir and answers the file's path.
inline std::string SaveEvents(const TempDir& dir, const std::vector<TEvent*>& events,
                              const std::string& name = "events.evn") {
    TEventList list;
    for (TEvent* e : events)
        list.Add(*e);
    SaveEventsFile(dir.File(name), list);
    return dir.File(name);
}

} // namespace kelvo::test
