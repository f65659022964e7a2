// JSON text (RFC 8259) for the almanac's --json output: strings, numbers,
// null, objects and arrays, written as they are built.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace selenara {

// A JSON string of UTF-8 text: quotation mark and reverse solidus escaped,
// control characters as \b \f \n \r \t or \u00XX; all else as it is.
std::string JsonString(std::string_view text);

// A number with `decimals` digits after the point; null when not finite,
// which JSON cannot hold.
std::string JsonNumber(double value, int decimals);

// An array of values, each already JSON text.
std::string JsonArray(const std::vector<std::string>& values);

// An object, its members in the order they are added; names are escaped,
// values must already be JSON text.
class JsonObject {
public:
    JsonObject& Add(std::string_view name, const std::string& json);
    std::string Text() const { return text_ + '}'; }

private:
    std::string text_ = "{";
};

}  // namespace selenara
