#pragma once

namespace kelvo {

// The program's version as the build set it ("major.minor.patch"), the one source of every
// version text the programs show.
const char* BuildVersion();

} // namespace kelvo
