// The actions with the desktop's parts: GStreamer decoding into a sink that needs no sound
// device, the Qt timers, the SMTP route against a port where nobody listens.

#include "platform/actions/PlatformActions.h"

#include "core/audio/ReminderAudioPlayer.h"
#include "core/mail/SendMail.h"
#include "core/options/MailOptions.h"
#include "core/timers/paTimerList.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "test_platform_actions";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = [] {
        setenv("KELVO_AUDIO_SINK", "fakesink sync=true", 0);
        return new QCoreApplication(argc, argv);
    }();
    return *app;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs = 15000) {
    App();
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// A mono 16-bit WAV of silence.
void WriteWav(const std::string& path, int ms) {
    constexpr std::uint32_t rate = 8000;
    const std::uint32_t bytes = rate * static_cast<std::uint32_t>(ms) / 1000 * 2;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(bytes);
    out << std::string(bytes, '\0');
}

// A loopback port on which nobody listens.
int ClosedPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

class PlatformActionsTest : public ::testing::Test {
protected:
    PlatformActionsTest() {
        App();
        actions.OnError = [this](const std::string& text) { errors.push_back(text); };
        actions.OnLog = [](const std::string&) {};
        actions.Install();
    }
    TPlatformActions actions;
    std::vector<std::string> errors;
};

TEST_F(PlatformActionsTest, ASoundRepeatsThroughTheRealPlayerAndStops) {
    test::TempDir dir;
    WriteWav(dir.File("short.wav"), 300);
    actions.SetSoundsFolder(dir.Path().string() + "/");
    TComplexEventAction c;
    auto& media = static_cast<TPlayMediaEventAction&>(
        c.Actions().Add(std::make_unique<TPlayMediaEventAction>()));
    media.SetFileName("short.wav");
    media.SetRepeatType(rtTimes);
    media.SetTimes(2);
    c.ExecuteIfEnabled();
    ASSERT_TRUE(actions.Player().IsPlaying());
    EXPECT_TRUE(WaitFor([&] { return media.PlayCount() == 1; }));
    EXPECT_TRUE(WaitFor([&] { return !actions.Player().IsPlaying(); }));
    EXPECT_EQ(media.PlayCount(), 0);
    EXPECT_EQ(actions.Player().CurrentAction(), nullptr);
    EXPECT_TRUE(errors.empty());
}

TEST_F(PlatformActionsTest, ClosingTheAlarmCutsARepeatingSound) {
    test::TempDir dir;
    WriteWav(dir.File("long.wav"), 5000);
    TPlayMediaEventAction media;
    media.SetFileName(dir.File("long.wav"));
    media.SetRepeatType(rtMinutes);
    media.SetMinutes(1);
    media.ExecuteIfEnabled();
    EXPECT_EQ(actions.ActionTimerList().Count(), 1u);
    WaitFor([] { return false; }, 300);
    EXPECT_TRUE(actions.Player().IsPlaying());
    media.EventClosed();
    EXPECT_FALSE(actions.Player().IsPlaying());
    EXPECT_EQ(actions.ActionTimerList().Count(), 0u);
}

TEST_F(PlatformActionsTest, ErrorsArriveAfterTheArisingNotInsideIt) {
    TMailOptions options;
    options.ConnectionType = ecSMTP;
    options.SMTPOptions.Server = "127.0.0.1";
    options.SMTPOptions.Port = ClosedPort();
    options.SMTPOptions.ReplyTo = "me@example.org";
    actions.SetMailOptions(&options);

    TComplexEventAction c;
    auto& mail =
        static_cast<TSendMailAction&>(c.Actions().Add(std::make_unique<TSendMailAction>()));
    mail.SetSendTo("you@example.org");
    mail.SetSubject("Due");
    auto& cd =
        static_cast<TPlayCDEventAction&>(c.Actions().Add(std::make_unique<TPlayCDEventAction>()));
    cd.SetRepeatType(rtMinutes);
    cd.SetMinutes(40000);
    auto& net = c.Actions().Add(std::make_unique<TSendNetEventAction>());
    (void)net;

    QElapsedTimer clock;
    clock.start();
    c.ExecuteIfEnabled();
    EXPECT_LT(clock.elapsed(), 2000) << "sending must not hold the arising";
    EXPECT_TRUE(errors.empty());
    ASSERT_TRUE(WaitFor([&] { return errors.size() >= 2; }));
    EXPECT_EQ(errors[0], "Integer overflow");
    EXPECT_NE(errors[1].find("you@example.org"), std::string::npos) << errors[1];
    EXPECT_NE(errors[1].find("Due"), std::string::npos) << errors[1];
    actions.SetMailOptions(nullptr);
}

TEST_F(PlatformActionsTest, UninstallingEmptiesTheContext) {
    EXPECT_NE(ActionContext().Player, nullptr);
    actions.Uninstall();
    EXPECT_EQ(ActionContext().Player, nullptr);
    EXPECT_EQ(ActionContext().Timers, nullptr);
}

} // namespace
} // namespace kelvo
