#include "platform/diagnostics/SetupLog.h"

#include "core/diagnostics/paLogUtils.h"

#include <QDateTime>
#include <QLocale>
#include <unistd.h>

namespace kelvo {

std::string ProgramFilePath() {
    char buffer[4096];
    const ssize_t size = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return size > 0 ? std::string(buffer, static_cast<std::size_t>(size)) : std::string();
}

std::string SetupProgramLog() {
    SetDateTimeFormatter([](std::chrono::system_clock::time_point when) {
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
        const QDateTime moment = QDateTime::fromMSecsSinceEpoch(ms.count());
        const QLocale locale = QLocale::system();
        return (locale.toString(moment.date(), QLocale::ShortFormat) + ' ' +
                locale.toString(moment.time(), QLocale::LongFormat))
            .toStdString();
    });
    std::string errors;
    const std::string program = ProgramFilePath();
    const std::string path = ChooseLogFile("Brennikor/Tavrelon", "kelvo-rem.LOG", errors, program);
    SetProgramLog(std::make_unique<TLogFile>(path, program));
    return errors;
}

void TeardownProgramLog() {
    SetProgramLog(nullptr);
}

} // namespace kelvo
