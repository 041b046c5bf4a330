// A data window's PrintGrid to a PDF file, with the print dialog replaced by a hook that sets the output file:
// the pages read back, the breaks honoured, cancelling, and the refusals.
#include "DataWindowFixture.h"

#include "print/PdfReadBack.h"
#include "print/PrintJob.h"

#include "grid/SpreadGrid.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

namespace {

class PrintGridTest : public printtest::DataWindowFixture {
protected:
    void SetUp() override {
        DataWindowFixture::SetUp();
        pdf = out.path() + QStringLiteral("/grid.pdf");
        print::setPrintDialogHook([this](QPrinter &printer) {
            printerOrientation = printer.pageLayout().orientation();
            if (!dialogAnswer)
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            if (fromPage > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(fromPage, toPage);
            }
            return true;
        });
    }
    void TearDown() override {
        print::setPrintDialogHook({});
        DataWindowFixture::TearDown();
    }
    QStringList pages() { return printtest::pageTexts(pdf); }
    QString lastMessage() const { return ui.messages.empty() ? QString() : ui.messages.back().text; }

    testsupport::ScratchDir out;
    QString pdf;
    bool dialogAnswer = true;
    int fromPage = 0;  // a page range chosen in the dialog
    int toPage = 0;
    QPageLayout::Orientation printerOrientation = QPageLayout::Portrait;
};

}  // namespace

TEST_F(PrintGridTest, EveryPageCarriesTheHeadingsAndItsNumberAndTheBreaksStartPages) {
    REQUIRE_PDF_TOOLS();
    window->setPageBreaks({{10}, {3}});
    window->PrintGrid();
    ASSERT_TRUE(QFileInfo::exists(pdf)) << lastMessage().toStdString();
    EXPECT_EQ(printerOrientation, QPageLayout::Landscape);  // the dialog starts from the window's orientation
    const QStringList texts = pages();
    ASSERT_GE(texts.size(), 4);
    EXPECT_EQ(printtest::pdfFacts(pdf).pages, texts.size());
    EXPECT_GT(printtest::pdfFacts(pdf).pageSize.width(), printtest::pdfFacts(pdf).pageSize.height());
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_TRUE(texts[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(texts.size()))) << i;
    // Pages go down the first column band, then the next: row 10 starts page 2, column 3 ([Label]) starts the
    // second column band. A page's lines: the headings, its rows (each led by its row number), the footer.
    const int rowBands = int(texts.size() / 2);
    EXPECT_TRUE(texts[0].contains(QStringLiteral("Key")));
    EXPECT_FALSE(texts[0].contains(QStringLiteral("Label")));
    for (const int page : {0, rowBands}) {
        const QStringList lines = printtest::textLines(texts[page]);
        ASSERT_GE(lines.size(), 3);
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1 "))) << lines[1].toStdString();
        EXPECT_TRUE(lines[lines.size() - 2].startsWith(QStringLiteral("9 "))) << lines[lines.size() - 2].toStdString();
    }
    EXPECT_TRUE(texts[rowBands].contains(QStringLiteral("Label")));
    EXPECT_TRUE(printtest::textLines(texts[rowBands + 1])[1].startsWith(QStringLiteral("10 ")));
    const QStringList last = printtest::textLines(texts.back());
    EXPECT_TRUE(last[last.size() - 2].startsWith(QStringLiteral("100 "))) << last[last.size() - 2].toStdString();
}

TEST_F(PrintGridTest, ColumnsPrintWithTheGridsWidths) {
    REQUIRE_PDF_TOOLS();
    window->PrintGrid();
    const int narrow = printtest::pdfFacts(pdf).pages;
    ASSERT_GT(narrow, 0) << lastMessage().toStdString();
    EXPECT_TRUE(pages().front().contains(QStringLiteral("Label")));

    // A first column widened to most of the paper's width pushes the last column to a second column band.
    window->MSFlexGrid1->setColumnWidth(0, 900);
    window->PrintGrid();
    EXPECT_EQ(printtest::pdfFacts(pdf).pages, 2 * narrow);
    EXPECT_FALSE(pages().front().contains(QStringLiteral("Label")));
    EXPECT_TRUE(pages()[narrow].contains(QStringLiteral("Label")));
}

TEST_F(PrintGridTest, EveryRowOfALargeTablePrintsWhateverTheGridHasLoaded) {
    REQUIRE_PDF_TOOLS();
    gridtest::makeNumbers(database.db(), QStringLiteral("Big"), 3000);
    window->refillList(window->ddlTableName, {QStringLiteral("Numbers"), QStringLiteral("Big")});
    window->selectTable(1);
    ASSERT_TRUE(gridtest::waitForCount(*window->Data1));
    window->PrintGrid();
    const QStringList texts = pages();
    ASSERT_GT(texts.size(), 50) << lastMessage().toStdString();
    const QStringList last = printtest::textLines(texts.back());
    EXPECT_TRUE(last[last.size() - 2].startsWith(QStringLiteral("3000 "))) << last[last.size() - 2].toStdString();
    EXPECT_TRUE(texts.back().contains(QStringLiteral("Page %1 of %1").arg(texts.size())));
    EXPECT_EQ(int(ui.progress.size()), texts.size() + 1);  // the label first, then after each page
}

TEST_F(PrintGridTest, ThePagesChosenInTheDialogArePrinted) {
    REQUIRE_PDF_TOOLS();
    fromPage = 2;
    toPage = 3;
    window->setPageBreaks({{20, 40, 60}, {}});
    window->PrintGrid();
    const QStringList texts = pages();
    ASSERT_EQ(texts.size(), 2) << lastMessage().toStdString();
    EXPECT_TRUE(texts[0].contains(QStringLiteral("Page 2 of 4")));
    EXPECT_TRUE(texts[1].contains(QStringLiteral("Page 3 of 4")));
    const QStringList lines = printtest::textLines(texts[0]);
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("20 "))) << lines[1].toStdString();  // row 20 starts page 2
}

TEST_F(PrintGridTest, PortraitPrintsOnPortraitPaper) {
    REQUIRE_PDF_TOOLS();
    window->setPrintSettings({720, 720, 720, 720, print::kPortrait});
    window->PrintGrid();
    ASSERT_TRUE(QFileInfo::exists(pdf)) << lastMessage().toStdString();
    const printtest::PdfFacts facts = printtest::pdfFacts(pdf);
    EXPECT_LT(facts.pageSize.width(), facts.pageSize.height());
    const QStringList last = printtest::textLines(pages().back());
    EXPECT_TRUE(last[last.size() - 2].startsWith(QStringLiteral("100 "))) << last[last.size() - 2].toStdString();
}

TEST_F(PrintGridTest, CancellingTheDialogOrTheProgressPrintsNothing) {
    dialogAnswer = false;
    window->PrintGrid();
    EXPECT_TRUE(ui.progress.empty());
    EXPECT_FALSE(QFileInfo::exists(pdf));

    dialogAnswer = true;
    ui.cancelProgressAt(1);
    window->PrintGrid();
    ASSERT_FALSE(ui.progress.empty());
    EXPECT_EQ(ui.progress.front(), "Printing - Click Cancel to quit");
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());  // no temporary file left either
}

TEST_F(PrintGridTest, MarginsLeavingNoRoomAreRefusedAndNothingIsPrinted) {
    window->setPrintSettings({9.99 * 1440, 9.99 * 1440, 720, 720, print::kLandscape});
    ui.expectMessage(QString());
    window->PrintGrid();
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("Error 482: "))) << lastMessage().toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(PrintGridTest, AFileThatCannotBeWrittenIsReportedAsAFailure) {
    pdf = out.path() + QStringLiteral("/missing/folder/grid.pdf");
    ui.expectMessage(QString());
    window->PrintGrid();
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("Error 75: "))) << lastMessage().toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}
