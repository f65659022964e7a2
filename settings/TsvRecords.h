// The built-in tables' data files: tab-separated text, one record a line.
#pragma once

#include <string_view>
#include <vector>

namespace selenara {

// The records of a data file in order, each as its fields (the text between
// tabs). Empty lines and lines opening with '#' are comments and left out;
// a carriage return ending a line is dropped. The views point into `data`.
std::vector<std::vector<std::string_view>> TsvRecords(std::string_view data);

}  // namespace selenara
