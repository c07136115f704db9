#include "foundation/TextHelpers.h"
#include "temp_folder.h"
#include "test_locale.h"

#include <clocale>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace clavenor;
using Fields = std::vector<std::string>;

TEST(GetDelimitedField, ListsEmptyFieldsExceptAnEmptyLastOne) {
    struct Case {
        std::string text;
        char delimiter;
        Fields fields;
    };
    const Case cases[] = {
        {"", ':', {}},
        {"12:05:30", ':', {"12", "05", "30"}},
        {"1|1|4|8|1|3", '|', {"1", "1", "4", "8", "1", "3"}},
        {"a:", ':', {"a"}},
        {"a::b", ':', {"a", "", "b"}},
        {":a", ':', {"", "a"}},
        {":", ':', {""}},
        {"::", ':', {"", ""}},
        {"abc", ':', {"abc"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetDelimitedField(c.text, c.delimiter), c.fields) << "text: " << c.text;
}

TEST(SplitText, SkipsEveryEmptyItemAndRefillsTheList) {
    struct Case {
        std::string text;
        Fields items;
    };
    const Case cases[] = {
        {"1.0.2.3", {"1", "0", "2", "3"}},
        {"1..2.", {"1", "2"}},
        {"1..2", {"1", "2"}},
        {".1", {"1"}},
        {"", {}},
        {"...", {}},
        {"whole", {"whole"}},
    };
    for (const Case& c : cases) {
        Fields list = {"left", "over"};
        SplitText(c.text, '.', list);
        EXPECT_EQ(list, c.items) << "text: " << c.text;
    }
}

TEST(TextAfterLast, ReturnsTheTextAfterTheLastDelimiter) {
    struct Case {
        std::string text;
        char delimiter;
        std::string expected;
    };
    const Case cases[] = {
        {"clip.part1.avi", '.', "avi"}, {"clip_12", '_', "12"}, {"a_b_3", '_', "3"},
        {"clip", '.', "clip"},          {"clip.", '.', ""},     {"", '.', ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextAfterLast(c.text, c.delimiter), c.expected) << "text: " << c.text;
}

TEST(TextToNumber, KeepsDigitsThePointAndOneLeadingSign) {
    struct Case {
        std::string text;
        double expected;
    };
    const Case cases[] = {
        {"", 0},
        {"+", 0},
        {"-", 0},
        {"abc", 0},
        {"7", 7},
        {" 12.5 MB", 12.5},
        {"-3", -3},
        {"5-3", 53},
        {"--3", -3},
        {"+-3", 3},
        {"1.2.3", 1.23},
        {"00:01:30", 130},
        {"1e5", 15},
        {".5", 0.5},
        {"5.", 5},
        {"-.5", -0.5},
        {"-+", 0},
        {"1,5", 15},
        {"1 048 576", 1048576},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(TextToNumber(c.text), c.expected) << "text: '" << c.text << "'";
}

TEST(TextToNumber, APointWithoutDigitsIsAConversionErrorNamingTheText) {
    for (std::string text : {".", "-.", "+.", "x.y", "+-."}) {
        try {
            TextToNumber(text);
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_NE(std::string(e.what()).find("'" + text + "'"), std::string::npos) << e.what();
        }
    }
}

TEST(TextToNumber, IgnoresTheProcessNumericLocale) {
    // The GUI toolkit loads the user's locale at start; a "," decimal separator there must
    // not change how numbers are read or printed.
    clavenor_test::TempFolder folder;
    if (!clavenor_test::UseGermanLocaleFrom(folder.Path()))
        GTEST_SKIP() << "cannot build the de_DE locale here";
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    EXPECT_DOUBLE_EQ(TextToNumber("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(TextToNumber("12,5"), 125);
    EXPECT_EQ(SizeToText(1536), "1.5 KB");
    std::setlocale(LC_NUMERIC, "C");
}

TEST(SizeToText, TruncatesToTwoDecimalsInTheRightUnit) {
    struct Case {
        std::int64_t bytes;
        std::string expected;
    };
    const Case cases[] = {
        {0, "0 B"},
        {1023, "1023 B"},
        {1024, "1 KB"},
        {1536, "1.5 KB"},
        {1048575, "1023.99 KB"},
        {1048576, "1 MB"},
        {1234567, "1.17 MB"},
        {1073741823, "1023.99 MB"},
        {1073741824, "1 GB"},
        {5000000000, "4.65 GB"},
        {std::int64_t(5000) << 30, "5000 GB"},
        {-5, "0 B"},
        {INT64_MIN, "0 B"},
        {INT64_MAX, "8589934592 GB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SizeToText(c.bytes), c.expected) << "bytes: " << c.bytes;
}

TEST(TimeToText, WritesHoursMinutesAndSecondsWithTwoDigitsAtLeast) {
    struct Case {
        std::int64_t seconds;
        std::string expected;
    };
    const Case cases[] = {
        {0, "00:00:00"},    {59, "00:00:59"},    {60, "00:01:00"},        {3599, "00:59:59"},
        {3600, "01:00:00"}, {3661, "01:01:01"},  {205, "00:03:25"},       {360000, "100:00:00"},
        {-1, "00:00:00"},   {-7200, "00:00:00"}, {INT64_MIN, "00:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TimeToText(c.seconds), c.expected) << "seconds: " << c.seconds;
}

TEST(PadNumber, PadsTheQuotientButNeverCutsIt) {
    struct Case {
        std::int64_t value, divisor;
        int width;
        std::string expected;
    };
    const Case cases[] = {
        {7, 1, 2, "07"}, {123, 1, 2, "123"}, {59999, 1000, 2, "59"},
        {0, 1, 2, "00"}, {-7, 1, 3, "0-7"},  {-1999, 1000, 2, "-1"},
        {5, 1, 0, "5"},  {5, 1, -3, "5"},    {INT64_MIN, -1, 2, "9223372036854775808"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PadNumber(c.value, c.divisor, c.width), c.expected)
            << c.value << " / " << c.divisor << " width " << c.width;
    EXPECT_THROW(PadNumber(1, 0, 2), std::invalid_argument);
}
