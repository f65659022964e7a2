#include "cli/Json.h"

#include <gtest/gtest.h>

#include <limits>

namespace selenara {
namespace {

// RFC 8259, section 7: quotation mark, reverse solidus and the control
// characters U+0000 to U+001F must be escaped; all else may stand as it is.
TEST(Json, StringsEscapeWhatTheyMustAndKeepTheRest) {
    const struct {
        std::string Text, Json;
    } cases[] = {
        {"", R"("")"},
        {R"(say "hi" \ bye)", R"("say \"hi\" \\ bye")"},
        {"\b\f\n\r\t", R"("\b\f\n\r\t")"},
        {std::string("\0\x01\x1f", 3), R"("\u0000\u0001\u001f")"},
        {"\x7f/", "\"\x7f/\""},  // DEL and solidus need no escape
        {"Zunehmend, Gewölbt 🌔", "\"Zunehmend, Gewölbt 🌔\""},  // bytes above 0x7F are no controls
    };
    for (const auto& c : cases) EXPECT_EQ(JsonString(c.Text), c.Json) << c.Json;
}

TEST(Json, NumbersInFixedPointAndNullWhenNotFinite) {
    EXPECT_EQ(JsonNumber(71.84, 1), "71.8");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN(), 2), "null");
    EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::infinity(), 1), "null");
}

TEST(Json, ObjectsAndArraysKeepTheirOrder) {
    EXPECT_EQ(JsonObject().Text(), "{}");
    EXPECT_EQ(JsonObject().Add("b", "1").Add("a\"", "[]").Text(), R"({"b":1,"a\"":[]})");
    EXPECT_EQ(JsonArray({}), "[]");
    EXPECT_EQ(JsonArray({"1", R"("x")"}), R"([1,"x"])");
}

}  // namespace
}  // namespace selenara
