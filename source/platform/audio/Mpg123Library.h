#pragma once

#include "core/audio/paMPEGPlay.h"

#include <memory>
#include <string>

namespace kelvo {

// The decoder library: libmpg123 decoding and libout123 playing, both loaded at run time.
// Null when either library or one of its entry points is missing.
//
// output: "driver" or "driver:device" for libout123 (such as "wav:/tmp/out.wav" or "test");
// empty means the KELVO_MPEG_OUTPUT environment variable, else the system's default output.
std::unique_ptr<IMPEGLibrary> LoadMpg123Library(const std::string& output = {});

} // namespace kelvo
