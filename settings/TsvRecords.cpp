#include "settings/TsvRecords.h"

#include <algorithm>

namespace selenara {

std::vector<std::vector<std::string_view>> TsvRecords(std::string_view data) {
    std::vector<std::vector<std::string_view>> records;
    while (!data.empty()) {
        const std::size_t end = std::min(data.find('\n'), data.size());
        std::string_view line = data.substr(0, end);
        data.remove_prefix(std::min(end + 1, data.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string_view>& fields = records.emplace_back();
        for (;;) {
            const std::size_t tab = line.find('\t');
            fields.push_back(line.substr(0, tab));
            if (tab == std::string_view::npos) break;
            line.remove_prefix(tab + 1);
        }
    }
    return records;
}

}  // namespace selenara
