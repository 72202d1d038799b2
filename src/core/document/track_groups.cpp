// The track group table.
#include "core/document/track_groups.h"

#include <array>

namespace analysis {
namespace {

constexpr std::array<std::string_view, 25> Rows = {
    "(A) Tam                 ", "(B) GGx Fer SRx Sac Fno ", "(C) SAx Dmr LRC LAx     ",
    "(D) Del                 ", "(E) Cby EmD             ", "(F) GPx GPW OTC         ",
    "(G) WOx                 ", "(H) Ind                 ", "(I) APx Haw FAN         ",
    "(J) Mth Med             ", "(K) CDx Kee TPx ElP KDx ", "(L) FGx LaD             ",
    "(M) Pim Lrl Tim Cnl     ", "(N) Pen                 ", "(O) MVR Tdn BtP PrM     ",
    "(P) Prx                 ", "(Q) PID FEx             ", "(R) OPx RPx WRD FMT     ",
    "(S) Sun TuP Zia Ril SrP ", "(T) LSx Hou Ret         ", "(U) DeD EvD             ",
    "(V) CTx                 ", "(W) Mnr                 ", "(X) FLx                 ",
    "(Y) Bel Aqu Sar         "};

} // namespace

std::span<const std::string_view> TrackGroupTable() {
    return Rows;
}

bool isTrackSelected(std::string_view track, std::string_view trackGroups) {
    for (std::string_view row : Rows)
        if (row.find(track) != std::string_view::npos &&
            trackGroups.find(row[1]) != std::string_view::npos)
            return true;
    return false;
}

} // namespace analysis
