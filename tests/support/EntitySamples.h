#pragma once

// Events and template trees with varied, non-default content, for round trips, benchmarks
// and fuzzer seeds.

#include "core/entities/EventTemplate.h"
#include "core/entities/Reminder.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"

#include <memory>
#include <string>
#include <vector>

namespace kelvo::samples {

// An event once at when that only shows message: no beep, no other action.
inline std::unique_ptr<TEvent> SilentEventOnceAt(TDateTime when, const std::string& message) {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(message);
    e->EventAction().Actions().Clear();
    e->InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(when));
    return e;
}

// Event i of a varied notebook: several actions, every third with a reminder, options,
// states, colours by name and by value.
inline std::unique_ptr<TEvent> VariedEvent(int i) {
    static const char* const templates[] = {"Miscellaneous", "Work", "Home", "Birthdays", "Travel"};
    auto e = std::make_unique<TEvent>();
    e->SetTemplate(templates[i % 5]);
    e->SetWindowMessage("Event number " + std::to_string(i) + "\r\nsecond line of the message");
    e->SetOptions(TEventOptions::FromBits(static_cast<std::uint8_t>(i * 37)));
    e->SetDefaultSnoozeNumber(1 + i % 30);
    e->SetDefaultSnoozePeriod(static_cast<TPeriodType>(i % 7));
    e->SetIconFileName(i % 2 ? "Icons.dll" : "");
    e->SetIconFileId(i % 40);
    e->SetMessageColor(i % 3 ? clBtnFace : clYellow);
    e->SetWindowColor(i % 4 ? 0x00ABCDEF : clWhite);
    const TDateTime at = EncodeDateTime(2024, 1 + i % 12, 1 + i % 28, i % 24, (i * 7) % 60);
    e->InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(at));
    e->SetCreationTime(EncodeDateTime(2023, 12, 1, 8, 0));
    auto& actions = e->EventAction().Actions();
    if (i % 4 == 0) {
        auto media = std::make_unique<TPlayMediaEventAction>();
        media->SetFileName("Sounds/alarm" + std::to_string(i % 10) + ".mp3");
        media->SetRepeatType(rtTimes);
        media->SetTimes(3);
        media->SetVolume(80);
        actions.Add(std::move(media));
    }
    if (i % 3 == 0) {
        auto launch = std::make_unique<TLaunchAppEventAction>();
        launch->SetFileName("/usr/bin/backup");
        launch->SetParams("--all");
        actions.Add(std::move(launch));
    }
    if (i % 7 == 0) {
        auto mail = std::make_unique<TSendMailAction>();
        mail->SetSendTo("ann@example.org");
        mail->SetSubject("Reminder " + std::to_string(i));
        mail->SetBody("Do not forget.");
        actions.Add(std::move(mail));
    }
    if (i % 3 == 1) {
        e->SetHasReminder(true);
        TReminder& r = *e->Reminder();
        r.SetActionAsOwner(i % 2 == 0);
        r.InitializeCondition().Conditions().Add(std::make_unique<TReminderInitializeCondition>());
        auto cd = std::make_unique<TPlayCDEventAction>();
        cd->SetTrack(1 + i % 12);
        cd->SetRepeatType(rtMinutes);
        cd->SetMinutes(5);
        r.EventAction().Actions().Add(std::move(cd));
    }
    e->SetState(static_cast<TEventState>(i % 6));
    return e;
}

inline std::vector<std::unique_ptr<TEvent>> VariedEvents(int count) {
    std::vector<std::unique_ptr<TEvent>> events;
    for (int i = 0; i < count; ++i)
        events.push_back(VariedEvent(i));
    return events;
}

inline std::unique_ptr<TEventTemplate> SampleTemplate(const std::string& name, bool quickly) {
    auto t = std::make_unique<TEventTemplate>();
    t->SetTemplate(name);
    t->SetWindowMessage("Template " + name);
    t->SetQuickly(quickly);
    return t;
}

// Work(Meetings(Weekly), Calls), Home, Miscellaneous(Odd).
inline void FillSampleTree(TTemplateTree& tree) {
    tree.Clear();
    tree.EnsureDefaultTemplate();
    TTemplateNode& work = tree.AddTemplate(nullptr, -1, SampleTemplate("Work", true));
    TTemplateNode& meetings = tree.AddTemplate(&work, -1, SampleTemplate("Meetings", false));
    tree.AddTemplate(&meetings, -1, SampleTemplate("Weekly", false));
    tree.AddTemplate(&work, -1, SampleTemplate("Calls", true));
    tree.AddTemplate(nullptr, -1, SampleTemplate("Home", false));
    tree.AddTemplate(tree.DefaultTemplateNode(), -1, SampleTemplate("Odd", false));
}

} // namespace kelvo::samples
