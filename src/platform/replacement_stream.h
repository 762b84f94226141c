#pragma once
// An output stream into a FileReplacement, for writers that take a
// std::ostream. Once the file has failed the stream is bad.

#include <ostream>
#include <streambuf>

#include "platform/file_replacement.h"

namespace tessarin::platform {

class ReplacementStreamBuffer : public std::streambuf {
 public:
  explicit ReplacementStreamBuffer(FileReplacement& file) : file_(file) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return file_.Write(std::string_view(&byte, 1)) ? c : traits_type::eof();
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    return file_.Write(std::string_view(text, static_cast<std::size_t>(count))) ? count : 0;
  }

 private:
  FileReplacement& file_;
};

class ReplacementStream : public std::ostream {
 public:
  explicit ReplacementStream(FileReplacement& file) : std::ostream(nullptr), buffer_(file) { rdbuf(&buffer_); }

 private:
  ReplacementStreamBuffer buffer_;
};

}  // namespace tessarin::platform
