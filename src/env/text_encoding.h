#pragma once

#include <string>
#include <string_view>

// The encodings a settings file is found in, and the conversions between them and the UTF-8
// the program works in. A file keeps the encoding it was found in when it is written back.
namespace env {

enum class TextEncoding {
  Utf8,     // with or without a byte order mark (which reading drops, as earlier versions did)
  Utf16Le,  // "FF FE" first: what Notepad saves as "Unicode" and the profile functions read
  Utf16Be,  // "FE FF" first
};

// By the byte order mark; anything without a UTF-16 mark is UTF-8.
TextEncoding DetectEncoding(std::string_view bytes);

// The text after its UTF-16 byte order mark, as UTF-8; bytes given as UTF-8 come back as
// they are. A lone surrogate or an odd last byte reads as U+FFFD.
std::string ToUtf8(std::string bytes, TextEncoding encoding);

// UTF-8 text in the encoding, with the byte order mark first for UTF-16; a byte that is not
// part of a UTF-8 sequence is written as U+FFFD.
std::string FromUtf8(std::string_view text, TextEncoding encoding);

}  // namespace env
