// Reading lines in blocks of up to a mebibyte as they arrive (a pipe's rows are read as soon as
// they are written), through zlib's inflate for gzip input.
#include "line_source.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "tool.h"

#if defined(_WIN32)
#include <io.h>
#define CORVIX_READ _read
#define CORVIX_OPEN _open
#define CORVIX_CLOSE _close
#define CORVIX_OPEN_FLAGS (_O_RDONLY | _O_BINARY)
#else
#include <unistd.h>
#define CORVIX_READ ::read
#define CORVIX_OPEN ::open
#define CORVIX_CLOSE ::close
#define CORVIX_OPEN_FLAGS O_RDONLY
#endif

#if defined(CORVIXMATH_TOOL_ZLIB)
#include <zlib.h>
#endif

namespace corvix_tool {
namespace {

constexpr std::size_t kBlockBytes = 1 << 20;
constexpr unsigned char kGzipMagic[2] = {0x1f, 0x8b};

bool EndsWith(const std::string& text, const char* tail) {
  const std::size_t length = std::strlen(tail);
  return text.size() >= length && text.compare(text.size() - length, length, tail) == 0;
}

}  // namespace

#if defined(CORVIXMATH_TOOL_ZLIB)
// The compressed bytes read so far and zlib's state; several gzip members follow each other.
struct LineSource::Inflater {
  z_stream stream{};
  std::vector<unsigned char> input;
  bool inputEnded = false;
  bool memberEnded = false;  // the last member read was whole
  explicit Inflater(std::size_t blockBytes) : input(blockBytes) {
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) throw BadInput("zlib cannot start");
  }
  ~Inflater() { inflateEnd(&stream); }
};
#else
struct LineSource::Inflater {
  explicit Inflater(std::size_t) {}
};
#endif

LineSource::LineSource(const std::string& path)
    : name_(path == "-" ? "<stdin>" : path), buffer_(kBlockBytes) {
  if (path == "-") {
    descriptor_ = 0;
  } else {
    descriptor_ = CORVIX_OPEN(path.c_str(), CORVIX_OPEN_FLAGS);
    if (descriptor_ < 0) throw BadInput("cannot read '" + path + "'");
    ownsDescriptor_ = true;
  }
  Start(path);
}

LineSource::LineSource(const std::string& name, Reader read, std::size_t blockBytes)
    : name_(name), read_(std::move(read)), buffer_(blockBytes < 2 ? 2 : blockBytes) {
  Start(name);
}

// Reads until the first bytes tell gzip from text.
void LineSource::Start(const std::string& path) {
  // The first bytes tell gzip from text.
  while (end_ < 2) {
    const std::size_t got = ReadRaw(buffer_.data() + end_, buffer_.size() - end_);
    if (got == 0) break;
    end_ += got;
  }
  const bool gzip = end_ >= 2 && std::memcmp(buffer_.data(), kGzipMagic, 2) == 0;
  if (!gzip) {
    // A name ending in .gz promises gzip: text there is a mistake, not a log.
    if (EndsWith(path, ".gz")) throw BadInput(name_ + ": not a gzip file");
    atEnd_ = end_ == 0;
    return;
  }
#if defined(CORVIXMATH_TOOL_ZLIB)
  inflater_ = new Inflater(buffer_.size());
  std::memcpy(inflater_->input.data(), buffer_.data(), end_);
  inflater_->stream.next_in = inflater_->input.data();
  inflater_->stream.avail_in = static_cast<uInt>(end_);
  end_ = 0;
#else
  throw BadInput(name_ + ": gzip input needs a corvixmath built with zlib");
#endif
}

LineSource::~LineSource() {
  delete inflater_;
  if (ownsDescriptor_) CORVIX_CLOSE(descriptor_);
}

std::size_t LineSource::ReadRaw(char* into, std::size_t room) {
  if (read_) return read_(into, room);
  for (;;) {
    const auto got = CORVIX_READ(descriptor_, into, static_cast<unsigned>(room));
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) throw BadInput(name_ + ": read error (" + std::strerror(errno) + ")");
  }
}

std::size_t LineSource::Inflate(char* into, std::size_t room) {
#if defined(CORVIXMATH_TOOL_ZLIB)
  Inflater& z = *inflater_;
  z.stream.next_out = reinterpret_cast<unsigned char*>(into);
  z.stream.avail_out = static_cast<uInt>(room);
  // Returns as soon as some text is out, so that a pipe's rows are not held back.
  while (z.stream.avail_out == room) {
    if (z.stream.avail_in == 0 && !z.inputEnded) {
      const std::size_t got = ReadRaw(reinterpret_cast<char*>(z.input.data()), z.input.size());
      z.inputEnded = got == 0;
      z.stream.next_in = z.input.data();
      z.stream.avail_in = static_cast<uInt>(got);
    }
    if (z.stream.avail_in == 0 && z.inputEnded) {
      if (!z.memberEnded) throw BadInput(name_ + ": the gzip data ends too soon (truncated?)");
      break;
    }
    z.memberEnded = false;
    const int status = inflate(&z.stream, Z_NO_FLUSH);
    if (status == Z_STREAM_END) {
      z.memberEnded = true;
      inflateReset(&z.stream);  // another member may follow
    } else if (status != Z_OK && status != Z_BUF_ERROR) {
      throw BadInput(name_ + ": corrupt gzip data (" +
                     (z.stream.msg != nullptr ? z.stream.msg : "inflate failed") + ")");
    }
  }
  return room - z.stream.avail_out;
#else
  static_cast<void>(into);
  static_cast<void>(room);
  return 0;
#endif
}

// Moves the unread part to the front and reads after it; a line longer than the buffer makes it
// grow.
void LineSource::Refill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  if (beforeRead) beforeRead();
  char* into = buffer_.data() + end_;
  const std::size_t room = buffer_.size() - end_;
  const std::size_t got = inflater_ != nullptr ? Inflate(into, room) : ReadRaw(into, room);
  end_ += got;
  atEnd_ = got == 0;
}

bool LineSource::Next(std::string_view& line) {
  for (;;) {
    const char* start = buffer_.data() + begin_;
    const void* newline = std::memchr(start, '\n', end_ - begin_);
    if (newline != nullptr) {
      const auto length = static_cast<std::size_t>(static_cast<const char*>(newline) - start);
      line = std::string_view(start, length);
      begin_ += length + 1;
      return true;
    }
    if (atEnd_) {
      if (begin_ == end_) return false;
      line = std::string_view(start, end_ - begin_);  // a last line without '\n'
      begin_ = end_;
      return true;
    }
    Refill();
  }
}

}  // namespace corvix_tool
