#include "cli/MonthSheet.h"

#include "cli/Records.h"
#include "cli/Utf8.h"
#include "texts/Captions.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace selenara {
namespace {

constexpr int ColumnWidth = 4;
// The seven day columns and the separator after the last, where a bracket
// closing today may stand.
constexpr std::size_t SheetWidth = 7 * ColumnWidth + 1;

// Characters, not bytes: month and phase names carry umlauts in German.
std::size_t DisplayWidth(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

std::string PadRight(std::string text, std::size_t width) {
    const std::size_t shown = DisplayWidth(text);
    if (shown < width) text.append(width - shown, ' ');
    return text;
}

std::string PadLeft(const std::string& text, std::size_t width) {
    const std::size_t shown = DisplayWidth(text);
    return shown < width ? std::string(width - shown, ' ') + text : text;
}

void EndLine(std::string& sheet, std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    sheet += line;
    sheet += '\n';
}

std::string DateText(DayNumber day, LanguageId language) {
    if (language == English) return IsoDate(day);
    const Date d = DayNumberToDate(day);
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", d.Day, d.Month, d.Year);
    return text;
}

}  // namespace

char PhaseMark(PhaseKind kind) {
    switch (kind) {
        case PhaseKind::NewMoon: return '@';
        case PhaseKind::FirstQuarter: return ')';
        case PhaseKind::FullMoon: return 'O';
        case PhaseKind::LastQuarter: return '(';
        case PhaseKind::BlueMoon: return 'B';
        case PhaseKind::None: break;
    }
    return ' ';
}

std::string MonthSheet(const TMonat& table, LanguageId language) {
    if (table.AnzahlTage == 0) return {};
    std::string sheet;
    const std::string title = MonatJahrText(table.Monat, table.Jahr, language);
    EndLine(sheet,
            std::string((SheetWidth - std::min(SheetWidth, DisplayWidth(title))) / 2, ' ') + title);

    const int first = FirstWeekday(language);
    std::string header;
    for (int column = 0; column < 7; ++column)
        header += ' ' + PadRight(Leading(WeekdayName((first + column) % 7, language), 2), 3);
    EndLine(sheet, header);

    std::string line(SheetWidth, ' ');
    for (int day = 1; day <= table.AnzahlTage; ++day) {
        const TTagInfo& info = table.Tage[day];
        const int column = ColumnOfWeekday(info.Wochentag, first);
        const std::size_t at = static_cast<std::size_t>(column) * ColumnWidth;
        char cell[8];
        std::snprintf(cell, sizeof cell, "%2d%c", day, PhaseMark(info.Phase));
        line.replace(at + 1, 3, cell);
        if (info.Heute) {
            line[at] = '[';
            line[at + ColumnWidth] = ']';
        }
        if (column == 6 || day == table.AnzahlTage) {
            EndLine(sheet, line);
            line.assign(SheetWidth, ' ');
        }
    }
    return sheet;
}

std::string PhaseEventList(const std::vector<PhaseEvent>& events, LanguageId language) {
    std::size_t nameWidth = 0;
    for (const PhaseKind kind : {PhaseKind::NewMoon, PhaseKind::FirstQuarter, PhaseKind::FullMoon,
                                 PhaseKind::LastQuarter, PhaseKind::BlueMoon})
        nameWidth = std::max(nameWidth, DisplayWidth(PhaseName(kind, language)));
    const bool use24 = Use24StdFor(language);
    // Noon gives the widest text of either style ("12:00", "12:00 PM").
    const std::size_t timeWidth = DisplayWidth(ZeitText(JoinSecondOfDay(12, 0, 0), use24));
    std::string list;
    for (const PhaseEvent& e : events) {
        list += PhaseMark(e.Kind);
        list += ' ';
        list += PadRight(PhaseName(e.Kind, language), nameWidth + 2);
        list += DateText(e.Local.Day, language);
        list += ' ';
        list += PadLeft(ZeitText(e.Local.Second, use24), timeWidth);
        list += '\n';
    }
    return list;
}

}  // namespace selenara
