#include "cli/Print.h"

#ifdef KELVO_HAVE_PLATFORM
#include "gui/print/PrintEventList.h"
#include "gui/print/PrintMonthCalendar.h"
#include "gui/print/PrintPages.h"
#endif

#include <cmath>

namespace kelvo::cli {

namespace {

std::string What(const TArguments& args) {
    return args.Positional.empty() ? std::string() : args.Positional.front();
}

double Margin(const TArguments& args) {
    const auto v = args.Value("--margin");
    if (!v)
        return 7;
    char* end = nullptr;
    const double mm = std::strtod(v->c_str(), &end);
    if (v->empty() || *end != '\0' || !std::isfinite(mm) || mm < 6 || mm > 500)
        throw EUsage("--margin must be a number of millimetres from 6 to 500, not \"" + *v + "\"");
    return mm;
}

} // namespace

void CheckPrintArguments(const TArguments& args) {
    const std::string what = What(args);
    if (what != "calendar" && what != "list")
        throw EUsage(what.empty() ? "print needs calendar or list"
                                  : "cannot print \"" + what + "\" (calendar or list)");
    if (!args.Has("--output"))
        throw EUsage("print needs --output FILE.pdf");
    if (const auto p = args.Value("--paper"); p && *p != "A4" && *p != "Letter")
        throw EUsage("unknown paper \"" + *p + "\" (A4 or Letter)");
    if (const auto o = args.Value("--orientation"); o && *o != "portrait" && *o != "landscape")
        throw EUsage("unknown orientation \"" + *o + "\" (portrait or landscape)");
    if (what == "calendar" && args.Has("--days"))
        throw EUsage("print calendar always shows five weeks: --days is for print list");
    Margin(args);
}

int Print(const TArguments& args, const TOwnedEvents& events) {
#ifdef KELVO_HAVE_PLATFORM
    const bool calendar = What(args) == "calendar";
    std::vector<TEvent*> all;
    for (const auto& e : events)
        all.push_back(e.get());
    auto orientation = calendar ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (const auto o = args.Value("--orientation"))
        orientation = *o == "portrait" ? QPageLayout::Portrait : QPageLayout::Landscape;
    const auto paper =
        args.Value("--paper").value_or("A4") == "Letter" ? QPageSize::Letter : QPageSize::A4;
    QPageLayout layout = DefaultPageLayout(orientation, paper);
    const double m = Margin(args);
    layout.setMargins(QMarginsF(m, m, m, m));
    const QString output = QString::fromStdString(*args.Value("--output"));

    if (calendar) {
        const TDateTime from =
            args.Has("--from") ? ParseDateTime(*args.Value("--from")) : StartOfMonth(Today());
        TPrintMonthCalendar page(StartOfWeek(from), FirstDayOfWeek());
        page.PlaceEvents(all);
        WritePdf(page, layout, output, page.Title());
        return ExitOk;
    }
    const TDateTime now = Now();
    std::vector<TEvent*> rows;
    if (args.Has("--from") || args.Has("--days")) {
        // As the Event Filter page: the events whose next arising falls in the days.
        const TDateTime from =
            DateOf(args.Has("--from") ? ParseDateTime(*args.Value("--from")) : Today());
        const long long days = args.Has("--days") ? ParseCount(*args.Value("--days"), "--days") : 1;
        for (TEvent* e : all) {
            TDateTime next = NullDate;
            try {
                next = e->InitializeCondition().NextAriseForCheck(now);
            } catch (const std::exception&) {
            }
            if (next != NullDate && next >= from && next < from + static_cast<double>(days))
                rows.push_back(e);
        }
    } else {
        rows = all;
    }
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    TPrintEventList list(TableOfEvents(rows, now), font);
    WritePdf(list, layout, output, QStringLiteral("Event list"));
    return ExitOk;
#else
    (void)args;
    (void)events;
    throw std::runtime_error("this kelvo-cli was built without printing");
#endif
}

} // namespace kelvo::cli
