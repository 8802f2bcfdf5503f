// Lines of a file or of standard input, read in large blocks, and through zlib when the input
// is gzip-compressed: a file whose name ends in ".gz", or standard input that starts with the
// gzip magic bytes.
//   LineSource source("log.csv.gz"); std::string_view line; while (source.Next(line)) ...
#ifndef CORVIXMATH_TOOLS_LINE_SOURCE_H
#define CORVIXMATH_TOOLS_LINE_SOURCE_H

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvix_tool {

class LineSource {
 public:
  // "-" reads standard input, named "<stdin>" in messages. BadInput when it cannot be read.
  explicit LineSource(const std::string& path);
  // Bytes from `read` instead of a descriptor (the tests and fuzz targets feed it blocks of any
  // size): it fills up to `room` bytes and returns how many, 0 at the end. `blockBytes` sizes
  // the buffers (1 MiB for files), which grow for longer lines.
  using Reader = std::function<std::size_t(char* into, std::size_t room)>;
  LineSource(const std::string& name, Reader read, std::size_t blockBytes);
  ~LineSource();
  LineSource(const LineSource&) = delete;
  LineSource& operator=(const LineSource&) = delete;

  // The next line without its '\n' (a '\r' before it stays), valid until the next call; false
  // at the end. BadInput, naming the input, for a read error or a truncated or corrupt archive.
  bool Next(std::string_view& line);

  const std::string& Name() const { return name_; }

  // Called before each read that may wait for more input (a pipe whose writer is slow), so
  // that what the lines read so far give can go out first.
  std::function<void()> beforeRead;

 private:
  void Start(const std::string& path);
  std::size_t ReadRaw(char* into, std::size_t room);
  std::size_t Inflate(char* into, std::size_t room);
  void Refill();

  struct Inflater;
  std::string name_;
  int descriptor_ = -1;
  bool ownsDescriptor_ = false;
  Reader read_;                   // when given, read instead of the descriptor
  Inflater* inflater_ = nullptr;  // for gzip input
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // the unread part of the buffer
  std::size_t end_ = 0;
  bool atEnd_ = false;
};

}  // namespace corvix_tool

#endif  // CORVIXMATH_TOOLS_LINE_SOURCE_H
