#include "cli/Ics.h"

#include "cli/Utf8.h"

#include <cstdio>

namespace selenara {
namespace {

constexpr std::size_t MaxLineOctets = 75;

}  // namespace

std::string EscapeText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '\\': escaped += "\\\\"; break;
            case ';': escaped += "\\;"; break;
            case ',': escaped += "\\,"; break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
                escaped += "\\n";
                break;
            case '\n': escaped += "\\n"; break;
            default:
                if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t') escaped += c;
        }
    }
    return escaped;
}

std::string FoldLine(std::string_view line) {
    std::string folded;
    folded.reserve(line.size() + line.size() / 64 * 3 + 2);
    std::size_t room = MaxLineOctets;
    while (line.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && IsContinuationByte(line[cut])) --cut;
        // Only malformed text has no character start in reach; cut it anyway.
        if (cut == 0) cut = room;
        folded.append(line.substr(0, cut));
        folded += "\r\n ";
        line.remove_prefix(cut);
        room = MaxLineOctets - 1;
    }
    folded.append(line);
    folded += "\r\n";
    return folded;
}

std::string UtcDateTime(UtDayTime ut) {
    const Date d = ProlepticDate(ut.Day);
    const ClockTime t = SplitSecondOfDay(ut.Second);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", d.Year, d.Month, d.Day, t.Hours,
                  t.Minutes, t.Seconds);
    return text;
}

std::string CalendarText(std::string_view productId, const std::vector<IcsEvent>& events) {
    std::string text;
    const auto line = [&text](std::string_view content) { text += FoldLine(content); };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line("PRODID:" + std::string(productId));
    line("CALSCALE:GREGORIAN");
    for (const IcsEvent& e : events) {
        const std::string start = UtcDateTime(e.Start);
        line("BEGIN:VEVENT");
        line("UID:" + EscapeText(e.Uid));
        // The event's own instant rather than the export time: an event's
        // content never changes, and a re-export gives the same bytes.
        line("DTSTAMP:" + start);
        line("DTSTART:" + start);
        line("SUMMARY" + (e.Language.empty() ? "" : ";LANGUAGE=" + e.Language) + ':' +
             EscapeText(e.Summary));
        // A moment in the sky, not an appointment: it must not block free time.
        line("TRANSP:TRANSPARENT");
        line("END:VEVENT");
    }
    line("END:VCALENDAR");
    return text;
}

}  // namespace selenara
