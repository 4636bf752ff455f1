#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace kelvo::test {

// One application object for the whole test program; the players need its event loop.
inline QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "test_platform_audio";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = [] {
        // Real decoding into a sink that keeps real time but needs no sound device.
        setenv("KELVO_AUDIO_SINK", "fakesink sync=true", 0);
        return new QCoreApplication(argc, argv);
    }();
    return *app;
}

// Runs the event loop until done() holds or timeoutMs passes; returns done().
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000) {
    App();
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

inline void RunFor(int ms) {
    WaitFor([] { return false; }, ms);
}

// A mono 16-bit sine tone as a WAV file.
inline void WriteWav(const std::filesystem::path& path, int ms, int frequency = 440,
                     int rate = 8000) {
    const std::uint32_t samples = static_cast<std::uint32_t>(rate) * ms / 1000;
    const std::uint32_t dataBytes = samples * 2;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(static_cast<std::uint32_t>(rate));
    u32(static_cast<std::uint32_t>(rate) * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    for (std::uint32_t i = 0; i < samples; ++i)
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(
            8000 * std::sin(2 * 3.14159265358979 * frequency * i / rate))));
}

// An MP3 made from a WAV by lame, when lame is installed; false otherwise.
inline bool WriteMp3(const std::filesystem::path& path, int ms) {
    const auto wav = path.string() + ".src.wav";
    WriteWav(wav, ms, 440, 44100);
    const std::string command = "lame --quiet -b 64 '" + wav + "' '" + path.string() + "'";
    const bool ok = std::system(command.c_str()) == 0 && std::filesystem::exists(path);
    std::filesystem::remove(wav);
    return ok;
}

} // namespace kelvo::test
