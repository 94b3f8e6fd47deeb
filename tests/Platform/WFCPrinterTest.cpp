#include "Platform/WFCCupsSpooler.h"
#include "Platform/WFCPrintCanvas.h"
#include "Platform/WFCPrinter.h"

#include "support/PrintSandbox.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace
{
using Kind = FCPrintOutcome::Kind;

// One small document, filed under name, through the sandbox's printer.
std::pair<bool, FCPrintOutcome> PrintOnePage(PrintSandbox& sandbox, const std::string& name)
{
    Owned<FCPrintCanvas> canvas = sandbox.CreateCanvas();
    EXPECT_NE(canvas, nullptr);
    canvas->SetFileName(name);
    EXPECT_TRUE(canvas->StartDocument("Stavelorn"));
    EXPECT_TRUE(canvas->StartPage());
    canvas->AddText("ALDRIC", FCPoint(328, 40), "Times New Roman", "", 12, nullptr);
    EXPECT_TRUE(canvas->PrintPage());
    EXPECT_TRUE(canvas->EndPage());
    const bool ended = canvas->EndDocument();
    return {ended, canvas->GetOutcome()};
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(WFCPrinterTest, OpensOnWholeLetterPagesAt600Dpi)
{
    QuietLog quiet;
    auto spooler = std::make_shared<FakeSpooler>(FakeSpooler::Ready("Office"));
    WFCPrinter printer(spooler);
    EXPECT_EQ(printer.CreateCanvas(), nullptr);
    ASSERT_TRUE(printer.Open());
    EXPECT_EQ(printer.GetPageSize(), FCPoint(5100, 6600));
    // Opening asks the spooler nothing: the default is looked up at print time.
    EXPECT_EQ(spooler->askedForDefault, 0);
    Owned<FCPrintCanvas> canvas(printer.CreateCanvas());
    ASSERT_NE(canvas, nullptr);
    FCPoint size;
    canvas->AddImage(9500, 0, 0, 0, 0.5, 0.25, &size);
    EXPECT_EQ(size, FCPoint(2550, 1650));
}

TEST(WFCPrinterTest, IsReadyOnlyWithADefaultPrinterThatTakesJobs)
{
    QuietLog quiet;
    const std::pair<FakeSpooler, std::int16_t> cases[] = {
        {FakeSpooler::Ready("Office"), FCPrinter::kReady},
        {FakeSpooler::Stopped("Office", "media-empty-error"), FCPrinter::kError},
        {FakeSpooler::None(), FCPrinter::kError},
    };
    for (const auto& [spooler, ready] : cases)
    {
        WFCPrinter printer(std::make_shared<FakeSpooler>(spooler));
        ASSERT_TRUE(printer.Open());
        EXPECT_EQ(printer.IsReady(), ready) << spooler.destination.name;
    }
}

// Where a finished document goes, by what the default destination says.
TEST(WFCPrinterTest, AFinishedDocumentGoesToThePrinterOrIsKept)
{
    QuietLog quiet;
    struct Case
    {
        const char* name;
        FakeSpooler spooler;
        Kind kind;
        const char* reason; // part of it; null: none
        int jobs;
    };
    const Case cases[] = {
        {"ready", FakeSpooler::Ready("Office"), Kind::kSent, nullptr, 1},
        {"stopped", FakeSpooler::Stopped("Office", "media-empty-error"), Kind::kSaved,
         "\"Office\" is not ready (media-empty-error)", 0},
        {"none", FakeSpooler::None(), Kind::kSaved, "No printer is set up.", 0},
        {"refused", FakeSpooler::Refusing("Office", "Unsupported document-format"), Kind::kSaved,
         "\"Office\" refused it: Unsupported document-format", 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        PrintSandbox sandbox(c.spooler);
        const auto [ended, outcome] = PrintOnePage(sandbox, "Aldric");
        EXPECT_TRUE(ended);
        EXPECT_EQ(outcome.kind, c.kind);
        EXPECT_EQ(sandbox.Spooler().askedForDefault, 1);
        ASSERT_EQ(sandbox.Spooler().jobs.size(), static_cast<std::size_t>(c.jobs));
        if (c.kind == Kind::kSent)
        {
            const FakeSpooler::Job& job = sandbox.Spooler().jobs[0];
            EXPECT_EQ(job.destination, "Office");
            EXPECT_EQ(job.title, "Stavelorn");
            ASSERT_GT(job.bytes.size(), 5u);
            EXPECT_EQ(std::string(job.bytes.begin(), job.bytes.begin() + 5), "%PDF-");
            EXPECT_EQ(outcome.destination, "Office");
            EXPECT_EQ(outcome.job, 41);
            EXPECT_TRUE(outcome.path.empty());
            // Sent is gone from here: the temporary file went with it.
            EXPECT_TRUE(sandbox.Printouts().empty());
            continue;
        }
        EXPECT_NE(outcome.reason.find(c.reason), std::string::npos) << outcome.reason;
        EXPECT_EQ(outcome.path, sandbox.PrintoutsFolder() + "/Aldric.pdf");
        EXPECT_EQ(sandbox.Printouts(), std::vector<std::string>{"Aldric.pdf"});
        EXPECT_EQ(FileText(outcome.path).rfind("%PDF-", 0), 0u);
    }
}

TEST(WFCPrinterTest, KeptPrintoutsNeverReplaceEarlierOnes)
{
    QuietLog quiet;
    PrintSandbox sandbox;
    sandbox.Folder().WriteFile("stavelorn/Printouts/Aldric.pdf", std::string("the user's own"));
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(PrintOnePage(sandbox, "Aldric").first);
    // A name that would leave the folder stays in it.
    EXPECT_EQ(PrintOnePage(sandbox, "../Ald\\ric").second.path,
              sandbox.PrintoutsFolder() + "/Aldric-4.pdf");
    EXPECT_EQ(PrintOnePage(sandbox, "").second.path, sandbox.PrintoutsFolder() + "/Character.pdf");
    EXPECT_EQ(sandbox.Printouts(), (std::vector<std::string>{"Aldric-2.pdf", "Aldric-3.pdf",
                                                             "Aldric-4.pdf", "Aldric.pdf",
                                                             "Character.pdf"}));
    EXPECT_EQ(FileText(sandbox.PrintoutsFolder() + "/Aldric.pdf"), "the user's own");
}

TEST(WFCPrinterTest, WithoutAFileNameTheDocumentsNameServes)
{
    QuietLog quiet;
    PrintSandbox sandbox;
    Owned<FCPrintCanvas> canvas = sandbox.CreateCanvas();
    ASSERT_TRUE(canvas->StartDocument("Stavelorn"));
    ASSERT_TRUE(canvas->StartPage());
    ASSERT_TRUE(canvas->PrintPage());
    ASSERT_TRUE(canvas->EndPage());
    ASSERT_TRUE(canvas->EndDocument());
    EXPECT_EQ(canvas->GetOutcome().path, sandbox.PrintoutsFolder() + "/Stavelorn.pdf");
}

// The real spooler with CUPS pointed at a server that is not there: no
// default printer, so a printout would be kept.
TEST(WFCPrinterTest, CupsWithoutAServerHasNoDefaultPrinter)
{
    QuietLog quiet;
    TempFolder home;
    ::setenv("CUPS_SERVER", home.Join("no-cups.sock").c_str(), 1);
    ::setenv("HOME", home.GetPath().c_str(), 1);
    ::unsetenv("PRINTER");
    ::unsetenv("LPDEST");
    WFCCupsSpooler spooler;
    EXPECT_EQ(spooler.FindDefault().state, WFCSpooler::State::kNone);
    std::string error;
    EXPECT_EQ(spooler.Submit("Office", home.Join("none.pdf"), "Stavelorn", error), 0);
    EXPECT_FALSE(error.empty());
    WFCPrinter printer;
    ASSERT_TRUE(printer.Open());
    EXPECT_EQ(printer.IsReady(), FCPrinter::kError);
}
} // namespace
