#include "platform/diagnostics/paSystemInfo.h"

#include "platform/diagnostics/SetupLog.h"
#include "platform/hotkeys/paX11.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/utsname.h>

namespace kelvo {

namespace {

std::string ReadText(const char* path) {
    std::ifstream in(path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string Trim(std::string text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string Unquote(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

void ParseOsRelease(const std::string& text, TSystemInfo& info) {
    std::istringstream in(text);
    std::string line, name, pretty, version;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        const std::string value = Unquote(Trim(line.substr(eq + 1)));
        if (key == "NAME")
            name = value;
        else if (key == "PRETTY_NAME")
            pretty = value;
        else if (key == "VERSION_ID")
            version = value;
    }
    info.versionName = name.empty() ? (pretty.empty() ? "Linux" : pretty) : name;
    info.productType = version;
}

void ParseKernelRelease(const std::string& release, TSystemInfo& info) {
    int parts[3] = {0, 0, 0};
    std::size_t pos = 0;
    for (int i = 0; i < 3 && pos < release.size(); ++i) {
        std::size_t used = 0;
        try {
            parts[i] = std::stoi(release.substr(pos), &used);
        } catch (...) {
            break;
        }
        pos += used;
        if (pos >= release.size() || release[pos] != '.')
            break;
        ++pos;
    }
    info.majorVersion = parts[0];
    info.minorVersion = parts[1];
    info.build = static_cast<unsigned>(parts[2]);
    info.servicePack = release;
}

void ParseCpuInfo(const std::string& text, TSystemInfo& info) {
    std::istringstream in(text);
    std::string line;
    std::set<std::string> flags;
    bool fdivBug = false;
    while (std::getline(in, line)) {
        if (Trim(line).empty())
            break; // the first processor is enough
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        const std::string key = Trim(line.substr(0, colon));
        const std::string value = Trim(line.substr(colon + 1));
        if (key == "vendor_id")
            info.processorVendor = value;
        else if (key == "model name")
            info.processorName = value;
        else if (key == "cpu MHz")
            info.processorMHz = static_cast<int>(std::atof(value.c_str()));
        else if (key == "fdiv_bug")
            fdivBug = value == "yes";
        else if (key == "flags") {
            std::istringstream words(value);
            for (std::string flag; words >> flag;)
                flags.insert(flag);
        }
    }
    static const std::pair<const char*, const char*> marks[] = {
        {"mmxext", " MMXex"},      {"mmx", " MMX"},      {"sse", " SSE"},     {"sse2", " SSE2"},
        {"pni", " SSE3"},          {"ssse3", " SSSE3"},  {"sse4a", " SSE4A"}, {"sse4_1", " SSE4B"},
        {"3dnowext", " 3DNow!ex"}, {"3dnow", " 3DNow!"}, {"lm", " 64 bits"},  {"nx", " DEP"},
    };
    info.processorMarks = fdivBug ? " [FDIV Bug]" : "";
    for (const auto& [flag, mark] : marks)
        if (flags.count(flag))
            info.processorMarks += mark;
}

void ParseMemInfo(const std::string& text, TSystemInfo& info) {
    std::istringstream in(text);
    std::string key;
    unsigned long long kib = 0;
    std::string unit;
    while (in >> key >> kib) {
        std::getline(in, unit);
        if (key == "MemTotal:")
            info.memoryTotal = kib * 1024;
        else if (key == "MemAvailable:")
            info.memoryFree = kib * 1024;
    }
}

TSystemInfo TLinuxReportEnvironment::SystemInfo() const {
    TSystemInfo info;
    std::string osRelease = ReadText("/etc/os-release");
    if (osRelease.empty())
        osRelease = ReadText("/usr/lib/os-release");
    ParseOsRelease(osRelease, info);
    struct utsname names {};
    if (::uname(&names) == 0) {
        ParseKernelRelease(names.release, info);
        const std::string machine = names.machine;
        info.architecture =
            machine == "x86_64"                                                       ? "x64"
            : (machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86") ? "x86"
                                                                                      : machine;
    }
    ParseCpuInfo(ReadText("/proc/cpuinfo"), info);
    ParseMemInfo(ReadText("/proc/meminfo"), info);
    if (qGuiApp) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize size = screen->size() * screen->devicePixelRatio();
            info.displayWidth = size.width();
            info.displayHeight = size.height();
            info.displayDepth = screen->depth();
        }
        const QString theme = QIcon::themeName();
        info.themesInUse = !theme.isEmpty() && theme != QLatin1String("hicolor");
        info.themeName = theme.toStdString();
        // Wayland always composes; on X11 a compositing manager announces itself.
        const QString platform = QGuiApplication::platformName();
        info.composition =
            platform.startsWith(QLatin1String("wayland")) || X11CompositingManagerRunning();
    }
    return info;
}

std::string TLinuxReportEnvironment::ProgramPath() const {
    return ProgramFilePath();
}

} // namespace kelvo
