#include "gui/alarm/AlarmWindows.h"

#include "core/actions/AlarmSwitches.h"
#include "core/actions/EventAction.h"
#include "core/entities/Event.h"
#include "core/entities/Reminder.h"
#include "core/runtime/RemNotebook.h"
#include "core/timers/ProgramFolders.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "platform/notify/DesktopNotifications.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <utility>

namespace kelvo {

TAlarmWindows::TAlarmWindows(TReminderNotebook& notebook, QWidget* parent)
    : notebook_(notebook), parent_(parent), self_(std::make_shared<TAlarmWindows*>(this)) {}

void TAlarmWindows::SetParentWindow(QWidget* parent) {
    parent_ = parent;
}

TAlarmWindows::~TAlarmWindows() {
    self_.reset();
    SetNotifications(nullptr);
    for (const QPointer<TAlarmMessageForm>& form : forms_) {
        if (!form)
            continue;
        form->Detach();
        delete form.data();
    }
}

void TAlarmWindows::SetNotifications(TDesktopNotifications* notifications) {
    if (notifications_ == notifications)
        return;
    if (notifications_) {
        QObject::disconnect(notifications_, nullptr, nullptr, nullptr);
        for (const auto& [id, form] : notified_)
            notifications_->Withdraw(id);
    }
    notified_.clear();
    notifications_ = notifications;
    if (!notifications)
        return;
    const std::weak_ptr<TAlarmWindows*> self = self_;
    QObject::connect(notifications, &TDesktopNotifications::actionInvoked, notifications,
                     [self](quint32 id, const QString& key) {
                         if (auto s = self.lock())
                             (*s)->NotificationAnswered(id, key);
                     });
    QObject::connect(notifications, &TDesktopNotifications::closed, notifications,
                     [self](quint32 id) {
                         // Dismissed: the window still stands for the alarm.
                         if (auto s = self.lock())
                             std::erase_if((*s)->notified_,
                                           [id](const auto& entry) { return entry.first == id; });
                     });
}

void TAlarmWindows::Notify(TAlarmMessageForm& form, const TEvent& event) {
    if (!notifications_)
        return;
    std::erase_if(notified_, [](const auto& entry) { return entry.second.isNull(); });
    for (const auto& entry : notified_)
        if (entry.second == &form)
            return; // one notification per window, however often it is presented
    auto tr = [](const char* text) { return QCoreApplication::translate("TAlarmWindows", text); };
    // The summary is the window's caption, which starts with the message's first line.
    QString body = TextFromCore(event.WindowMessage());
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const qsizetype firstBreak = body.indexOf(QLatin1Char('\n'));
    body = firstBreak < 0 ? QString() : body.mid(firstBreak + 1);
    const quint32 id =
        notifications_->Show(form.windowTitle(), body, QStringLiteral("appointment-soon"),
                             {{QStringLiteral("default"), tr("Show")},
                              {QStringLiteral("snooze"), tr("Snooze")},
                              {QStringLiteral("close"), tr("Close")}});
    if (id != 0)
        notified_.emplace_back(id, &form);
}

void TAlarmWindows::Withdraw(const TAlarmMessageForm* form) {
    for (auto it = notified_.begin(); it != notified_.end(); ++it)
        if (it->second == form) {
            if (notifications_)
                notifications_->Withdraw(it->first);
            notified_.erase(it);
            return;
        }
}

void TAlarmWindows::NotificationAnswered(quint32 id, const QString& key) {
    auto it = std::find_if(notified_.begin(), notified_.end(),
                           [id](const auto& entry) { return entry.first == id; });
    if (it == notified_.end())
        return;
    const QPointer<TAlarmMessageForm> form = it->second;
    if (!form || !form->AttachedEvent()) {
        notified_.erase(it);
        return;
    }
    if (key == QLatin1String("snooze"))
        form->SnoozeAlarm(); // withdraws through the close handler
    else if (key == QLatin1String("close"))
        form->CloseAlarm();
    else
        form->Present();
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
    TActionContext& context = ActionContext();
    context.OnSoundNotPlayed = [self, previous = std::move(context.OnSoundNotPlayed)](
                                   const IAudioClient* action, const std::string& fileName) {
        if (auto s = self.lock(); s && (*s)->SoundNotPlayed(action, fileName))
            return;
        if (previous) {
            previous(action, fileName);
            return;
        }
        // The actions' platform may come after the windows; its error report still says it.
        if (const auto& report = ActionContext().OnErrors) {
            const std::string text = "The sound \"" + fileName + "\" cannot be played.";
            report(EEventActionError(text, {text}));
        }
    };
}

void TAlarmWindows::EventArisen(TWaitingAriseEntity& entity, TDateTime) {
    Arisen(entity, false, NullDate);
}

void TAlarmWindows::EventLate(TWaitingAriseEntity& entity, TDateTime t) {
    Arisen(entity, true, t);
}

void TAlarmWindows::SnoozeArisen(TWaitingAriseEntity& entity, TDateTime) {
    Arisen(entity, false, NullDate);
}

void TAlarmWindows::Arisen(TWaitingAriseEntity& entity, bool overdue, TDateTime due) {
    if (!AlarmSwitches().AlarmWindowsEnabled())
        return;
    TEvent* owner = TReminderNotebook::OwnerEventOf(entity);
    if (owner == nullptr)
        return;
    const bool isEventAlarm = static_cast<TWaitingAriseEntity*>(owner) == &entity;
    if (owner->HasOption(isEventAlarm ? eoAlarmWindowOnEvent : eoAlarmWindowOnReminder))
        ShowAlarm(*owner, isEventAlarm, overdue, due);
}

bool TAlarmWindows::SoundNotPlayed(const IAudioClient* action, const std::string& fileName) {
    if (action == nullptr)
        return false;
    auto holds = [action](const TWaitingAriseEntity& entity) {
        const TEventActionList& list = entity.EventAction().Actions();
        for (int i = 0; i < list.Count(); ++i) {
            const auto* audio = dynamic_cast<const TAudioEventAction*>(&list.Items(i));
            if (audio && static_cast<const IAudioClient*>(audio) == action)
                return true;
        }
        return false;
    };
    for (const QPointer<TAlarmMessageForm>& form : forms_) {
        TEvent* event = form ? form->AttachedEvent() : nullptr;
        if (event && (holds(*event) || (event->Reminder() && holds(*event->Reminder())))) {
            form->ReportSoundNotPlayed(TextFromCore(fileName));
            return true;
        }
    }
    return false;
}

void TAlarmWindows::EventRemoved(TEvent& event) {
    // Answered as by Close: the event stops its sounds; the close handler finds it gone.
    if (TAlarmMessageForm* form = FindAlarmWindow(event))
        form->CloseAlarm();
}

TAlarmMessageForm& TAlarmWindows::ShowAlarm(TEvent& event, bool isEventAlarm, bool overdue,
                                            TDateTime due) {
    Prune();
    TAlarmMessageForm* form = FindAlarmWindow(event);
    if (form == nullptr) {
        auto created = std::make_unique<TAlarmMessageForm>(parent_.data());
        created->Attach(event, isEventAlarm, overdue, due);
        form = created.release();
        Place(*form);
        forms_.emplace_back(form);
    }
    QIcon icon = EventIcon ? EventIcon(event) : QIcon();
    if (icon.isNull())
        icon = DefaultEventIcon(event);
    form->ApplyLook(icon);
    const std::weak_ptr<TAlarmWindows*> self = self_;
    form->OnAlarmClosed = [self, form](TEvent& e) {
        if (auto s = self.lock()) {
            (*s)->Withdraw(form);
            (*s)->AlarmClosed(e);
        }
    };
    form->OnFindEvent = [self](TEvent& e) {
        if (auto s = self.lock(); s && (*s)->OnFindEvent)
            (*s)->OnFindEvent(e);
    };
    form->Present();
    Notify(*form, event);
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

void TAlarmWindows::Place(TAlarmMessageForm& form) const {
    // Wayland clients cannot place their windows; the compositor does.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    const TAlarmMessageForm* last = nullptr;
    for (const QPointer<TAlarmMessageForm>& open : forms_)
        if (open && open->AttachedEvent() && open->isVisible())
            last = open.data();
    if (last == nullptr)
        return; // the first one goes where the window manager puts new windows
    QScreen* screen = last->screen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    form.adjustSize();
    // The frame of the new window is not known before it is shown; it has the last one's.
    const QSize frame = last->frameGeometry().size() - last->size();
    const QSize size = form.size() + frame;
    const int step = std::max(24, frame.height());
    auto occupied = [this, &form](QPoint at) {
        return std::any_of(forms_.begin(), forms_.end(), [&](const auto& open) {
            return open && open.data() != &form && open->AttachedEvent() && open->isVisible() &&
                   open->pos() == at;
        });
    };
    QPoint at = last->pos();
    for (int tries = 0; tries < 64; ++tries) {
        at += QPoint(step, step);
        // Kept on the screen: past its bottom the cascade starts again at the top, past its
        // right edge at the left.
        if (at.y() + size.height() > area.bottom() + 1)
            at.setY(area.top());
        if (at.x() + size.width() > area.right() + 1)
            at.setX(area.left());
        if (!occupied(at))
            break;
    }
    form.move(at);
}

void TAlarmWindows::Prune() {
    std::erase_if(forms_, [](const QPointer<TAlarmMessageForm>& form) { return form.isNull(); });
}

} // namespace kelvo
