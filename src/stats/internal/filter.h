// Time-window helpers that the C interface shares with the members.
#ifndef CORVIXMATH_STATS_INTERNAL_FILTER_H
#define CORVIXMATH_STATS_INTERNAL_FILTER_H

#include <cstdint>

namespace corvix {
namespace stats {

// FilterValueArray over series whose times, counts and centre times are 32-bit integers: the
// same windows, the same results.
long FilterValueArray32(const double* const* values, const std::int32_t* const* times,
                        std::int32_t seriesCount, const std::int32_t* sampleCounts, double* minimum,
                        double* maximum, double* mean, std::int32_t* centres, std::int32_t width,
                        std::int32_t step);

// The same for the day's windows firstWindow..lastWindow alone (0 is centred at 0): each window
// gives what the whole day's call gives for it, since a window's entry depends on its own
// samples only, and the entries start at the outputs' first element.
long FilterWindowRange32(const double* const* values, const std::int32_t* const* times,
                         std::int32_t seriesCount, const std::int32_t* sampleCounts,
                         double* minimum, double* maximum, double* mean, std::int32_t* centres,
                         std::int32_t width, std::int32_t step, std::int64_t firstWindow,
                         std::int64_t lastWindow);

// The times the windows of one call cover, from the first window's lower bound to the last
// window's upper bound (not included): a sample outside takes part in no window. False, with
// nothing written, for a width or step of 0 or less, which give no window.
//   3600, 3600 -> -1800, 88200;  3601, 600 -> -1800, 88201
bool CoveredSeconds(long width, long step, std::int64_t* first, std::int64_t* end);

}  // namespace stats
}  // namespace corvix

#endif  // CORVIXMATH_STATS_INTERNAL_FILTER_H
