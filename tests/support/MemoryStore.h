// A settings store in memory for tests; values of other types or unreadable
// ones are set by hand, and a write can be refused by key.
#pragma once

#include "settings/Settings.h"

#include <map>
#include <string>

namespace selenara::testing {

class MemoryStore final : public SettingsStore {
public:
    std::map<std::string, Value, std::less<>> values;
    bool writable = true;
    int syncs = 0;

    Value Read(std::string_view key) override {
        const auto it = values.find(key);
        return it == values.end() ? Value{} : it->second;
    }
    bool RemoveGroup() override {
        if (writable) values.clear();
        return writable;
    }
    WriteStatus Write(std::string_view key, const std::string& text) override {
        if (key == refuse) return WriteStatus::Refused;
        values[std::string(key)] = {ReadStatus::Text, text};
        return WriteStatus::Written;
    }
    bool Sync() override { return ++syncs > 0; }
    void Set(const std::string& key, const std::string& text) { values[key] = {ReadStatus::Text, text}; }
    std::string refuse;
};

}  // namespace selenara::testing
