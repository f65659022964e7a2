// What a screen reader finds in the day grid: a table of 6 rows and 7
// columns whose cells are the days, each named with its whole date, a
// "today" mark and its phase (texts/SpokenDay.h); empty cells have no name.
// The focus day is the table's focused and selected cell.
#pragma once

namespace selenara {

// Installs the table for every DayGrid, once per program.
void InstallDayGridAccessible();

}  // namespace selenara
