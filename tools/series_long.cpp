// Long format: one series per tag, rows of other tags or of bad quality left out and counted.
#include "series_long.h"

#include <algorithm>

#include "csv_fields.h"
#include "tool.h"

namespace corvix_tool {

LongFormat::LongFormat(const ReadOptions& options, const std::vector<std::string>& header,
                       std::size_t columns, const std::string& where)
    : good_(options.good), chosen_(options.chosen) {
  if (options.seriesColumn.empty()) {
    if (!options.chosen.empty())
      throw BadInput("--series chooses tags of the --series-column; choose columns with --values");
  } else {
    active_ = true;
    tagColumn_ = ColumnOf(options.seriesColumn, header, columns, where);
  }
  if (!options.qualityColumn.empty()) {
    if (options.good.empty())
      throw BadInput("--quality-column needs --good: the qualities whose samples are kept");
    hasQuality_ = true;
    qualityColumn_ = ColumnOf(options.qualityColumn, header, columns, where);
  } else if (!options.good.empty()) {
    throw BadInput("--good needs --quality-column");
  }
}

bool LongFormat::Holds(std::size_t column) const {
  return (active_ && column == tagColumn_) || (hasQuality_ && column == qualityColumn_);
}

LongFormat::Row LongFormat::Classify(const std::vector<std::string>& fields) const {
  if (hasQuality_ && std::find(good_.begin(), good_.end(), fields[qualityColumn_]) == good_.end())
    return Row::kNotGood;
  if (active_ && !chosen_.empty() &&
      std::find(chosen_.begin(), chosen_.end(), fields[tagColumn_]) == chosen_.end())
    return Row::kNotChosen;
  return Row::kKept;
}

std::size_t LongFormat::SeriesOf(const std::vector<std::string>& fields, std::size_t valueIndex,
                                 const std::vector<std::string>& valueNames,
                                 const std::string& file, SeriesSet& set) {
  const std::string& tag = fields[tagColumn_];
  const std::string name = valueNames.size() == 1 ? tag : tag + ":" + valueNames[valueIndex];
  const auto found = seriesOfName_.find(name);
  if (found != seriesOfName_.end()) return found->second;
  if (std::find(tags_.begin(), tags_.end(), tag) == tags_.end()) tags_.push_back(tag);
  Series series;
  series.name = name;
  series.file = file;
  set.series.push_back(series);
  seriesOfName_[name] = set.series.size() - 1;
  return set.series.size() - 1;
}

void LongFormat::CheckCount(std::size_t seriesBefore, std::size_t seriesAfter,
                            const std::string& file) const {
  if (seriesAfter <= CORVIXMATH_MAX_SERIES) return;
  std::string some;
  for (std::size_t i = 0; i < tags_.size() && i < 3; ++i)
    some += tags_[i] + ",";
  throw BadInput(
      Format("%s: %zu series (%zu tags%s); at most %d can be reduced at once: "
             "choose some with --series %s...",
             file.c_str(), seriesAfter, tags_.size(),
             seriesBefore > 0 ? Format(" after %zu series", seriesBefore).c_str() : "",
             CORVIXMATH_MAX_SERIES, some.c_str()));
}

}  // namespace corvix_tool
