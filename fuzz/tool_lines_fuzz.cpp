// The tool's block reader (LineSource) over arbitrary bytes: whatever sizes the reads return
// (every block size from 1 byte up, and sizes that change from read to read), the lines are
// those of a plain split at '\n' (a last line without one included, a '\r' kept); the same
// bytes compressed with zlib (as one gzip member or two) give the same lines; a cut archive
// gives a prefix of them and then BadInput naming the input; a damaged one only BadInput. The
// buffers are small (or as long as the longest text) rather than the files' 1 MiB, so that lines
// outgrow them.
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "line_source.h"
#include "tool.h"

namespace {

using corvix_fuzz::FuzzInput;
using corvix_tool::BadInput;
using corvix_tool::LineSource;

constexpr std::size_t kTextCap = 256;
// Every input is read in blocks of 1 byte and of one size up to this (the sizes take turns
// from input to input); larger and changing blocks come from the input.
constexpr std::size_t kEverySizeUpTo = 12;
const char kName[] = "log.csv";
// The smallest window and memory level: a text of a few hundred bytes compresses all the same,
// and deflate's state stays a few KiB instead of a quarter of a MiB per member.
constexpr int kWindowBits = 9;

// The lines of `bytes` by a plain split.
std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\n') continue;
    lines.push_back(bytes.substr(start, i - start));
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

// Hands out `bytes` in reads of the sizes in `sizes`, in turn (0 in it stands for 1).
class BlockReader {
 public:
  BlockReader(const std::string& bytes, std::vector<std::size_t> sizes)
      : bytes_(bytes), sizes_(std::move(sizes)) {}

  std::size_t operator()(char* into, std::size_t room) {
    FUZZ_CHECK(room > 0);
    std::size_t size = std::max<std::size_t>(1, sizes_[turn_++ % sizes_.size()]);
    size = std::min({size, room, bytes_.size() - at_});
    std::copy(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
              bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + size), into);
    at_ += size;
    return size;
  }

 private:
  const std::string& bytes_;
  std::vector<std::size_t> sizes_;
  std::size_t turn_ = 0;
  std::size_t at_ = 0;
};

// What a read gave, held against the lines it should give (compared as they come, so that a
// read allocates nothing of its own).
struct Outcome {
  std::size_t lines = 0;
  bool asExpected = true;  // every line read so far is the expected one at its place
  bool badInput = false;
  bool Same(const std::vector<std::string>& expected) const {
    return !badInput && asExpected && lines == expected.size();
  }
};

// The reader's buffers: small ones make lines outgrow them.
std::size_t bufferBytes = 0;

Outcome ReadAll(const std::string& bytes, const std::vector<std::size_t>& sizes,
                const std::vector<std::string>& expected, const std::string& name = kName) {
  Outcome outcome;
  try {
    LineSource source(name, BlockReader(bytes, sizes), bufferBytes);
    std::string_view line;
    while (source.Next(line)) {
      outcome.asExpected =
          outcome.asExpected && outcome.lines < expected.size() && line == expected[outcome.lines];
      ++outcome.lines;
    }
    // The end stays the end.
    FUZZ_CHECK(!source.Next(line));
  } catch (const BadInput& error) {
    outcome.badInput = true;
    FUZZ_CHECK(std::string(error.what()).compare(0, name.size() + 1, name + ":") == 0);
  }
  return outcome;
}

// `bytes` as gzip members, the text split between them at `split`; `firstMember` is where
// the second starts.
std::string Gzip(const std::string& bytes, std::size_t split, bool twoMembers, int level,
                 std::size_t& firstMember) {
  std::string archive;
  const auto member = [&](const std::string& part) {
    z_stream stream{};
    FUZZ_CHECK(deflateInit2(&stream, level, Z_DEFLATED, 16 + kWindowBits, 1, Z_DEFAULT_STRATEGY) ==
               Z_OK);
    std::vector<unsigned char> out(deflateBound(&stream, part.size()) + 32);
    std::string in = part;
    stream.next_in = reinterpret_cast<unsigned char*>(in.data());
    stream.avail_in = static_cast<uInt>(in.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    FUZZ_CHECK(deflate(&stream, Z_FINISH) == Z_STREAM_END);
    archive.append(reinterpret_cast<const char*>(out.data()), stream.total_out);
    deflateEnd(&stream);
  };
  if (twoMembers) {
    member(bytes.substr(0, split));
    firstMember = archive.size();
    member(bytes.substr(split));
  } else {
    member(bytes);
    firstMember = archive.size();
  }
  return archive;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t settings = input.Byte();
  std::vector<std::size_t> drawn;
  for (int i = 0; i < 3; ++i)
    drawn.push_back(input.Byte());
  const std::size_t split = input.U16();
  const std::size_t cut = input.U16();
  const std::uint8_t buffer = input.Byte();
  const std::size_t smallBlock = 2 + input.Byte() % (kEverySizeUpTo - 1);
  // Which of two ways the archive is read, and whether it is cut or damaged: by turns, so
  // that each input makes five reads and still every way is taken.
  const std::uint8_t turns = input.Byte();
  bufferBytes = buffer < 0xF0 ? 2 + buffer % 64 : kTextCap;
  std::string bytes;
  while (!input.Exhausted() && bytes.size() < kTextCap)
    bytes += static_cast<char>(input.Byte());
  const std::vector<std::string> expected = SplitLines(bytes);
  corvix_fuzz::Note("%zu bytes, %zu lines, settings %#x", bytes.size(), expected.size(), settings);

  // Text starting with gzip's magic bytes is read as gzip: only a clean outcome is asked of it.
  const bool looksCompressed = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1f &&
                               static_cast<unsigned char>(bytes[1]) == 0x8b;
  const auto same = [&](const Outcome& outcome) {
    if (looksCompressed) return;
    FUZZ_CHECK(outcome.Same(expected));
  };
  // In blocks of a byte; of a few bytes or all at once, as the settings say; of drawn sizes.
  same(ReadAll(bytes, {1}, expected));
  same(ReadAll(bytes, {(settings & 0x08) != 0 ? bytes.size() + 1 : smallBlock}, expected));
  same(ReadAll(bytes, drawn, expected));

  // A name ending in ".gz" promises gzip.
  if (!looksCompressed && (settings & 0x04) != 0)
    FUZZ_CHECK(ReadAll(bytes, {64}, expected, "log.csv.gz").badInput);

  const bool twoMembers = (settings & 1) != 0;
  const int level = (settings >> 1) % 10;
  const std::size_t splitAt = bytes.empty() ? 0 : split % (bytes.size() + 1);
  std::size_t firstMember = 0;
  const std::string archive = Gzip(bytes, splitAt, twoMembers, level, firstMember);
  // In blocks of a byte or of a few, as the settings say, or of the drawn sizes, by turns.
  const std::size_t fixedBlock = (settings & 0x10) != 0 ? 1 : (settings >> 5) + 2u;
  if ((turns & 1) != 0)
    FUZZ_CHECK(ReadAll(archive, {fixedBlock}, expected).Same(expected));
  else
    FUZZ_CHECK(ReadAll(archive, drawn, expected).Same(expected));
  // Cut short (two bytes at least, so that it still reads as gzip): the lines read before the
  // break are whole ones of the text, and the break is reported; cut between the members it is
  // the first member's text.
  if (archive.size() <= 2) return 0;
  const std::size_t keep = 2 + cut % (archive.size() - 2);
  if ((turns & 2) != 0) {
    if (keep == firstMember) {
      const std::vector<std::string> firstLines = SplitLines(bytes.substr(0, splitAt));
      FUZZ_CHECK(ReadAll(archive.substr(0, keep), drawn, firstLines).Same(firstLines));
    } else {
      const Outcome shortened = ReadAll(archive.substr(0, keep), drawn, expected);
      FUZZ_CHECK(shortened.badInput);
      FUZZ_CHECK(shortened.asExpected && shortened.lines <= expected.size());
    }
    return 0;
  }
  // A damaged byte after the magic: read or refused, never anything else.
  std::string damaged = archive;
  damaged[keep] = static_cast<char>(damaged[keep] ^ (settings | 1));
  ReadAll(damaged, drawn, expected);
  return 0;
}
