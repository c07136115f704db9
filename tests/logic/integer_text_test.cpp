#include "foundation/IntegerText.h"
#include "foundation/TextHelpers.h"

#include <gtest/gtest.h>

using namespace clavenor;

TEST(IntegerText, DecimalIntegers) {
    const std::pair<const char*, int> good[] = {
        {"0", 0},
        {"00", 0},
        {"07", 7},
        {"-1", -1},
        {"+5", 5},
        {"125", 125},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : good)
        EXPECT_EQ(TextToInteger(text), value) << text;
}

TEST(IntegerText, AnythingElseNamesTheText) {
    for (const char* text :
         {"", "-", "+", "+-5", "--5", "0x", " 5", "5 ", "1.5", "none", "2147483648", "١٢"}) {
        try {
            TextToInteger(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}
