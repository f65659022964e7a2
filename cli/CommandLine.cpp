#include "cli/CommandLine.h"

#include "cli/Arguments.h"

namespace selenara {
namespace {

struct OptionName {
    CommandOption Option;
    std::string_view Name;
    bool TakesValue;
};

constexpr OptionName OptionNames[] = {
    {LanguageOption, "--lang", true},
    {FormatOption, "--format", true},
    {JsonOption, "--json", false},
};

// The option an argument gives, among those allowed; none for any other.
std::optional<OptionName> OptionOf(std::string_view arg, unsigned options) {
    for (const OptionName& o : OptionNames) {
        if ((options & o.Option) == 0 || !arg.starts_with(o.Name)) continue;
        if (arg.size() == o.Name.size() || (o.TakesValue && arg[o.Name.size()] == '=')) return o;
    }
    return std::nullopt;
}

}  // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one pass, each branch one message
std::string ReadCommandLine(const std::vector<std::string>& args,
                            std::initializer_list<std::string_view> names, unsigned options,
                            CommandLine& line) {
    std::size_t i = 1;
    for (; i < args.size() && line.Operands.size() < names.size(); ++i) {
        if (args[i].starts_with("--")) break;
        line.Operands.push_back(args[i]);
    }
    if (line.Operands.size() < names.size()) {
        if (i == args.size())
            return args[0] + ": missing " + std::string(names.begin()[line.Operands.size()]);
        const std::optional<OptionName> option = OptionOf(args[i], options);
        if (!option) return args[0] + ": unknown option: " + ShownArgument(args[i]);
        std::string error = std::string(option->Name) + ": must follow";
        for (const std::string_view name : names) error += ' ' + std::string(name);
        return error;
    }
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::optional<OptionName> option = OptionOf(arg, options);
        if (!option)
            return args[0] + (arg.starts_with("--") ? ": unknown option: " : ": unexpected argument: ") +
                   ShownArgument(arg);
        if (!option->TakesValue) {
            line.Json = true;
            continue;
        }
        std::string value;
        if (arg.size() > option->Name.size()) {
            value = arg.substr(option->Name.size() + 1);
        } else if (i + 1 == args.size()) {
            return std::string(option->Name) + ": missing value";
        } else {
            value = args[++i];
        }
        if (option->Option == LanguageOption) line.Language = value;
        else line.Format = value;
    }
    return {};
}

}  // namespace selenara
