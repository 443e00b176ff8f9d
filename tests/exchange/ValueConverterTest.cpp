#include "exchange/ValueConverter.h"

#include <gtest/gtest.h>

namespace exchange {
namespace {

TEST(ValueConverter, AmountsInTheShapesExportsWrite)
{
    const ValueConverter german{ValueFormats{}};
    ValueFormats dotFormats;
    dotFormats.decimal = ".";
    dotFormats.thousands = ",";
    const ValueConverter english{dotFormats};
    struct Case
    {
        const ValueConverter* converter;
        const char* text;
        double amount;
    } good[] = {
        {&german, "1234,56", 1234.56},
        {&german, "1.234,56", 1234.56},
        {&german, "1.234.567,5", 1234567.5},
        {&german, "12", 12},
        {&german, ",5", 0.5},
        {&german, "-12,50", -12.5},
        {&german, "12,50-", -12.5},
        {&german, "1.234,56 €", 1234.56},
        {&german, "€1.234,56", 1234.56},
        {&german, "1.234,56 EUR", 1234.56},
        {&german, "eur 7,00", 7},
        {&german, "2\u00a0500,00", 2500},
        {&german, "2\u202f500,00\u00a0€", 2500},
        {&german, "1 234 567,89", 1234567.89},
        {&english, "1,234.56", 1234.56},
        {&english, "1234.56", 1234.56},
    };
    for (const Case& c : good) {
        double amount = 0;
        EXPECT_TRUE(c.converter->parseAmount(c.text, amount)) << c.text;
        EXPECT_DOUBLE_EQ(amount, c.amount) << c.text;
    }
    const Case bad[] = {
        {&german, "12.50", 0},  // a thousands separator two digits before the end
        {&german, "1.23,4", 0}, // groups of three only
        {&german, "12,3x", 0},  {&german, "1,2,3", 0}, {&german, "", 0},       {&german, "€", 0},
        {&german, "--5", 0},    {&german, "12 5", 0},  {&english, "12,50", 0},
    };
    for (const Case& c : bad) {
        double amount = 0;
        EXPECT_FALSE(c.converter->parseAmount(c.text, amount)) << c.text;
    }
}

TEST(ValueConverter, DatesInEveryOrderWithAnySeparatorOrNone)
{
    struct Case
    {
        DateOrder order;
        const char* text;
        int year, month, day; // 0: refused
    } cases[] = {
        {DateOrder::DMY, "18.12.2026", 2026, 12, 18},
        {DateOrder::DMY, "8.1.2027", 2027, 1, 8},
        {DateOrder::DMY, "18/12/26", 2026, 12, 18},
        {DateOrder::DMY, "18-12-2026", 2026, 12, 18},
        {DateOrder::DMY, "18 12 2026", 2026, 12, 18},
        {DateOrder::DMY, "181226", 2026, 12, 18},
        {DateOrder::DMY, "18122026", 2026, 12, 18},
        {DateOrder::DMY, "2026-12-18", 2026, 12, 18},
        {DateOrder::DMY, "18.12.2026 00:00:00", 2026, 12, 18},
        {DateOrder::MDY, "12/18/2026", 2026, 12, 18},
        {DateOrder::MDY, "121826", 2026, 12, 18},
        {DateOrder::MDY, "2026-12-18", 2026, 12, 18},
        {DateOrder::YMD, "26.12.18", 2026, 12, 18},
        {DateOrder::YMD, "20261218", 2026, 12, 18},
        {DateOrder::YMD, "261218", 2026, 12, 18},
        {DateOrder::DMY, "29.02.2028", 2028, 2, 29},
        {DateOrder::DMY, "29.02.2027", 0, 0, 0},
        {DateOrder::DMY, "31.04.2027", 0, 0, 0},
        {DateOrder::DMY, "18.13.2026", 0, 0, 0},
        {DateOrder::DMY, "12/18/2026", 0, 0, 0},
        {DateOrder::DMY, "18.12.026", 0, 0, 0},
        {DateOrder::DMY, "1812202", 0, 0, 0},
        {DateOrder::DMY, "18.12.", 0, 0, 0},
        {DateOrder::DMY, "morgen", 0, 0, 0},
    };
    for (const Case& c : cases) {
        ValueFormats formats;
        formats.dateOrder = c.order;
        const ValueConverter converter(formats);
        dtazv::DateTime date = 0;
        const bool read = converter.parseDate(c.text, date);
        EXPECT_EQ(read, c.year != 0) << c.text;
        if (read && c.year != 0) {
            const dtazv::CivilDateTime civil = dtazv::decodeDateTime(date);
            EXPECT_EQ(civil.year, c.year) << c.text;
            EXPECT_EQ(civil.month, c.month) << c.text;
            EXPECT_EQ(civil.day, c.day) << c.text;
        }
    }
}

TEST(ValueConverter, BooleansByTheConfiguredTextsAndTheUsualWords)
{
    const ValueConverter converter{ValueFormats{}};
    for (const char* yes : {"Wahr (True)", "wahr (true)", "True", "ja", "Yes", "1", "X"}) {
        bool flag = false;
        EXPECT_TRUE(converter.parseBoolean(yes, flag) && flag) << yes;
    }
    for (const char* no : {"Falsch (False)", "FALSE", "nein", "No", "0"}) {
        bool flag = true;
        EXPECT_TRUE(converter.parseBoolean(no, flag) && !flag) << no;
    }
    bool flag = false;
    EXPECT_FALSE(converter.parseBoolean("vielleicht", flag));
}

TEST(ValueConverter, TextsAreTrimmedAndCutToTheirWidthIbanKeepsInnerBlanks)
{
    const ValueConverter converter{ValueFormats{}};
    Cell result;
    std::string reason;
    ASSERT_TRUE(converter.convert(Cell::fromText("  DE02 1203 0000 0000 2020 51 \t"),
                                  store::FieldType::Text, 50, result, reason));
    EXPECT_EQ(result.text, "DE02 1203 0000 0000 2020 51");
    ASSERT_TRUE(converter.convert(Cell::fromText("Ærø Skibsværft og Maskinfabrik"),
                                  store::FieldType::Text, 27, result, reason));
    EXPECT_EQ(result.text, "Ærø Skibsværft og Maskinfab") << "27 characters, not bytes";
    ASSERT_TRUE(converter.convert(Cell::fromText(" \u00a0 "), store::FieldType::Currency, 0, result,
                                  reason));
    EXPECT_EQ(result.kind, Cell::Kind::Empty) << "blank is empty, not an error";
    // Typed cells of spreadsheets are taken as they are.
    ASSERT_TRUE(converter.convert(Cell::fromNumber(12345678901.0), store::FieldType::Text, 20,
                                  result, reason));
    EXPECT_EQ(result.text, "12345678901");
    ASSERT_TRUE(converter.convert(Cell::fromDate(dtazv::encodeDate(2026, 12, 18)),
                                  store::FieldType::Date, 0, result, reason));
    EXPECT_EQ(result.date, dtazv::encodeDate(2026, 12, 18));
    EXPECT_FALSE(
        converter.convert(Cell::fromText("12,3x"), store::FieldType::Currency, 0, result, reason));
    EXPECT_EQ(reason, "not an amount");
    EXPECT_FALSE(
        converter.convert(Cell::fromText("32.12.2026"), store::FieldType::Date, 0, result, reason));
    EXPECT_EQ(reason, "not a date");
}

} // namespace
} // namespace exchange
