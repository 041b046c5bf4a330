#include "db/ColumnType.h"

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

TEST(ColumnType, TextColumnsCollateAndCheckTheirLength) {
    EXPECT_EQ(db::columnDefinition({"Bidder", ColumnType::Text, 60}),
              "\"Bidder\" TEXT(60) COLLATE NOCASE CONSTRAINT lw_len CHECK (length(\"Bidder\") <= 60)");
    EXPECT_EQ(db::columnDefinition({"Say \"hi\"", ColumnType::Long, 0}), "\"Say \"\"hi\"\"\" INTEGER");
}
