#include "core/actions/EventAction.h"

#include "core/actions/ActionFakes.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using test::ActionTest;
using Calls = std::vector<std::string>;

template <class T> T& AddAction(TComplexEventAction& c) {
    return static_cast<T&>(c.Actions().Add(std::make_unique<T>()));
}

// ---- descriptions and emptiness ----------------------------------------------------------

TEST(EventActionDescription, EveryKind) {
    EXPECT_EQ(TBeepEventAction().GetDescription(), "Beep");

    TPlayMediaEventAction media;
    EXPECT_TRUE(media.IsEmpty());
    EXPECT_EQ(media.GetDescription(), "Empty action. Set action params please...");
    media.SetFileName("Alarm.wav");
    EXPECT_EQ(media.GetDescription(), "Play media file \"Alarm.wav\"");

    TPlayCDEventAction cd;
    EXPECT_EQ(cd.GetDescription(), "Play CD track 1");
    cd.SetShuffle(true);
    EXPECT_EQ(cd.GetDescription(), "Play random CD track");
    cd.SetTrack(0);
    EXPECT_TRUE(cd.IsEmpty());

    TLaunchAppEventAction launch;
    EXPECT_EQ(launch.GetDescription(), "Empty action. Set action params please...");
    EXPECT_EQ(launch.DoGetDescription(), "");
    launch.SetFileName("notepad.exe");
    EXPECT_EQ(launch.GetDescription(), "Open notepad.exe");

    TSendNetEventAction net;
    EXPECT_TRUE(net.IsEmpty());
    EXPECT_EQ(net.DoGetDescription(), "Send net message");
    EXPECT_EQ(net.GetDescription(), "Empty action. Set action params please...");
}

TEST(EventActionDescription, MailIsEmptyWithoutRecipientUnlessSubjectAndBodyAreGiven) {
    TSendMailAction m;
    EXPECT_TRUE(m.IsEmpty());
    m.SetSubject("Due");
    EXPECT_TRUE(m.IsEmpty());
    m.SetBody("Text");
    EXPECT_FALSE(m.IsEmpty());
    EXPECT_EQ(m.GetDescription(), "Send email to ");
    m.SetSubject("");
    m.SetSendTo("a@b.c");
    EXPECT_FALSE(m.IsEmpty());
    EXPECT_EQ(m.GetDescription(), "Send email to a@b.c");
}

TEST(EventActionDescription, RepetitionText) {
    TPlayMediaEventAction a;
    EXPECT_EQ(a.TRepeatableEventAction::DoGetDescription(), "");
    a.SetRepeatType(rtTimes);
    a.SetTimes(3);
    EXPECT_EQ(a.TRepeatableEventAction::DoGetDescription(), "repeat 3 time(s)");
    a.SetRepeatType(rtMinutes);
    a.SetMinutes(5);
    EXPECT_EQ(a.TRepeatableEventAction::DoGetDescription(), "repeat 5 minute(s)");
}

TEST(EventActionDescription, Lists) {
    TComplexEventAction c;
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.GetDescription(), "None action");

    AddAction<TSendNetEventAction>(c);
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.GetDescription(), "Empty action. Set action params please...");
    c.Actions().Clear();

    AddAction<TBeepEventAction>(c);
    EXPECT_EQ(c.GetDescription(), "Beep");
    AddAction<TLaunchAppEventAction>(c).SetFileName("notepad.exe");
    EXPECT_EQ(c.GetDescription(), "<<Beep>>, <<Open notepad.exe>>");
    AddAction<TSendNetEventAction>(c);
    EXPECT_EQ(c.GetDescription(), "<<Beep>>, <<Open notepad.exe>>, <<Empty action. Set action "
                                  "params please...>>");
    EXPECT_FALSE(c.IsEmpty());
}

// ---- copying -----------------------------------------------------------------------------

TEST(EventActionCopy, AcrossKindsOnlyCommonAncestorsAreCopied) {
    TPlayMediaEventAction media;
    media.SetRepeatType(rtMinutes);
    media.SetMinutes(5);
    media.SetTimes(4);
    media.SetVolume(70);
    media.SetShuffle(true);
    media.SetStopIfEventClose(false);
    media.SetFileName("a.mp3");

    TPlayCDEventAction cd;
    cd.SetTrack(6);
    cd.Assign(media);
    EXPECT_EQ(cd.RepeatType(), rtMinutes);
    EXPECT_EQ(cd.Minutes(), 5);
    EXPECT_EQ(cd.Times(), 1) << "only the count in use is copied";
    EXPECT_EQ(cd.Volume(), 70);
    EXPECT_TRUE(cd.Shuffle());
    EXPECT_FALSE(cd.StopIfEventClose());
    EXPECT_EQ(cd.Track(), 6);

    TLaunchAppEventAction launch;
    launch.SetFileName("x");
    launch.Assign(media);
    EXPECT_EQ(launch.FileName(), "x");

    TEventActionList notAnAction;
    EXPECT_THROW(launch.Assign(static_cast<const TPersistent&>(notAnAction)), EEventActionError);
}

TEST(EventActionCopy, ReplaceKeepsTheObjectOfTheSameClassOnly) {
    TEventActionList list;
    auto& first = list.Add(std::make_unique<TPlayMediaEventAction>());
    TPlayMediaEventAction source;
    source.SetFileName("b.wav");
    list.Replace(0, source);
    EXPECT_EQ(&list.Items(0), &first);
    EXPECT_EQ(static_cast<TPlayMediaEventAction&>(first).FileName(), "b.wav");

    TLaunchAppEventAction launch;
    launch.SetFileName("notepad.exe");
    list.Replace(0, launch);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0).ClassName(), "TLaunchAppEventAction");
    EXPECT_EQ(list.Items(0).GetDescription(), "Open notepad.exe");
    EXPECT_NE(&list.Items(0), static_cast<TEventAction*>(&launch));
    EXPECT_THROW(list.Replace(1, launch), EEventActionError);
}

TEST(EventActionCopy, ListsAndComplexActionsGetTheirOwnCopies) {
    TComplexEventAction a;
    AddAction<TBeepEventAction>(a);
    AddAction<TLaunchAppEventAction>(a).SetFileName("notepad.exe");
    a.Actions().AddCopies(a.Actions());
    ASSERT_EQ(a.Actions().Count(), 4);

    TComplexEventAction b;
    AddAction<TSendNetEventAction>(b);
    TEventActionList* bList = &b.Actions();
    b.Assign(a);
    EXPECT_EQ(&b.Actions(), bList);
    ASSERT_EQ(b.Actions().Count(), 4);
    EXPECT_NE(&b.Actions().Items(1), &a.Actions().Items(1));
    EXPECT_EQ(b.GetDescription(), a.GetDescription());

    auto clone = a.Clone();
    EXPECT_EQ(clone->ClassName(), "TComplexEventAction");
    EXPECT_EQ(clone->GetDescription(), a.GetDescription());

    b.SetDefaults();
    EXPECT_EQ(b.Actions().Count(), 0);
    b.SetActions(a.Actions());
    EXPECT_EQ(b.Actions().Count(), 4);

    TEventAction* second = &b.Actions().Items(1);
    EXPECT_EQ(b.Actions().IndexOf(second), 1);
    b.Actions().Remove(second);
    EXPECT_EQ(b.Actions().Count(), 3);
    EXPECT_EQ(b.Actions().IndexOf(second), -1);
    EXPECT_THROW(b.Actions().Add(nullptr), EEventActionError);
}

TEST(EventActionCopy, SetDefaultsRestoresTheInitialValues) {
    TPlayCDEventAction cd;
    cd.SetRepeatType(rtTimes);
    cd.SetTimes(4);
    cd.SetStopIfEventClose(false);
    cd.SetVolume(10);
    cd.SetShuffle(true);
    cd.SetTrack(9);
    cd.SetDefaults();
    EXPECT_EQ(cd.RepeatType(), rtNone);
    EXPECT_EQ(cd.Times(), 1);
    EXPECT_EQ(cd.Minutes(), 1);
    EXPECT_TRUE(cd.StopIfEventClose());
    EXPECT_EQ(cd.Volume(), -1);
    EXPECT_FALSE(cd.Shuffle());
    EXPECT_EQ(cd.Track(), 1);

    TSendMailAction m;
    m.SetSendTo("a");
    m.SetBody("b");
    m.SetDefaults();
    EXPECT_TRUE(m.IsEmpty());
}

TEST(EventActionKinds, TableOrderAndIndex) {
    const char* names[] = {"TBeepEventAction",      "TPlayMediaEventAction", "TPlayCDEventAction",
                           "TLaunchAppEventAction", "TSendMailAction",       "TSendNetEventAction"};
    for (int i = 0; i < ActionKindCount; ++i) {
        EXPECT_EQ(ActionKindTable()[static_cast<std::size_t>(i)]->Name(), names[i]);
        auto a = CreateActionOfKind(i);
        EXPECT_EQ(a->ClassName(), names[i]);
        EXPECT_EQ(ActionKindIndex(*a), i);
    }
    EXPECT_EQ(ActionKindIndex(TComplexEventAction()), -1);
    EXPECT_THROW(CreateActionOfKind(6), EEventActionError);
}

// ---- execution ---------------------------------------------------------------------------

TEST_F(ActionTest, ListRunsInOrderAndTheLastSoundIsHeard) {
    TComplexEventAction c;
    AddAction<TPlayMediaEventAction>(c).SetFileName("a.wav");
    auto& launch = AddAction<TLaunchAppEventAction>(c);
    launch.SetFileName("/usr/bin/gedit");
    launch.SetParams("notes.txt");
    launch.SetDirectory("/home/u");
    auto& cd = AddAction<TPlayCDEventAction>(c);
    cd.SetTrack(3);
    cd.SetVolume(60);
    c.ExecuteIfEnabled();
    EXPECT_EQ(player.calls, (Calls{"media a.wav -1", "cd 3 60"}));
    EXPECT_EQ(shell.calls, Calls{"open /usr/bin/gedit|notes.txt|/home/u"});
    EXPECT_EQ(player.current, static_cast<IAudioClient*>(&cd));
}

TEST_F(ActionTest, BeepPlaysFourTonesOrTheBeepFile) {
    TBeepEventAction beep;
    beep.ExecuteIfEnabled();
    EXPECT_EQ(tones.tones, (Calls{"440/250", "440/250", "440/250", "349/300"}));
    EXPECT_TRUE(player.calls.empty());

    ActionContext().UseWavForBeep = true;
    ActionContext().BeepFileName = "Sounds/Beep.wav";
    beep.ExecuteIfEnabled();
    EXPECT_EQ(player.calls, Calls{"media Sounds/Beep.wav -1"});
    EXPECT_EQ(player.current, nullptr) << "nobody hears of the end of the beep file";
    EXPECT_EQ(tones.tones.size(), 4u);
}

TEST_F(ActionTest, WebAddressesAreOpenedAsDocuments) {
    TLaunchAppEventAction a;
    a.SetFileName("HTTPS://example.org/a b");
    a.SetParams("ignored");
    a.SetDirectory("/ignored");
    a.ExecuteIfEnabled();
    a.SetFileName("report.pdf");
    a.ExecuteIfEnabled();
    shell.result = false; // a failure is silent
    a.SetFileName("htt");
    EXPECT_NO_THROW(a.ExecuteIfEnabled());
    EXPECT_EQ(shell.calls,
              (Calls{"document HTTPS://example.org/a b", "open report.pdf|ignored|/ignored",
                     "open htt|ignored|/ignored"}));
}

TEST_F(ActionTest, MailIsHandedToTheMailerAndReportsWhenDone) {
    TSendMailAction m;
    m.SetSubject("Due");
    m.SetBody("Text");
    m.SetFileName("/tmp/a.txt");
    std::vector<std::string> finished;
    ActionContext().OnMailFinished = [&](const TSendMailAction& a, const std::string& error) {
        finished.push_back(a.Subject() + ":" + error);
    };
    m.ExecuteIfEnabled();
    ASSERT_EQ(mailer.sent, Calls{"|Due|Text|/tmp/a.txt"});
    mailer.done[0]("refused");
    EXPECT_EQ(finished, Calls{"Due:refused"});

    mailer.available = false; // no mail settings: nothing is sent, nothing fails
    EXPECT_NO_THROW(m.ExecuteIfEnabled());
    EXPECT_EQ(mailer.sent.size(), 1u);
}

TEST_F(ActionTest, MailFinishingAfterItsActionIsGoneIsStillReported) {
    std::string finished;
    ActionContext().OnMailFinished = [&](const TSendMailAction& a, const std::string&) {
        finished = a.SendTo();
    };
    {
        TSendMailAction m;
        m.SetSendTo("a@b.c");
        m.Execute();
    }
    mailer.done.at(0)("");
    EXPECT_EQ(finished, "a@b.c");
}

TEST_F(ActionTest, SoundSwitchSilencesOnlySounds) {
    TComplexEventAction c;
    AddAction<TBeepEventAction>(c);
    AddAction<TPlayMediaEventAction>(c).SetFileName("a.wav");
    AddAction<TPlayCDEventAction>(c);
    AddAction<TLaunchAppEventAction>(c).SetFileName("xterm");
    AddAction<TSendMailAction>(c).SetSendTo("a@b.c");
    switches.SetAlarmMode(1);
    c.ExecuteIfEnabled();
    EXPECT_TRUE(tones.tones.empty());
    EXPECT_TRUE(player.calls.empty());
    EXPECT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(mailer.sent.size(), 1u);

    switches.SetAlarmMode(2);
    c.ExecuteIfEnabled();
    EXPECT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(mailer.sent.size(), 1u);

    switches.SetAlarmMode(0);
    c.ExecuteIfEnabled();
    EXPECT_EQ(tones.tones.size(), 4u);
    EXPECT_EQ(player.calls.size(), 2u);
    EXPECT_EQ(shell.calls.size(), 2u);
}

TEST_F(ActionTest, EveryActionRunsAndTheErrorsAreReportedOnceAfterTheRun) {
    TComplexEventAction c;
    auto& tooLong = AddAction<TPlayCDEventAction>(c);
    tooLong.SetRepeatType(rtMinutes);
    tooLong.SetMinutes(35792); // more milliseconds than 32 bits hold
    AddAction<TLaunchAppEventAction>(c).SetFileName("xterm");
    AddAction<TPlayMediaEventAction>(c).SetFileName("a.wav");
    AddAction<TSendMailAction>(c).SetSendTo("a@b.c");

    player.failWith = "Error during mixerOpen";
    std::vector<std::vector<std::string>> reports;
    ActionContext().OnErrors = [&](const EEventActionError& e) { reports.push_back(e.Messages()); };
    c.ExecuteIfEnabled();
    EXPECT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(mailer.sent.size(), 1u);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], (Calls{"Integer overflow", "Error during mixerOpen"}));
    EXPECT_EQ(timers.Count(), 0u) << "the failed action leaves no timer behind";
    EXPECT_FALSE(c.Executing());

    // Without a handler the errors are thrown, once, after every action has run.
    ActionContext().OnErrors = nullptr;
    try {
        c.ExecuteIfEnabled();
        ADD_FAILURE() << "no error";
    } catch (const EEventActionError& e) {
        EXPECT_EQ(std::string(e.what()), "Integer overflow\nError during mixerOpen");
    }
    EXPECT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(mailer.sent.size(), 2u);

    auto outcomes = c.Actions().RunAll();
    ASSERT_EQ(outcomes.size(), 4u);
    EXPECT_TRUE(outcomes[0].Failed);
    EXPECT_EQ(outcomes[0].Description, "Play CD track 1");
    EXPECT_FALSE(outcomes[1].Failed);
    EXPECT_EQ(outcomes[2].Error, "Error during mixerOpen");
    EXPECT_FALSE(outcomes[3].Failed);
}

TEST_F(ActionTest, ActionsSwitchStopsEverythingButErrorsStayQuiet) {
    TComplexEventAction c;
    auto& cd = AddAction<TPlayCDEventAction>(c);
    cd.SetRepeatType(rtMinutes);
    cd.SetMinutes(99999);
    switches.SetAlarmMode(3);
    EXPECT_NO_THROW(c.ExecuteIfEnabled());
    EXPECT_TRUE(player.calls.empty());
}

// ---- repetition and stopping -------------------------------------------------------------

TEST_F(ActionTest, ByTimesPlaysThatOftenThenStops) {
    TPlayMediaEventAction a;
    a.SetFileName("a.wav");
    a.SetRepeatType(rtTimes);
    a.SetTimes(3);
    a.Execute();
    player.Finish();
    player.Finish();
    EXPECT_EQ(a.PlayCount(), 2);
    player.Finish();
    EXPECT_EQ(player.calls, (Calls{"media a.wav -1", "media a.wav -1", "media a.wav -1", "stop"}));
    EXPECT_EQ(a.PlayCount(), 0);
    EXPECT_EQ(player.current, nullptr);
}

TEST_F(ActionTest, WithoutRepetitionOnePerformanceThenStop) {
    TPlayMediaEventAction a;
    a.SetFileName("a.wav");
    a.Execute();
    player.Finish();
    EXPECT_EQ(player.calls, (Calls{"media a.wav -1", "stop"}));
}

TEST_F(ActionTest, TimesBelowOneRepeatsUntilStopped) {
    TPlayMediaEventAction a;
    a.SetFileName("a.wav");
    a.SetRepeatType(rtTimes);
    a.SetTimes(0);
    a.Execute();
    for (int i = 0; i < 5; ++i)
        player.Finish();
    EXPECT_EQ(player.Count("media"), 6);
    a.EventClosed();
    EXPECT_EQ(player.calls.back(), "stop");
}

TEST_F(ActionTest, ByMinutesRepeatsUntilTheTimerEndsIt) {
    TPlayMediaEventAction a;
    a.SetFileName("a.wav");
    a.SetRepeatType(rtMinutes);
    a.SetMinutes(1);
    a.Execute();
    ASSERT_NE(a.MinutesTimerId(), 0);
    EXPECT_TRUE(timers.Active());
    // A 25-second file: it starts at 0, 25 and 50 seconds.
    time.Advance(25000);
    player.Finish();
    time.Advance(25000);
    player.Finish();
    EXPECT_EQ(player.Count("media"), 3);
    time.Advance(9000);
    EXPECT_TRUE(player.playing);
    time.Advance(1100);
    EXPECT_FALSE(player.playing) << "cut off when the minute ends";
    EXPECT_EQ(player.calls.back(), "stop");
    EXPECT_EQ(a.MinutesTimerId(), 0);
    EXPECT_EQ(timers.Count(), 0u);
    time.Advance(120000);
    EXPECT_EQ(player.Count("media"), 3);
}

TEST_F(ActionTest, ExecutingAgainReplacesThePendingMinutesTimer) {
    TPlayMediaEventAction a;
    a.SetFileName("a.wav");
    a.SetRepeatType(rtMinutes);
    a.SetMinutes(2);
    a.Execute();
    const auto first = a.MinutesTimerId();
    time.Advance(90000);
    a.Execute();
    EXPECT_NE(a.MinutesTimerId(), first);
    EXPECT_EQ(timers.Count(), 1u);
    time.Advance(60000); // the first timer would have ended the sound now
    EXPECT_TRUE(player.playing);
    time.Advance(61000);
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(timers.Count(), 0u);
}

TEST_F(ActionTest, StoppingDeletesThePendingMinutesTimer) {
    TPlayMediaEventAction a;
    a.SetFileName("a.wav");
    a.SetRepeatType(rtMinutes);
    a.SetMinutes(1);
    a.Execute();
    a.Stop();
    EXPECT_EQ(timers.Count(), 0u);
    EXPECT_EQ(a.MinutesTimerId(), 0);
    // A later sound of the same action is not cut off by the old minute.
    a.SetRepeatType(rtTimes);
    a.SetTimes(5);
    a.Execute();
    time.Advance(70000);
    EXPECT_TRUE(player.playing);
}

TEST_F(ActionTest, DestroyingAnActionDeletesItsTimerAndSilencesItsSound) {
    {
        TPlayMediaEventAction a;
        a.SetFileName("a.wav");
        a.SetRepeatType(rtMinutes);
        a.SetMinutes(1);
        a.Execute();
        EXPECT_EQ(timers.Count(), 1u);
    }
    EXPECT_EQ(timers.Count(), 0u);
    EXPECT_EQ(player.calls.back(), "stop");
    EXPECT_NO_THROW(time.Advance(120000));
}

TEST_F(ActionTest, AnActionOutlivingItsTimerListForgetsTheTimer) {
    TPlayMediaEventAction a;
    a.SetFileName("a.wav");
    a.SetRepeatType(rtMinutes);
    {
        TTimerList ending(time, time);
        ActionContext().Timers = &ending;
        a.Execute();
        EXPECT_EQ(ending.Count(), 1u);
        ActionContext().Timers = nullptr; // taken out before it is destroyed
    }
    a.Stop();
    EXPECT_EQ(a.MinutesTimerId(), 0);
    EXPECT_FALSE(player.playing);
}

TEST_F(ActionTest, StopSilencesOnlyTheActionsOwnSound) {
    TComplexEventAction first, second;
    auto& a = AddAction<TPlayMediaEventAction>(first);
    a.SetFileName("a.wav");
    auto& b = AddAction<TPlayMediaEventAction>(second);
    b.SetFileName("b.wav");
    first.Execute();
    second.Execute(); // takes the player away from a
    first.EventClosed();
    first.Stop();
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(player.current, static_cast<IAudioClient*>(&b));
    // Only the new owner hears of the end.
    player.Finish();
    EXPECT_EQ(b.PlayCount(), 0);
    EXPECT_EQ(a.PlayCount(), 0);
    EXPECT_EQ(player.calls, (Calls{"media a.wav -1", "media b.wav -1", "stop"}));
}

TEST_F(ActionTest, ClosingTheEventStopsOnlyWhatAsksForIt) {
    TComplexEventAction c;
    auto& stops = AddAction<TPlayMediaEventAction>(c);
    stops.SetFileName("a.wav");
    stops.SetRepeatType(rtTimes);
    stops.SetTimes(10);
    c.Execute();
    c.EventClosed();
    EXPECT_FALSE(player.playing);

    stops.SetStopIfEventClose(false);
    c.Execute();
    c.EventClosed();
    EXPECT_TRUE(player.playing);
    player.Finish();
    EXPECT_EQ(player.Count("media"), 3);
    c.Stop();
    EXPECT_FALSE(player.playing);
}

TEST_F(ActionTest, ACdTrackThatPlaysForTheActionIsNotRestarted) {
    TPlayCDEventAction cd;
    cd.SetTrack(2);
    cd.Execute();
    cd.Execute();
    EXPECT_EQ(player.calls, Calls{"cd 2 -1"});
    cd.SetShuffle(true);
    player.playing = false;
    cd.Execute();
    EXPECT_EQ(player.calls.back(), "cd -1 -1");
}

TEST_F(ActionTest, NetMessageDoesNothing) {
    TSendNetEventAction net;
    net.ExecuteIfEnabled();
    EXPECT_TRUE(player.calls.empty());
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(mailer.sent.empty());
    EXPECT_TRUE(tones.tones.empty());
}

TEST_F(ActionTest, WithoutAnyOutsideWorldNothingHappensAndNothingFails) {
    ActionContext() = TActionContext{};
    TComplexEventAction c;
    for (int kind = 0; kind < ActionKindCount; ++kind)
        c.Actions().Add(CreateActionOfKind(kind));
    static_cast<TPlayMediaEventAction&>(c.Actions().Items(1)).SetRepeatType(rtMinutes);
    EXPECT_NO_THROW(c.Execute());
    EXPECT_NO_THROW(c.EventClosed());
}

} // namespace
} // namespace kelvo

namespace kelvo {
namespace {

TEST(EventActionWeb, EscapeUrlAndTheWebPrefix) {
    EXPECT_EQ(EscapeUrl("http://a.b/c d"), "http://a.b/c%20d");
    EXPECT_EQ(EscapeUrl("\"#%'<>[\\]^{|}~"), "%22%23%25%27%3C%3E%5B%5C%5D%5E%7B%7C%7D%7E");
    EXPECT_EQ(EscapeUrl(std::string("\x01\x1F\x7F\xFF", 4)), "%01%1F%7F%FF");
    EXPECT_EQ(EscapeUrl(std::string(1, '\0')), "%00");
    EXPECT_EQ(EscapeUrl("a-z_A.Z0!$&()*+,/:;=?@`"), "a-z_A.Z0!$&()*+,/:;=?@`");
    EXPECT_TRUE(IsWebAddress("HtTp"));
    EXPECT_TRUE(IsWebAddress("https://x"));
    EXPECT_FALSE(IsWebAddress("htt"));
    EXPECT_FALSE(IsWebAddress(" http://x"));
}

} // namespace
} // namespace kelvo
