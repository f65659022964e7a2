#include "cli/Json.h"

#include "cli/Records.h"

#include <cmath>
#include <cstdio>

namespace selenara {

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': json += "\\\""; break;
            case '\\': json += "\\\\"; break;
            case '\b': json += "\\b"; break;
            case '\f': json += "\\f"; break;
            case '\n': json += "\\n"; break;
            case '\r': json += "\\r"; break;
            case '\t': json += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    json += escaped;
                } else {
                    json += c;
                }
        }
    }
    return json + '"';
}

std::string JsonNumber(double value, int decimals) {
    return std::isfinite(value) ? FixedPoint(value, decimals) : "null";
}

std::string JsonArray(const std::vector<std::string>& values) {
    std::string json = "[";
    for (const std::string& value : values) json += (json.size() > 1 ? "," : "") + value;
    return json + ']';
}

JsonObject& JsonObject::Add(std::string_view name, const std::string& json) {
    if (text_.size() > 1) text_ += ',';
    text_ += JsonString(name) + ':' + json;
    return *this;
}

}  // namespace selenara
