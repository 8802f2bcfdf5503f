// The C interface of the number and address checks, the statistics and the time windows. Each
// function forwards to its member; series are read with 32-bit times and counts.
//
//   cm_is_digit("-1.5M")                             -> 5
//   cm_is_valid_ip_and_port_string("1.2.3.4:80", a, &p) -> 1, "1.2.3.4", 80
#include "capi/internal/forward.h"
#include "stats/internal/filter.h"

using corvix::capi::Input;
using corvix::capi::Result32;

int32_t CORVIXMATH_CALL cm_is_digit(char* text) {
  return Result32(CMathOperation().IsDigit(text));
}

int32_t CORVIXMATH_CALL cm_is_digit_u16(uint16_t* text) {
  return Result32(CMathOperation().IsDigit(text));
}

int32_t CORVIXMATH_CALL cm_is_valid_ip_string(const char* address) {
  return Result32(CMathOperation().IsValidIPString(Input(address)));
}

int32_t CORVIXMATH_CALL cm_is_valid_ip_and_port_string(char* text, char* address, uint16_t* port) {
  return Result32(CMathOperation().IsValidIpAndPortString(text, address, port));
}

void CORVIXMATH_CALL cm_calculate_min_max_avr_sd(const double* values, int32_t count,
                                                 double* minimum, double* maximum, double* average,
                                                 double* spread) {
  CMathOperation().CalculateMinMaxAvrSD(Input(values), count, minimum, maximum, average, spread);
}

void CORVIXMATH_CALL cm_calculate_min_max(const double* values, int32_t count, double* minimum,
                                          double* maximum, double* average, double* spread) {
  CMathOperation().CalculateMinMax(Input(values), count, minimum, maximum, average, spread);
}

int32_t CORVIXMATH_CALL cm_filter_covered_seconds(int32_t width, int32_t step, int32_t* first,
                                                  int32_t* end) {
  std::int64_t covered[2] = {0, 0};
  if (!corvix::stats::CoveredSeconds(width, step, &covered[0], &covered[1])) return 0;
  // Both lie within half a 32-bit width of the day, so they fit int32_t.
  if (first != nullptr) *first = static_cast<int32_t>(covered[0]);
  if (end != nullptr) *end = static_cast<int32_t>(covered[1]);
  return 1;
}

int32_t CORVIXMATH_CALL cm_filter_value_array(const double* const* values,
                                              const int32_t* const* times, int32_t series_count,
                                              const int32_t* sample_counts, double* minimum,
                                              double* maximum, double* mean, int32_t* centres,
                                              int32_t width, int32_t step, int32_t unused) {
  static_cast<void>(unused);
  return Result32(corvix::stats::FilterValueArray32(values, times, series_count, sample_counts,
                                                    minimum, maximum, mean, centres, width, step));
}
