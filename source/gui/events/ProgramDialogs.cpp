#include "gui/events/ProgramDialogs.h"

#include "core/entities/EventTemplate.h"
#include "core/options/ProgramOptions.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/dialogs/fmQuickEventCreate.h"
#include "gui/editors/fmEventForm.h"
#include "gui/session/ProgramSession.h"
#include "gui/templates/TemplateChoiceForm.h"

#include <cmath>

namespace kelvo {

TProgramDialogs::TProgramDialogs(TProgramSession& session, QWidget& parent)
    : session_(session), parent_(parent) {}

TProgramDialogs::~TProgramDialogs() = default;

TEventForm& TProgramDialogs::EventForm() {
    if (!form_) {
        form_ = std::make_unique<TEventForm>(session_, &parent_);
        form_->SetTemplateChooser([this](QWidget& owner, std::string& name, bool allowNone) {
            return TTemplateChoiceForm::ChooseTemplate(owner, session_.Templates(), name,
                                                       allowNone);
        });
    }
    return *form_;
}

bool TProgramDialogs::ShowEventDialog(TEvent& target, const QString& caption, TDateTime date,
                                      int firstPage) {
    return EventForm().ShowEventDialog(target, caption, date, firstPage);
}

bool TProgramDialogs::AskQuickEvent(QString& message, int& delayMinutes) {
    TQuickEventForm form(session_.Templates(), &parent_);
    form.SetupAfter({}, message, TQuickEventForm::Minutes, delayMinutes);
    if (RunAndWait(form) != QDialog::Accepted)
        return false;
    message = form.Text();
    delayMinutes = static_cast<int>(std::lround((form.Moment() - Now()) * 1440.0));
    return true;
}

std::unique_ptr<TEvent> TProgramDialogs::QuickEvent(TTemplateTree&, const TEventTemplate& t,
                                                    TDateTime when, int delayMinutes, bool once) {
    TProgramOptions& options = session_.Settings().Options();
    const QString name = TextFromCore(t.Template());
    const QString text = TextFromCore(t.Description());
    if (once)
        return TQuickEventForm::QuickEventAt(session_.Templates(), options, &parent_, name, text,
                                             when);
    // An hour's worth of minutes is offered as one hour, as the menu named it.
    const bool hours = delayMinutes >= 60 && delayMinutes % 60 == 0;
    return TQuickEventForm::QuickEventAfter(session_.Templates(), options, &parent_, name, text,
                                            hours ? TQuickEventForm::Hours
                                                  : TQuickEventForm::Minutes,
                                            hours ? delayMinutes / 60 : delayMinutes);
}

} // namespace kelvo
