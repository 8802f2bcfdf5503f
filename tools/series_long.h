// Long format: a log of one row per tag and time ("Tagname,Timestamp,Value,Quality"), turned
// into one series per tag, each named by its tag (and, with several value columns, the column).
//   rows "TI1,00:00,5" "TI2,00:00,7" "TI1,01:00,6" -> series "TI1": 5, 6 and "TI2": 7
#ifndef CORVIXMATH_TOOLS_SERIES_LONG_H
#define CORVIXMATH_TOOLS_SERIES_LONG_H

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "series.h"

namespace corvix_tool {

class LongFormat {
 public:
  // The tag and quality columns chosen in `options`, found in the first line; BadInput
  // starting with `where` when one is missing or --good is missing for a quality column.
  LongFormat(const ReadOptions& options, const std::vector<std::string>& header,
             std::size_t columns, const std::string& where);

  bool Active() const { return active_; }
  // Whether a column holds tags or qualities rather than values.
  bool Holds(std::size_t column) const;

  enum class Row { kKept, kNotGood, kNotChosen };
  Row Classify(const std::vector<std::string>& fields) const;

  // The index in `set` of the series of this row's tag for value column `valueIndex` of
  // `valueNames`, added on first sight.
  std::size_t SeriesOf(const std::vector<std::string>& fields, std::size_t valueIndex,
                       const std::vector<std::string>& valueNames, const std::string& file,
                       SeriesSet& set);

  // BadInput when the file's tags and the series before them are more than one reduction takes,
  // naming the count and the option that chooses some.
  void CheckCount(std::size_t seriesBefore, std::size_t seriesAfter, const std::string& file) const;

 private:
  bool active_ = false;
  std::size_t tagColumn_ = 0;
  bool hasQuality_ = false;
  std::size_t qualityColumn_ = 0;
  std::vector<std::string> good_;
  std::vector<std::string> chosen_;
  std::map<std::string, std::size_t> seriesOfName_;
  std::vector<std::string> tags_;  // in order of first sight
};

}  // namespace corvix_tool

#endif  // CORVIXMATH_TOOLS_SERIES_LONG_H
