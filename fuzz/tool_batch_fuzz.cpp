// The batch line reader of every batch command (ForEachLine, behind ForEachInput with "-"): one
// output line per input line whatever the bytes (CR, NUL, invalid UTF-8, very long lines) and
// whatever the command writes (several lines, none, a refusal, bad input), with and without
// --echo; the messages name "<stdin>:N:" with N a line of the input; the worst status wins.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "tool.h"

namespace {

using corvix_fuzz::FuzzInput;
using corvix_tool::BadInput;
using corvix_tool::Output;

constexpr std::size_t kTextCap = 160;
// Long lines while fuzzing; once per run a line of a mebibyte (too slow to fuzz with).
constexpr std::size_t kLongLine = 1 << 10;
constexpr std::size_t kMebibyteLine = 1 << 20;

// What was written to a memory stream.
class MemoryFile {
 public:
  MemoryFile() : file_(open_memstream(&data_, &size_)) { FUZZ_CHECK(file_ != nullptr); }
  ~MemoryFile() {
    if (file_ != nullptr) std::fclose(file_);
    std::free(data_);
  }
  std::FILE* get() { return file_; }
  std::string Text() {
    std::fflush(file_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_;
};

std::size_t LinesOf(const std::string& bytes) {
  const std::size_t newlines =
      static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  return newlines + (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
}

// A command answering each line by its first byte: several lines, nothing, a refusal, bad input.
void Answer(const std::string& line, Output& out) {
  const unsigned char kind = line.empty() ? 0 : static_cast<unsigned char>(line[0]) % 6;
  switch (kind) {
    case 0:
      out.Line(line);
      break;
    case 1:
      out.text = line + "\n" + line + "\r\nmore\n";
      break;
    case 2:
      break;
    case 3:
      out.Refuse("refused: " + line);
      break;
    case 4:
      throw BadInput("bad: " + line);
    default:
      out.text = line;  // no '\n' at all
      break;
  }
}

// One batch over `bytes`, checked.
void Batch(const std::string& bytes, bool echo) {
  const std::size_t lines = LinesOf(bytes);
  corvix_fuzz::Note("%zu bytes, %zu lines, echo %d", bytes.size(), lines, echo ? 1 : 0);

  std::istringstream stream(bytes);
  MemoryFile results;
  MemoryFile reasons;
  Output out;
  corvix_tool::ForEachLine(stream, results.get(), reasons.get(), out, Answer, echo);
  const std::string written = results.Text();
  FUZZ_CHECK(LinesOf(written) == lines);
  FUZZ_CHECK(written.empty() || written.back() == '\n');

  // Every message names a line of the input.
  const std::string messages = reasons.Text();
  std::size_t start = 0;
  while (start < messages.size()) {
    const std::size_t end = messages.find('\n', start);
    FUZZ_CHECK(end != std::string::npos);
    const std::string message = messages.substr(start, end - start);
    FUZZ_CHECK(message.compare(0, 8, "<stdin>:") == 0);
    const long number = std::strtol(message.c_str() + 8, nullptr, 10);
    FUZZ_CHECK(number >= 1 && static_cast<std::size_t>(number) <= lines);
    start = end + 1;
  }
  FUZZ_CHECK(out.status == corvix_tool::kExitOk || out.status == corvix_tool::kExitInvalid ||
             out.status == corvix_tool::kExitBadInput);
  FUZZ_CHECK((out.status == corvix_tool::kExitOk) == messages.empty());
}

// A line of a mebibyte with CR, NUL and invalid UTF-8 in it, between short ones.
void MebibyteLine() {
  std::string line = "\x05";
  while (line.size() < kMebibyteLine)
    line += std::string("ab\r\0\xff\xc3\x28\"x,;", 12);
  for (const bool echo : {false, true})
    Batch("1\n" + line + "\n\x03\r\n" + line, echo);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool mebibyteChecked = (MebibyteLine(), true);
  static_cast<void>(mebibyteChecked);
  FuzzInput input(data, size);
  const std::uint8_t settings = input.Byte();
  const bool echo = (settings & 1) != 0;
  std::string bytes;
  while (!input.Exhausted() && bytes.size() < kTextCap)
    bytes += static_cast<char>(input.Byte());
  // Now and then a long line first: the bytes without their line breaks, repeated.
  if ((settings & 0xFE) == 0xFE && !bytes.empty()) {
    std::string piece = bytes;
    piece.erase(std::remove(piece.begin(), piece.end(), '\n'), piece.end());
    std::string longLine;
    while (!piece.empty() && longLine.size() < kLongLine)
      longLine += piece;
    bytes = longLine + "\n" + bytes;
  }
  Batch(bytes, echo);
  return 0;
}
