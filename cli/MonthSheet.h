// The month as a calendar sheet for the terminal, and the month's phase
// events as a list below it.
#pragma once

#include "model/MonthTable.h"
#include "texts/Captions.h"

#include <string>
#include <vector>

namespace selenara {

// The one-character mark of a phase in the sheet, the same in every language:
// '@' new moon, ')' first quarter, 'O' full moon, '(' last quarter,
// 'B' blue moon; a blank for no phase.
char PhaseMark(PhaseKind kind);

// The sheet of a month table: the centred caption, the weekday header
// (Monday first in German, Sunday first in English) and one line a week.
// Each day takes four columns: a separator, the day right-aligned in two,
// then its phase mark; today's day and mark stand in brackets, which take
// the separators on either side. Lines end in "\n", without trailing blanks.
// Empty for a table without days.
std::string MonthSheet(const TMonat& table, LanguageId language);

// One line an event, in the given order: the phase mark, the phase name in
// the language, the local date ("24.12.2026" in German, "2026-12-24" in
// English) and the local clock time in the language's style.
std::string PhaseEventList(const std::vector<PhaseEvent>& events, LanguageId language);

}  // namespace selenara
