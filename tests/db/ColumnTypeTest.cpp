#include "db/ColumnCatalog.h"
#include "common/ColumnType.h"

#include <gtest/gtest.h>

using db::ColumnType;

// Every declared type the program writes must read back as the same Jet type, or values would be shown wrongly.
TEST(ColumnType, DeclaredTypesReadBackAsTheSameType) {
    for (ColumnType type : {ColumnType::Boolean, ColumnType::Byte, ColumnType::Integer, ColumnType::Long,
                            ColumnType::Currency, ColumnType::Single, ColumnType::Double, ColumnType::DateTime,
                            ColumnType::Binary, ColumnType::LongBinary, ColumnType::Memo, ColumnType::Guid,
                            ColumnType::Decimal}) {
        EXPECT_EQ(db::typeFromDeclared(db::declaredType(type)), type) << db::declaredType(type);
    }
    int length = 0;
    EXPECT_EQ(db::typeFromDeclared(db::declaredType(ColumnType::Text, 20), &length), ColumnType::Text);
    EXPECT_EQ(length, 20);
    EXPECT_EQ(db::typeFromDeclared("Text", &length), ColumnType::Text);
    EXPECT_EQ(length, 255);
    EXPECT_EQ(db::typeFromDeclared("Number"), ColumnType::Double);
}

// Text columns name SQLite's built-in NOCASE, never the program's own order, so that any SQLite tool reads the file.
TEST(ColumnType, TextColumnsCollateAndCheckTheirLength) {
    EXPECT_EQ(db::columnDefinition({"Bidder", ColumnType::Text, 60}),
              "\"Bidder\" TEXT(60) COLLATE NOCASE CONSTRAINT lw_len CHECK (length(\"Bidder\") <= 60)");
    EXPECT_EQ(db::columnDefinition({"Say \"hi\"", ColumnType::Long, 0}), "\"Say \"\"hi\"\"\" INTEGER");
}

// The translator leaves a comparison bare only for a column that holds no text wherever it is declared.
TEST(ColumnCatalog, ColumnsHoldTextUnlessEveryDeclarationIsNumeric) {
    db::ColumnCatalog catalog;
    catalog.add("All Bids", "Round", ColumnType::Long);
    catalog.add("All Bids", "Market", ColumnType::Text);
    catalog.add("All Bids", "Placed", ColumnType::DateTime);
    catalog.add("Notes", "ROUND", ColumnType::Memo);
    EXPECT_FALSE(catalog.mayHoldText("all bids", "round"));  // its own table decides
    EXPECT_TRUE(catalog.mayHoldText("Notes", "Round"));
    EXPECT_TRUE(catalog.mayHoldText({}, "Round"));           // unqualified: some table has it as text
    EXPECT_FALSE(catalog.mayHoldText({}, "Placed"));
    EXPECT_TRUE(catalog.mayHoldText({}, "Market"));
    EXPECT_TRUE(catalog.mayHoldText("All Bids", "Expr1000"));  // unknown names may hold anything
    EXPECT_EQ(catalog.columnCount("ALL BIDS"), 3);
    EXPECT_EQ(catalog.columnCount("Nope"), -1);
}
