// kelvo-cli print as a process: the PDF's words and their places, read back with pdftotext.

#include "CliProcess.h"
#include "support/EntitySamples.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <regex>

namespace kelvo {
namespace {

using test::RunCli;
using test::SaveEvents;
using test::TempDir;

struct TWord {
    int Page;
    double X0, Y0, X1, Y1;
    std::string Text;
};

struct TPdf {
    std::vector<std::pair<double, double>> Pages; // width, height in points
    std::vector<TWord> Words;

    std::vector<TWord> Find(const std::regex& pattern) const {
        std::vector<TWord> found;
        for (const TWord& w : Words)
            if (std::regex_match(w.Text, pattern))
                found.push_back(w);
        return found;
    }
};

TPdf ReadPdf(const TempDir& dir, const std::string& pdf) {
    const std::string html = dir.File("bbox.html");
    const std::string command =
        "pdftotext -bbox " + test::ShellQuote(pdf) + " " + test::ShellQuote(html);
    EXPECT_EQ(std::system(command.c_str()), 0);
    const std::string text = test::ReadWholeFile(html);
    TPdf result;
    const std::regex tag(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), tag);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        if (m[1].matched)
            result.Pages.emplace_back(std::stod(m[1]), std::stod(m[2]));
        else
            result.Words.push_back({static_cast<int>(result.Pages.size()) - 1, std::stod(m[3]),
                                    std::stod(m[4]), std::stod(m[5]), std::stod(m[6]), m[7]});
    }
    return result;
}

constexpr double Mm = 72 / 25.4;

struct TPaper {
    const char* Paper;
    const char* Orientation;
    double Width, Height; // portrait, in points
};
const TPaper Papers[] = {{"A4", "portrait", 595, 842},
                         {"A4", "landscape", 595, 842},
                         {"Letter", "portrait", 612, 792},
                         {"Letter", "landscape", 612, 792}};

void ExpectPaper(const TPdf& pdf, const TPaper& paper) {
    const bool landscape = std::string(paper.Orientation) == "landscape";
    for (const auto& [w, h] : pdf.Pages) {
        EXPECT_NEAR(w, landscape ? paper.Height : paper.Width, 1) << paper.Paper;
        EXPECT_NEAR(h, landscape ? paper.Width : paper.Height, 1) << paper.Paper;
    }
    // Nothing is drawn in the 7 mm margins.
    for (const TWord& word : pdf.Words) {
        const auto& [w, h] = pdf.Pages[static_cast<std::size_t>(word.Page)];
        EXPECT_GE(word.X0, 7 * Mm - 1) << word.Text;
        EXPECT_GE(word.Y0, 7 * Mm - 1) << word.Text;
        EXPECT_LE(word.Y1, h - 7 * Mm + 1) << word.Text;
        EXPECT_LE(word.X0, w - 7 * Mm + 1) << word.Text;
    }
}

// A day with more events than its box holds shows the earliest and says how many more there
// are, all inside the box; hidden events stay out; the whole month fits one page.
TEST(PrintCliTest, BusyDayIsClippedAndCountsTheRest) {
    TempDir dir;
    std::vector<std::unique_ptr<TEvent>> owned;
    for (int i = 0; i < 50; ++i) {
        // Listed out of order: the box sorts them by time.
        const int minutes = ((i * 37) % 50) * 10;
        owned.push_back(samples::SilentEventOnceAt(
            EncodeDateTime(2027, 1, 15, 7 + minutes / 60, minutes % 60, 0, 0), "busy"));
        owned.back()->SetDescription("Busy" + std::to_string(minutes / 10));
    }
    owned.push_back(samples::SilentEventOnceAt(EncodeDate(2027, 1, 15), "hidden"));
    owned.back()->SetDescription("Hidden");
    owned.back()->SetOptions(TEventOptions{ecNotShowOnCalendar});
    owned.push_back(samples::SilentEventOnceAt(EncodeDate(2026, 12, 28), "first"));
    owned.back()->SetDescription("Firstday");
    std::vector<TEvent*> events;
    for (const auto& e : owned)
        events.push_back(e.get());
    const std::string file = SaveEvents(dir, events);

    for (const TPaper& paper : {Papers[0], Papers[1], Papers[2]}) {
        SCOPED_TRACE(std::string(paper.Paper) + " " + paper.Orientation);
        const std::string pdfFile = dir.File("cal.pdf");
        const auto run = RunCli(dir, {"print", "calendar", "--events", file, "--week-start", "Mon",
                                      "--from", "2027-01-01", "--paper", paper.Paper,
                                      "--orientation", paper.Orientation, "--output", pdfFile});
        ASSERT_EQ(run.Exit, 0) << run.Err;
        const TPdf pdf = ReadPdf(dir, pdfFile);
        ASSERT_EQ(pdf.Pages.size(), 1u);
        ExpectPaper(pdf, paper);
        EXPECT_EQ(pdf.Find(std::regex("December")).size(), 1u);
        EXPECT_EQ(pdf.Find(std::regex("Monday")).size(), 1u);
        EXPECT_TRUE(pdf.Find(std::regex("Hidden")).empty());

        // The box of the 15th: from its day number down to the number of the 22nd below it.
        const auto day15 = pdf.Find(std::regex("15"));
        const auto day22 = pdf.Find(std::regex("22"));
        ASSERT_EQ(day15.size(), 1u);
        ASSERT_EQ(day22.size(), 1u);
        EXPECT_NEAR(day15[0].X1, day22[0].X1, 1);
        const auto busy = pdf.Find(std::regex("Busy\\d+"));
        const auto more = pdf.Find(std::regex("\\+\\d+"));
        ASSERT_EQ(more.size(), 1u);
        ASSERT_FALSE(busy.empty());
        EXPECT_EQ(static_cast<int>(busy.size()) + std::stoi(more[0].Text.substr(1)), 50);
        double last = day15[0].Y1;
        for (std::size_t i = 0; i < busy.size(); ++i) {
            EXPECT_EQ(busy[i].Text, "Busy" + std::to_string(i)) << "earliest first";
            EXPECT_GT(busy[i].Y0, last - 0.5);
            EXPECT_LT(busy[i].X0, day15[0].X1);
            last = busy[i].Y1;
        }
        EXPECT_GT(more[0].Y0, last - 0.5);
        EXPECT_LT(more[0].Y1, day22[0].Y0) << "the count is inside the box";

        // An all-day event in the first box, without a time.
        const auto first = pdf.Find(std::regex("Firstday"));
        ASSERT_EQ(first.size(), 1u);
        EXPECT_LT(first[0].X0, pdf.Find(std::regex("Tuesday"))[0].X0);
    }
}

// 300 rows fill page after page, each page with the header row, every row once and in order.
TEST(PrintCliTest, LongListPaginatesOnEveryPaper) {
    TempDir dir;
    std::vector<std::unique_ptr<TEvent>> owned;
    std::vector<TEvent*> events;
    for (int i = 0; i < 300; ++i) {
        owned.push_back(samples::SilentEventOnceAt(EncodeDateTime(2030, 1, 1, 8, 0, 0, 0), "r"));
        char name[16];
        std::snprintf(name, sizeof name, "Row%03d", i);
        owned.back()->SetDescription(name);
        events.push_back(owned.back().get());
    }
    const std::string file = SaveEvents(dir, events);
    std::size_t portraitPages = 0;
    for (const TPaper& paper : Papers) {
        SCOPED_TRACE(std::string(paper.Paper) + " " + paper.Orientation);
        const std::string pdfFile = dir.File("list.pdf");
        const auto run = RunCli(dir, {"print", "list", "--events", file, "--paper", paper.Paper,
                                      "--orientation", paper.Orientation, "--output", pdfFile});
        ASSERT_EQ(run.Exit, 0) << run.Err;
        const TPdf pdf = ReadPdf(dir, pdfFile);
        ASSERT_GE(pdf.Pages.size(), 2u);
        ExpectPaper(pdf, paper);
        const auto rows = pdf.Find(std::regex("Row\\d{3}"));
        ASSERT_EQ(rows.size(), 300u);
        std::vector<int> perPage(pdf.Pages.size(), 0);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].Text.substr(3),
                      std::string(3 - std::to_string(i).size(), '0') + std::to_string(i));
            if (i > 0 && rows[i].Page == rows[i - 1].Page) {
                EXPECT_GT(rows[i].Y0, rows[i - 1].Y1 - 0.5);
            }
            ++perPage[static_cast<std::size_t>(rows[i].Page)];
        }
        const auto headers = pdf.Find(std::regex("Name"));
        ASSERT_EQ(headers.size(), pdf.Pages.size());
        for (std::size_t p = 0; p < headers.size(); ++p) {
            EXPECT_EQ(headers[p].Page, static_cast<int>(p));
            EXPECT_NEAR(headers[p].Y0, headers[0].Y0, 0.5) << "header on top of every page";
        }
        // Full pages but the last, which is not empty.
        for (std::size_t p = 1; p + 1 < perPage.size(); ++p)
            EXPECT_EQ(perPage[p], perPage[0]);
        EXPECT_GE(perPage.back(), 1);
        EXPECT_LE(perPage.back(), perPage[0]);
        if (std::string(paper.Orientation) == "portrait")
            portraitPages = std::max(portraitPages, pdf.Pages.size());
        else
            EXPECT_LT(portraitPages, pdf.Pages.size()) << "landscape holds fewer rows a page";
    }
}

// A page lower than two rows cannot show a single row: the clear message, exit 1, and the
// file already there stays as it was.
TEST(PrintCliTest, PageTooLowForARowFailsAndKeepsTheFile) {
    TempDir dir;
    auto e = samples::SilentEventOnceAt(EncodeDateTime(2030, 1, 1, 8, 0, 0, 0), "r");
    const std::string file = SaveEvents(dir, {e.get()});
    const std::string pdfFile = dir.File("kept.pdf");
    test::WriteWholeFile(pdfFile, "earlier");
    for (const char* margin : {"148", "146"}) {
        const auto run = RunCli(
            dir, {"print", "list", "--events", file, "--margin", margin, "--output", pdfFile});
        EXPECT_EQ(run.Exit, 1) << margin;
        EXPECT_NE(run.Err.find("Failed to print grid!"), std::string::npos) << run.Err;
        EXPECT_EQ(test::ReadWholeFile(pdfFile), "earlier");
    }
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"print", "list"},
          {"print", "poster", "--output", pdfFile},
          {"print", "list", "--paper", "A5", "--output", pdfFile},
          {"print", "list", "--orientation", "upright", "--output", pdfFile},
          {"print", "calendar", "--days", "3", "--output", pdfFile},
          {"print", "list", "--margin", "2", "--output", pdfFile}}) {
        const auto run = RunCli(dir, bad);
        EXPECT_EQ(run.Exit, 64) << bad[1] << run.Err;
    }
    EXPECT_EQ(test::ReadWholeFile(pdfFile), "earlier");
}

} // namespace
} // namespace kelvo
