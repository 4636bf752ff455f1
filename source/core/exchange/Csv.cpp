#include "core/exchange/Csv.h"

#include "core/agenda/Agenda.h"
#include "core/util/paText.h"
#include "core/util/paTranslate.h"

namespace kelvo {

namespace {

bool LooksLikeFormula(std::string_view text) {
    if (text.empty())
        return false;
    const char c = text.front();
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t';
}

// The lists show "Never" rather than fail on an event whose condition cannot answer.
template <class F> TDateTime Safely(F f) {
    try {
        return f();
    } catch (const std::exception&) {
        return NullDate;
    }
}

} // namespace

std::string CsvCell(std::string_view text) {
    std::string out = "\"";
    if (LooksLikeFormula(text))
        out += '\'';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string CsvText(const TCsvRow& header, const std::vector<TCsvRow>& rows) {
    std::string out = "\xEF\xBB\xBF";
    auto line = [&out](const TCsvRow& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                out += ',';
            out += CsvCell(cells[i]);
        }
        out += "\r\n";
    };
    line(header);
    for (const TCsvRow& row : rows)
        line(row);
    return out;
}

std::array<std::string, EventListColumns> EventListCaptions() {
    return {
        KELVO_TR("TEventListModel", "Name"),        KELVO_TR("TEventListModel", "Last event"),
        KELVO_TR("TEventListModel", "Next event"),  KELVO_TR("TEventListModel", "Next reminder"),
        KELVO_TR("TEventListModel", "Until event"), KELVO_TR("TEventListModel", "Template"),
        KELVO_TR("TEventListModel", "State"),       KELVO_TR("TEventListModel", "When")};
}

std::array<std::string, EventListColumns> EventListCells(TEvent& e, TDateTime t, TDateTime today) {
    const TDateTime next = Safely([&] { return e.InitializeCondition().NextAriseForCheck(t); });
    const TDateTime reminder = Safely([&] { return e.ReminderNextArise(t); });
    const TDateTime snooze = Safely([&] {
        TSnoozeInitializeCondition* s = e.SnoozeConditionIfAny();
        return s ? s->NextArise(t) : NullDate;
    });
    std::string when;
    try {
        when = e.InitializeCondition().Description();
    } catch (const std::exception&) {
    }
    return {DisplayText(e.Description()),
            DisplayText(ListDateText(e.LastAppear())),
            DisplayText(ListDateText(next)),
            DisplayText(ListDateText(reminder)),
            DisplayText(UntilEventText(next, today)),
            DisplayText(e.Template()),
            DisplayText(EventStateListText(e.State(), snooze)),
            DisplayText(when)};
}

} // namespace kelvo
