// Arbitrary command lines for selenara-almanac, one argument a line: every
// value parser answers with a value or a reason, and the command ends with
// status 0, or 2 and a one-line message, writing to memory. No reason or
// message carries a control character of an argument to the terminal.
#include "FuzzInput.h"

#include "cli/Almanac.h"
#include "cli/Arguments.h"

#include <algorithm>
#include <sstream>
#include <string_view>
#include <vector>

namespace selenara::fuzz {
namespace {

// Central European winter time, "now" on 8 December 2026 at noon.
class WinterClock final : public ZoneClock {
public:
    UtDayTime UtNow() const override { return {DateToDayNumber(8, 12, 2026), JoinSecondOfDay(11, 0, 0)}; }
    int UtcOffsetSecondsAt(UtDayTime) const override { return 3600; }
};

std::vector<std::string> Split(std::string_view input) {
    std::vector<std::string> args;
    while (!input.empty() && args.size() < 8) {
        const std::size_t end = std::min(input.find('\n'), input.size());
        args.emplace_back(input.substr(0, end));
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    return args;
}

// No C0 control character and no DEL.
bool Printable(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x20 || b == 0x7F;
    });
}

// An argument as messages show it: printable, at most 60 characters (an
// escaped one takes up to 8 bytes, "\xc2\x9b") and the ellipsis, and a short
// text of printable ASCII unchanged.
void CheckShown(const std::string& text) {
    const std::string shown = ShownArgument(text);
    FUZZ_CHECK(Printable(shown));
    FUZZ_CHECK(shown.size() <= 60 * 8 + std::string_view("…").size());
    const bool plain =
        !text.empty() && text.size() <= 60 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c < 0x7F; });
    if (plain) FUZZ_CHECK(shown == text);
}

// Every parser on one text, collecting the days and months it names.
void ParseAll(const std::string& text, std::vector<DayNumber>& days, std::vector<int>& months) {
    const Parsed<YearMonth> m = ParseMonth(text);
    if (m.Ok()) {
        FUZZ_CHECK(m.Value.Year >= FirstYear && m.Value.Year <= LastYear);
        FUZZ_CHECK(m.Value.Month >= 1 && m.Value.Month <= 12);
        months.push_back(m.Value.Year * 12 + m.Value.Month);
    }
    const Parsed<DayNumber> d = ParseDay(text);
    if (d.Ok()) {
        FUZZ_CHECK(IsValidDay(d.Value));
        days.push_back(d.Value);
    }
    for (const int limit : {90, 180}) {
        const Parsed<double> v = ParseDegrees(text, limit);
        if (v.Ok()) FUZZ_CHECK(std::isfinite(v.Value) && std::fabs(v.Value) <= limit);
        else FUZZ_CHECK(Printable(v.Error));
    }
    const Parsed<int> year = ParseYear(text), month = ParseMonthNumber(text);
    if (year.Ok()) FUZZ_CHECK(year.Value >= FirstYear && year.Value <= LastYear);
    if (month.Ok()) FUZZ_CHECK(month.Value >= 1 && month.Value <= 12);
    const Parsed<LanguageId> language = ParseLanguage(text);
    FUZZ_CHECK(language.Ok() == (text == "de" || text == "en"));
}

// Long spans are valid requests but take seconds; the parsing is the point.
template <typename T>
bool Short(const std::vector<T>& values, T limit) {
    if (values.empty()) return true;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return *high - *low <= limit;
}

}  // namespace
}  // namespace selenara::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace selenara;
    using namespace selenara::fuzz;
    const std::vector<std::string> args = Split({reinterpret_cast<const char*>(data), size});
    std::vector<DayNumber> days;
    std::vector<int> months;
    for (const std::string& arg : args) {
        ParseAll(arg, days, months);
        CheckShown(arg);
    }
    if (!Short(days, 62) || !Short(months, 24)) return 0;

    std::ostringstream out, err;
    const int status = RunAlmanac(args, out, err, WinterClock{});
    // Memory takes every write, so the output never fails.
    FUZZ_CHECK(status == AlmanacDone || status == AlmanacBadArgument);
    if (status == AlmanacDone) FUZZ_CHECK(err.str().empty());
    if (status == AlmanacBadArgument && !args.empty()) {
        const std::string message = err.str();
        FUZZ_CHECK(!message.empty() && message.back() == '\n');
        // One line, without any control character of the arguments.
        FUZZ_CHECK(Printable(std::string_view(message).substr(0, message.size() - 1)));
    }
    return 0;
}
