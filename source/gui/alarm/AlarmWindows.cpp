#include "gui/alarm/AlarmWindows.h"

#include "core/actions/AlarmSwitches.h"
#include "core/entities/Event.h"
#include "core/runtime/RemNotebook.h"
#include "gui/alarm/fmAlarmMessage.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QStyle>
#include <algorithm>
#include <utility>

namespace kelvo {

TAlarmWindows::TAlarmWindows(TReminderNotebook& notebook, QWidget* parent)
    : notebook_(notebook), parent_(parent), self_(std::make_shared<TAlarmWindows*>(this)) {}

TAlarmWindows::~TAlarmWindows() {
    self_.reset();
    for (const QPointer<TAlarmMessageForm>& form : forms_) {
        if (!form)
            continue;
        form->Detach();
        delete form.data();
    }
}

void TAlarmWindows::Connect() {
    const std::weak_ptr<TAlarmWindows*> self = self_;
    using THandler = void (TAlarmWindows::*)(TWaitingAriseEntity&, TDateTime);
    auto chain = [&self](TReminderNotebook::TEntityCallback previous, THandler handler) {
        return
            [self, previous = std::move(previous), handler](TWaitingAriseEntity& e, TDateTime t) {
                if (auto s = self.lock())
                    ((*s)->*handler)(e, t);
                if (previous)
                    previous(e, t);
            };
    };
    notebook_.OnEventArise = chain(std::move(notebook_.OnEventArise), &TAlarmWindows::EventArisen);
    notebook_.OnEventLate = chain(std::move(notebook_.OnEventLate), &TAlarmWindows::EventLate);
    notebook_.OnSnoozeArise =
        chain(std::move(notebook_.OnSnoozeArise), &TAlarmWindows::SnoozeArisen);
    notebook_.OnEventRemoved = [self, previous = std::move(notebook_.OnEventRemoved)](TEvent& e) {
        if (auto s = self.lock())
            (*s)->EventRemoved(e);
        if (previous)
            previous(e);
    };
}

void TAlarmWindows::EventArisen(TWaitingAriseEntity& entity, TDateTime) {
    Arisen(entity, false);
}

void TAlarmWindows::EventLate(TWaitingAriseEntity& entity, TDateTime) {
    Arisen(entity, true);
}

void TAlarmWindows::SnoozeArisen(TWaitingAriseEntity& entity, TDateTime) {
    Arisen(entity, false);
}

void TAlarmWindows::Arisen(TWaitingAriseEntity& entity, bool overdue) {
    if (!AlarmSwitches().AlarmWindowsEnabled())
        return;
    TEvent* owner = TReminderNotebook::OwnerEventOf(entity);
    if (owner == nullptr)
        return;
    const bool isEventAlarm = static_cast<TWaitingAriseEntity*>(owner) == &entity;
    if (owner->HasOption(isEventAlarm ? eoAlarmWindowOnEvent : eoAlarmWindowOnReminder))
        ShowAlarm(*owner, isEventAlarm, overdue);
}

void TAlarmWindows::EventRemoved(TEvent& event) {
    // Answered as by Close: the event stops its sounds; the close handler finds it gone.
    if (TAlarmMessageForm* form = FindAlarmWindow(event))
        form->CloseAlarm();
}

TAlarmMessageForm& TAlarmWindows::ShowAlarm(TEvent& event, bool isEventAlarm, bool overdue) {
    Prune();
    TAlarmMessageForm* form = FindAlarmWindow(event);
    if (form == nullptr) {
        auto created = std::make_unique<TAlarmMessageForm>(parent_.data());
        created->Attach(event, isEventAlarm, overdue);
        form = created.release();
        forms_.emplace_back(form);
    }
    QIcon icon = EventIcon ? EventIcon(event) : QIcon();
    if (icon.isNull())
        icon = DefaultEventIcon(event);
    form->ApplyLook(icon);
    const std::weak_ptr<TAlarmWindows*> self = self_;
    form->OnAlarmClosed = [self](TEvent& e) {
        if (auto s = self.lock())
            (*s)->AlarmClosed(e);
    };
    form->OnFindEvent = [self](TEvent& e) {
        if (auto s = self.lock(); s && (*s)->OnFindEvent)
            (*s)->OnFindEvent(e);
    };
    form->Present();
    return *form;
}

TAlarmMessageForm* TAlarmWindows::FindAlarmWindow(const TEvent& event) const {
    for (const QPointer<TAlarmMessageForm>& form : forms_)
        if (form && form->AttachedEvent() == &event)
            return form.data();
    return nullptr;
}

void TAlarmWindows::CloseAllAlarmWindows() {
    Prune();
    for (const QPointer<TAlarmMessageForm>& form : forms_)
        if (form && form->AttachedEvent())
            form->close();
}

int TAlarmWindows::Count() const {
    return static_cast<int>(std::count_if(forms_.begin(), forms_.end(), [](const auto& form) {
        return form && form->AttachedEvent() != nullptr;
    }));
}

void TAlarmWindows::AlarmClosed(TEvent& event) {
    // A window answered because its event is leaving the notebook: the deletion is under
    // way and must be the only one.
    if (!notebook_.Contains(event))
        return;
    if (std::find(closing_.begin(), closing_.end(), &event) != closing_.end())
        return;
    closing_.push_back(&event);
    struct TLeave {
        std::vector<const TEvent*>& closing;
        const TEvent* event;
        ~TLeave() { std::erase(closing, event); }
    } leave{closing_, &event};
    const bool erase = event.State() == esEnabled && event.HasOption(eoEraseAfterComing) &&
                       IsNullDate(event.NextAriseWithReminder(notebook_.Generator().LastTime())) &&
                       !(IsEventEdited && IsEventEdited(event));
    if (erase)
        notebook_.DeleteEvent(event);
    else
        notebook_.RearmEvent(event);
}

QIcon TAlarmWindows::DefaultEventIcon(const TEvent& event) {
    const QString file = TextFromCore(event.IconFileName());
    if (!file.isEmpty() && QFileInfo(file).isFile() && QImageReader(file).canRead()) {
        QIcon icon(file);
        if (!icon.isNull())
            return icon;
    }
    const QIcon fallback = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
    return QIcon::fromTheme(QStringLiteral("appointment-soon"), fallback);
}

void TAlarmWindows::Prune() {
    std::erase_if(forms_, [](const QPointer<TAlarmMessageForm>& form) { return form.isNull(); });
}

} // namespace kelvo
