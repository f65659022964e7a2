#include "settings/TsvRecords.h"

#include <algorithm>

namespace selenara {

void ForEachTsvRecord(std::string_view data,
                      const std::function<void(const std::vector<std::string_view>& fields)>& record) {
    // One vector for all records: the tables are read at start-up, and the
    // place table alone has thousands of lines.
    std::vector<std::string_view> fields;
    while (!data.empty()) {
        const std::size_t end = std::min(data.find('\n'), data.size());
        std::string_view line = data.substr(0, end);
        data.remove_prefix(std::min(end + 1, data.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        fields.clear();
        for (;;) {
            const std::size_t tab = line.find('\t');
            fields.push_back(line.substr(0, tab));
            if (tab == std::string_view::npos) break;
            line.remove_prefix(tab + 1);
        }
        record(fields);
    }
}

}  // namespace selenara
