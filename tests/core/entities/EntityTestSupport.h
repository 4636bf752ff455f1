#pragma once

// An action that counts what is done to it, and a notebook that records what the template
// tree asks of it.

#include "core/actions/EventAction.h"
#include "core/entities/EventTemplate.h"
#include "core/stream/PropertyTable.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace kelvo::test {

class TCountingAction : public TEventAction {
    KELVO_PERSISTENT(TCountingAction)
    std::string DoGetDescription() const override { return "counting " + label; }
    void Execute() override { ++executed; }
    bool IsEmpty() const override { return false; }
    void EventClosed() override { ++closed; }

    std::string label;
    int executed = 0;
    int closed = 0;
};

inline const TClassInfo& TCountingAction::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TCountingAction, TEventAction>("TCountingAction").Build();
    return info;
}

// Replaces the entity's actions by one counting action and answers it.
inline TCountingAction& CountActions(TWaitingAriseEntity& entity, const std::string& label = {}) {
    auto& list = entity.EventAction().Actions();
    list.Clear();
    auto& action = static_cast<TCountingAction&>(list.Add(std::make_unique<TCountingAction>()));
    action.label = label;
    return action;
}

class RecordingNotebook : public ITemplateNotebook {
public:
    void RenameTemplate(const std::string& oldName, const std::string& newName) override {
        for (auto& e : events)
            if (e->Template() == oldName)
                e->SetTemplate(newName);
    }
    std::vector<TEvent*> EventsOfTemplate(const std::string& name) override {
        std::vector<TEvent*> found;
        for (auto& e : events)
            if (e->Template() == name)
                found.push_back(e.get());
        return found;
    }
    void DeleteEvents(const std::vector<TEvent*>& batch) override {
        ++batches;
        std::erase_if(events, [&](const std::unique_ptr<TEvent>& e) {
            return std::find(batch.begin(), batch.end(), e.get()) != batch.end();
        });
    }
    void AddEvent(std::unique_ptr<TEvent> event) override { events.push_back(std::move(event)); }
    void Save() override { ++saves; }

    TEvent& Add(const std::string& templateName, const std::string& message = "m") {
        auto e = std::make_unique<TEvent>();
        e->SetTemplate(templateName);
        e->SetWindowMessage(message);
        events.push_back(std::move(e));
        return *events.back();
    }
    int CountOf(const std::string& name) { return static_cast<int>(EventsOfTemplate(name).size()); }

    std::vector<std::unique_ptr<TEvent>> events;
    int batches = 0;
    int saves = 0;
};

} // namespace kelvo::test
