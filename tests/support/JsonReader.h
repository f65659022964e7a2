// A strict reader of JSON text (RFC 8259) for tests: whatever the program
// writes must read here, and come back as values the test can look into.
#pragma once

#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selenara::testing {

struct JsonValue {
    enum class Type { Null, Boolean, Number, String, Array, Object };
    Type Kind = Type::Null;
    bool Boolean = false;
    double Number = 0.0;
    std::string String;
    std::vector<JsonValue> Items;
    std::map<std::string, JsonValue, std::less<>> Members;

    bool IsNull() const { return Kind == Type::Null; }
    // The member `name` of an object; null when there is none.
    const JsonValue& operator[](std::string_view name) const {
        static const JsonValue none;
        const auto it = Members.find(name);
        return it == Members.end() ? none : it->second;
    }
};

class JsonReader {
public:
    // The one value of `text`, with only white space around it; none for
    // anything that is not JSON (a trailing comma, NaN, a raw control
    // character in a string, a lone surrogate, a duplicate name …).
    static std::optional<JsonValue> Read(std::string_view text) {
        JsonReader reader(text);
        JsonValue value;
        if (!reader.Value(value, 0)) return std::nullopt;
        reader.Blank();
        if (reader.at_ != text.size()) return std::nullopt;
        return value;
    }

private:
    explicit JsonReader(std::string_view text) : text_(text) {}

    void Blank() {
        while (at_ < text_.size() && std::string_view(" \t\n\r").find(text_[at_]) != std::string_view::npos)
            ++at_;
    }
    bool Take(char c) {
        Blank();
        if (at_ == text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool Word(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return false;
        at_ += word.size();
        return true;
    }

    bool Value(JsonValue& v, int depth) {
        if (depth > 64) return false;
        Blank();
        if (at_ == text_.size()) return false;
        switch (text_[at_]) {
            case '{': return Object(v, depth);
            case '[': return Array(v, depth);
            case '"': v.Kind = JsonValue::Type::String; return String(v.String);
            case 't': v.Kind = JsonValue::Type::Boolean; v.Boolean = true; return Word("true");
            case 'f': v.Kind = JsonValue::Type::Boolean; return Word("false");
            case 'n': v = {}; return Word("null");
            default: v.Kind = JsonValue::Type::Number; return Number(v.Number);
        }
    }

    bool Object(JsonValue& v, int depth) {
        v.Kind = JsonValue::Type::Object;
        ++at_;
        if (Take('}')) return true;
        do {
            std::string name;
            JsonValue member;
            Blank();
            if (!String(name) || !Take(':') || !Value(member, depth + 1)) return false;
            if (!v.Members.emplace(std::move(name), std::move(member)).second) return false;
        } while (Take(','));
        return Take('}');
    }

    bool Array(JsonValue& v, int depth) {
        v.Kind = JsonValue::Type::Array;
        ++at_;
        if (Take(']')) return true;
        do {
            v.Items.emplace_back();
            if (!Value(v.Items.back(), depth + 1)) return false;
        } while (Take(','));
        return Take(']');
    }

    // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
    bool Number(double& number) {
        const std::size_t start = at_;
        const auto digits = [this] {
            const std::size_t first = at_;
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
            return at_ - first;
        };
        if (at_ < text_.size() && text_[at_] == '-') ++at_;
        const std::size_t lead = at_;
        const std::size_t whole = digits();
        if (whole == 0 || (whole > 1 && text_[lead] == '0')) return false;
        if (at_ < text_.size() && text_[at_] == '.' && (++at_, digits() == 0)) return false;
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
            if (digits() == 0) return false;
        }
        return std::from_chars(text_.data() + start, text_.data() + at_, number).ec == std::errc{};
    }

    bool Hex4(std::uint32_t& unit) {
        if (at_ + 4 > text_.size()) return false;
        const char* first = text_.data() + at_;
        at_ += 4;
        return std::from_chars(first, first + 4, unit, 16).ptr == first + 4;
    }

    static void AppendUtf8(std::string& s, std::uint32_t cp) {
        if (cp < 0x80) {
            s += static_cast<char>(cp);
        } else if (cp < 0x800) {
            s += {static_cast<char>(0xC0 | cp >> 6), static_cast<char>(0x80 | (cp & 0x3F))};
        } else if (cp < 0x10000) {
            s += {static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | (cp >> 6 & 0x3F)),
                  static_cast<char>(0x80 | (cp & 0x3F))};
        } else {
            s += {static_cast<char>(0xF0 | cp >> 18), static_cast<char>(0x80 | (cp >> 12 & 0x3F)),
                  static_cast<char>(0x80 | (cp >> 6 & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
        }
    }

    bool Escape(std::string& s) {
        if (at_ == text_.size()) return false;
        const char c = text_[at_++];
        constexpr std::string_view From = "\"\\/bfnrt", To = "\"\\/\b\f\n\r\t";
        if (const std::size_t i = From.find(c); i != std::string_view::npos) {
            s += To[i];
            return true;
        }
        std::uint32_t unit = 0;
        if (c != 'u' || !Hex4(unit)) return false;
        if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            std::uint32_t low = 0;
            if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(s, unit);
        return true;
    }

    bool String(std::string& s) {
        if (at_ == text_.size() || text_[at_] != '"') return false;
        for (++at_; at_ < text_.size();) {
            const char c = text_[at_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') s += c;
            else if (!Escape(s)) return false;
        }
        return false;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace selenara::testing
