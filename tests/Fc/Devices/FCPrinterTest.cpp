#include "Fc/Devices/FCPrinter.h"
#include "Fc/Devices/FCPrintCanvas.h"
#include "support/FakePrintCanvas.h"
#include "support/FakePrinter.h"

#include <gtest/gtest.h>

TEST(FCPrinterTest, APrintJobLeavesItsPagesOnTheFakeCanvas)
{
    FakePrinter printer(FCPoint(4800, 6600));
    ASSERT_TRUE(printer.Open());
    FCPrintCanvas* canvas = printer.CreateCanvas();
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->GetRefCount(), 1);

    ASSERT_TRUE(canvas->StartDocument("Stavelorn"));
    canvas->StartPage();
    FCPoint size;
    canvas->AddImage(7, 0, 0, 0, 0.5, 0.25, &size);
    EXPECT_EQ(size, FCPoint(2400, 1650));
    canvas->AddText("Name", FCPoint(100, 200), "Times New Roman", "", 10, &size);
    EXPECT_EQ(size, canvas->MeasureText("Name", "Times New Roman", "", 10));
    canvas->PrintPage();
    canvas->EndPage();
    canvas->PrintPage(); // nothing queued any more
    canvas->EndDocument();

    const FakePrintCanvas& fake = *printer.canvases.at(0);
    EXPECT_EQ(fake.documentName, "Stavelorn");
    ASSERT_EQ(fake.printed.size(), 2u);
    ASSERT_EQ(fake.printed[0].images.size(), 1u);
    ASSERT_EQ(fake.printed[0].texts.size(), 1u);
    EXPECT_EQ(fake.printed[0].texts[0].at, FCPoint(100, 200));
    EXPECT_TRUE(fake.printed[1].images.empty());
    EXPECT_TRUE(fake.printed[1].texts.empty());
    canvas->Release();
}
