// Reading lines in blocks of a mebibyte, through zlib for gzip input.
#include "line_source.h"

#include <cstdio>
#include <cstring>

#include "tool.h"

#if defined(CORVIXMATH_TOOL_ZLIB)
#include <zlib.h>
#if defined(_WIN32)
#include <io.h>
#define dup _dup
#else
#include <unistd.h>
#endif
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

LineSource::LineSource(const std::string& path)
    : name_(path == "-" ? "<stdin>" : path), buffer_(kBlockBytes) {
  const bool standardInput = path == "-";
#if defined(CORVIXMATH_TOOL_ZLIB)
  // zlib reads input that is not gzip as it is, so standard input may be either.
  if (standardInput || EndsWith(path, ".gz")) {
    compressed_ = true;
    gzFile gz = standardInput ? gzdopen(dup(fileno(stdin)), "rb") : gzopen(path.c_str(), "rb");
    if (gz == nullptr) throw BadInput("cannot read '" + path + "'");
    gzbuffer(gz, kBlockBytes);
    file_ = gz;
    ownsFile_ = true;
    if (!standardInput) {
      // A name ending in .gz promises gzip: plain text there is a mistake, not a log.
      Refill();
      if (gzdirect(gz) && end_ > 0) throw BadInput(name_ + ": not a gzip file");
    }
    return;
  }
#endif
  std::FILE* file = standardInput ? stdin : std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw BadInput("cannot read '" + path + "'");
  file_ = file;
  ownsFile_ = !standardInput;
  Refill();
  if (end_ >= 2 && std::memcmp(buffer_.data(), kGzipMagic, 2) == 0)
    throw BadInput(name_ + ": gzip input needs a corvixmath built with zlib");
  if (EndsWith(path, ".gz"))
    throw BadInput(name_ + ": .gz files need a corvixmath built with zlib");
}

LineSource::~LineSource() {
  if (!ownsFile_) return;
#if defined(CORVIXMATH_TOOL_ZLIB)
  if (compressed_) {
    gzclose(static_cast<gzFile>(file_));
    return;
  }
#endif
  std::fclose(static_cast<std::FILE*>(file_));
}

std::size_t LineSource::Read(char* into, std::size_t room) {
#if defined(CORVIXMATH_TOOL_ZLIB)
  if (compressed_) {
    gzFile gz = static_cast<gzFile>(file_);
    const int got = gzread(gz, into, static_cast<unsigned>(room));
    int error = Z_OK;
    const char* message = gzerror(gz, &error);
    // A truncated archive ends with Z_BUF_ERROR once its data runs out.
    if (got < 0 || (error != Z_OK && error != Z_STREAM_END))
      throw BadInput(
          name_ +
          (error == Z_BUF_ERROR ? ": the gzip data ends too soon (" : ": corrupt gzip data (") +
          message + ")");
    return static_cast<std::size_t>(got);
  }
#endif
  std::FILE* file = static_cast<std::FILE*>(file_);
  const std::size_t got = std::fread(into, 1, room, file);
  if (got < room && std::ferror(file)) throw BadInput(name_ + ": read error");
  return got;
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
  const std::size_t got = Read(buffer_.data() + end_, buffer_.size() - end_);
  end_ += got;
  atEnd_ = got == 0;
}

bool LineSource::Next(std::string_view& line) {
  for (;;) {
    const char* start = buffer_.data() + begin_;
    const void* newline = std::memchr(start, '\n', end_ - begin_);
    if (newline != nullptr) {
      const std::size_t length =
          static_cast<std::size_t>(static_cast<const char*>(newline) - start);
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
