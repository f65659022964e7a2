// The shape of an almanac command line: the command, its operands, then
// its options.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selenara {

// The options a command takes, or-ed together.
enum CommandOption : unsigned {
    LanguageOption = 1,  // --lang de|en, --lang=de
    FormatOption = 2,    // --format FMT, --format=FMT
    JsonOption = 4,      // --json
};

// The arguments sorted; the values are not yet checked.
struct CommandLine {
    std::vector<std::string> Operands;
    std::string Language = "de";
    std::optional<std::string> Format;
    bool Json = false;
};

// Reads the arguments after the command `args[0]`: exactly the operands
// `names`, then any of the `options` (a later one of a kind wins). Returns
// the error, naming the command or the option, with arguments quoted as
// ShownArgument does; empty when the arguments have the right shape.
std::string ReadCommandLine(const std::vector<std::string>& args,
                            std::initializer_list<std::string_view> names, unsigned options,
                            CommandLine& line);

}  // namespace selenara
