#include "platform/SystemClock.h"

#include <ctime>

namespace selenara {
namespace {

constexpr DayNumber UnixEpochDay = DateToDayNumber(1, 1, 1970);

bool LocalTm(std::time_t t, std::tm& out) {
#ifdef _WIN32
    return localtime_s(&out, &t) == 0;
#else
    return localtime_r(&t, &out) != nullptr;
#endif
}

long OffsetSeconds(std::time_t t, const std::tm& local) {
#ifdef _WIN32
    std::tm copy = local;
    return static_cast<long>(_mkgmtime(&copy) - t);
#else
    (void)t;
    return local.tm_gmtoff;
#endif
}

}  // namespace

DayTime SystemClock::LocalNow() const {
    std::tm local{};
    if (!LocalTm(std::time(nullptr), local)) return {};
    const int year = local.tm_year + 1900;
    // A clock set outside the calendar's years reads as the nearer end of them.
    if (year < FirstYear) return {FirstDay, 0};
    if (year > LastYear) return {LastDay, SecondsPerDay - 1};
    return {DateToDayNumber(local.tm_mday, local.tm_mon + 1, year),
            local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec};
}

int SystemClock::UtcOffsetMinutesAt(DayTime ut) const {
    const std::time_t t =
        static_cast<std::time_t>(ut.Day - UnixEpochDay) * SecondsPerDay + ut.Second;
    std::tm local{};
    // A zone the system cannot answer for leaves the instant in UT.
    if (!LocalTm(t, local)) return 0;
    return static_cast<int>(OffsetSeconds(t, local) / 60);
}

}  // namespace selenara
