#pragma once

#include <array>
#include <cstdint>

namespace ventaro {

// Most breakpoints a storm gets: the limit of the erosion model's breakpoint climate files.
inline constexpr int kMaxBreakpoints = 50;
// Decimals of the time (hours after midnight) and of the cumulative depth (mm) of a breakpoint.
inline constexpr int kCasasHoraBreakpoint = 3;
inline constexpr int kCasasLaminaBreakpoint = 2;

// One breakpoint as it is written: the time in thousandths of an hour after midnight and the
// cumulative depth in hundredths of a millimetre.
struct Breakpoint {
    int64_t Hora = 0;
    int64_t Lamina = 0;
    bool operator==(const Breakpoint&) const = default;
};

// Every storm is centred on noon: it starts at 12 - D/2 h and ends at 12 + D/2 h, within its
// day for any duration up to 24 h.
inline double InicioTempestade(double D) {
    return 12.0 - D / 2.0;
}

// The breakpoints of a storm of depth P (mm), duration D (h), normalised time to peak tp and
// peak intensity ip (mm/h), whose normalised intensity profile rises with rate B (ParamB) to
// the peak and falls after it with rate Dd (ParamD), as in the store. The points follow the
// profile's cumulative depth, spaced by equal shares of the depth on each limb (the peak is one
// of them), so that the intervals are shortest where the rain is most intense. The first point
// is the start with depth 0, the last is the end with exactly P (rounded to its written
// decimals); times and depths, as written, increase strictly from point to point (a point that
// would repeat a written value is dropped). A profile that cannot be integrated (no storm
// simulated) gives uniform rain. Returns the number of points, 2 to kMaxBreakpoints.
int CalcularBreakpoints(double P, double D, double tp, double ip, double B, double Dd,
                        std::array<Breakpoint, kMaxBreakpoints>& pontos);

}  // namespace ventaro
