// The dates the reports of a race day print, all counted back from that day.
#include "demo/race_dates.h"

#include "core/document/decoder.h"

namespace analysis::demo {
namespace {

// Race day 0, 28 November 1973, as days since 1 January 1970.
constexpr int RaceDayZero = 1427;

struct CivilDate {
    int year;
    int month;
    int day;
};

// The proleptic Gregorian date of a day count since 1 January 1970, negative counts included;
// past races can lie before race day 0, where the decoder's calendar does not reach.
CivilDate civilFromDays(int days) {
    int z = days + 719468;
    int era = (z >= 0 ? z : z - 146096) / 146097;
    int doe = z - era * 146097;
    int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int mp = (5 * doy + 2) / 153;
    int day = doy - (153 * mp + 2) / 5 + 1;
    int month = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

constexpr const char* MonthNames = "JanFebMarAprMayJunJulAugSepOctNovDec";

} // namespace

std::string raceDayText(std::uint16_t raceDay) {
    return RaceDateText(raceDay);
}

std::string shortDate(std::uint16_t raceDay, int daysBefore) {
    CivilDate date = civilFromDays(RaceDayZero + int(raceDay) - daysBefore);
    std::string text = std::to_string(100 + date.day).substr(1);
    text.append(MonthNames + 3 * (date.month - 1), 3);
    return text;
}

} // namespace analysis::demo
