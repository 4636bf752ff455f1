#pragma once

#include <string>

namespace kelvo {

// Chooses the log file and creates the program log; dates and times follow the user's
// locale from then on. Returns the problems met while choosing (lines joined by "\n\r").
std::string SetupProgramLog();
void TeardownProgramLog();

// The running program file's full path.
std::string ProgramFilePath();

} // namespace kelvo
