#include "texts/TextTable.h"

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
    while (!data.empty()) {
        const std::size_t end = std::min(data.find('\n'), data.size());
        const std::string_view line = data.substr(0, end);
        data.remove_prefix(std::min(end + 1, data.size()));
        const std::size_t tab1 = line.find('\t');
        if (line.empty() || line[0] == '#' || tab1 == std::string_view::npos) continue;
        int id = 0;
        if (std::from_chars(line.data(), line.data() + tab1, id).ec != std::errc{}) continue;
        const std::string_view rest = line.substr(tab1 + 1);
        const std::size_t tab2 = std::min(rest.find('\t'), rest.size());
        Entry& entry = table[id];
        entry[0] = Unescape(rest.substr(0, tab2));
        entry[1] = tab2 < rest.size() ? Unescape(rest.substr(tab2 + 1)) : std::string();
    }
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
