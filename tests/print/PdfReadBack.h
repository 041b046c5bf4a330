// Reading printed PDFs back with poppler-utils: the page count and size (pdfinfo) and the text of each page
// (pdftotext -layout). Tests skip when the tools are missing, except in CI where they must be there.
#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>

namespace printtest {

bool pdfToolsAvailable();
bool pdfToolsRequired();  // CI=true

struct PdfFacts {
    int pages = 0;
    QSizeF pageSize;  // points, of the first page
};

PdfFacts pdfFacts(const QString &path);
// The text of each page, in order.
QStringList pageTexts(const QString &path);
// The lines of a page's text without blank ones, each trimmed.
QStringList textLines(const QString &pageText);

}  // namespace printtest

// Skips the test when poppler-utils are missing outside CI, fails it in CI.
#define REQUIRE_PDF_TOOLS()                                                                         \
    do {                                                                                            \
        if (!printtest::pdfToolsAvailable()) {                                                      \
            if (printtest::pdfToolsRequired())                                                      \
                FAIL() << "pdftotext and pdfinfo (poppler-utils) are needed in CI";                 \
            GTEST_SKIP() << "pdftotext/pdfinfo (poppler-utils) are not installed: the PDF was not read back"; \
        }                                                                                           \
    } while (false)
