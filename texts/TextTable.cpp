#include "texts/TextTable.h"

#include "settings/TsvRecords.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <string_view>
#include <unordered_map>

extern const unsigned char TextData[];
extern const std::size_t TextData_size;

namespace selenara {
namespace {

using Entry = std::array<std::string, 2>;  // German, English

// "\r" stands for a carriage return and "\\" for a backslash in the data files.
std::string Unescape(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 1 < field.size()) {
            const char next = field[++i];
            text += next == 'r' ? '\r' : next;
        } else {
            text += field[i];
        }
    }
    return text;
}

// One entry a line: id, German, English, separated by tabs; '#' opens a comment.
std::unordered_map<int, Entry> ParseTable(std::string_view data) {
    std::unordered_map<int, Entry> table;
    ForEachTsvRecord(data, [&table](const std::vector<std::string_view>& fields) {
        int id = 0;
        if (fields.size() < 2 ||
            std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), id).ec != std::errc{})
            return;
        Entry& entry = table[id];
        entry[0] = Unescape(fields[1]);
        entry[1] = fields.size() > 2 ? Unescape(fields[2]) : std::string();
    });
    return table;
}

const std::unordered_map<int, Entry>& Table() {
    static const std::unordered_map<int, Entry> table =
        ParseTable({reinterpret_cast<const char*>(TextData), TextData_size});
    return table;
}

}  // namespace

std::string TextById(int id, LanguageId language) {
    if (language != German && language != English) return {};
    const auto found = Table().find(id);
    if (found == Table().end()) return {};
    const std::string& stored = found->second[language - 1];
    // The stored texts carry an end mark "||" that is not part of the text.
    return stored.substr(0, stored.find('|'));
}

}  // namespace selenara
