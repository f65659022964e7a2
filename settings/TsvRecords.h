// The built-in tables' data files: tab-separated text, one record a line.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace selenara {

// Hands each record of a data file in order to `record`, as its fields (the
// text between tabs). Empty lines and lines opening with '#' are comments and
// left out; a carriage return ending a line is dropped. The views point into
// `data`; the vector is reused for the next record.
void ForEachTsvRecord(std::string_view data,
                      const std::function<void(const std::vector<std::string_view>& fields)>& record);

}  // namespace selenara
