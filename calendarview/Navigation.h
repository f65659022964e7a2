// The shown month and year and how the navigation row steps them: months
// wrap around the year, years stay within 1990..2020 (a current year outside
// that range is shown, and the year buttons move it only towards the range).
#pragma once

namespace selenara {

inline constexpr int MinJahr = 1990;
inline constexpr int MaxJahr = 2020;

struct ShownMonth {
    int CurMonat = 1;
    int CurJahr = MinJahr;
    friend constexpr bool operator==(ShownMonth, ShownMonth) = default;
};

constexpr ShownMonth PrevMonat(ShownMonth s) {
    if (s.CurMonat > 1) return {s.CurMonat - 1, s.CurJahr};
    return {12, s.CurJahr > MinJahr ? s.CurJahr - 1 : s.CurJahr};
}

constexpr ShownMonth NextMonat(ShownMonth s) {
    if (s.CurMonat < 12) return {s.CurMonat + 1, s.CurJahr};
    return {1, s.CurJahr < MaxJahr ? s.CurJahr + 1 : s.CurJahr};
}

constexpr ShownMonth PrevJahr(ShownMonth s) {
    return {s.CurMonat, s.CurJahr > MinJahr ? s.CurJahr - 1 : s.CurJahr};
}

constexpr ShownMonth NextJahr(ShownMonth s) {
    return {s.CurMonat, s.CurJahr < MaxJahr ? s.CurJahr + 1 : s.CurJahr};
}

// Position of a year in the year list 1990..2020, or -1 (no selection).
constexpr int YearListPosition(int jahr) {
    return jahr >= MinJahr && jahr <= MaxJahr ? jahr - MinJahr : -1;
}

}  // namespace selenara
