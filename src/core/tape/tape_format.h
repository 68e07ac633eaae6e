#pragma once
// The tape's file format: a header line that names the format and its version, then one entry a
// line. A line holds its fields separated by tabs and ends with the CRC-32 of everything before
// its last tab, so that a flipped byte or a half-written line is found instead of misread:
//
//   time  kind  operation  text  flags  decimals  result  shown  message
//         input count  (name  value)...  flow count  flow...  crc32
//
// Numbers are written in the shortest decimal form that reads back to the same bits (the
// standard library's to_chars, which no locale touches), text fields with their control bytes
// and backslashes escaped (\t \n \r \0 \\ \xHH), so any bytes round-trip. The reader accepts only
// the exact text the writer makes: a line it takes re-encodes to the same bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/tape/tape_entry.h"

namespace vantro::core::tape {

// The version this program writes. Each version a reader has ever known is read by its own line
// reader; only version 1 exists.
inline constexpr int kFormatVersion = 1;
inline constexpr int kOldestReadableVersion = 1;

// The first line of every segment file, without its newline.
std::string formatHeader(int version = kFormatVersion);

enum class HeaderKind {
  Readable,  // a version from kOldestReadableVersion to kFormatVersion
  Newer,     // our format, of a version this program does not know yet
  Foreign,   // not a header of ours at all
};
struct Header {
  HeaderKind kind = HeaderKind::Foreign;
  int version = 0;
};
Header readHeader(std::string_view line);

// One line, without the newline.
std::string encodeEntry(const Entry& entry);

// The entry of a line of the current version; nullopt for anything the writer could not have
// written: a wrong checksum, a missing or extra field, a number in any but its shortest form, a
// value that is not finite, a raw control byte, an escape the writer would not use.
std::optional<Entry> decodeEntry(std::string_view line);

std::uint32_t crc32(std::string_view bytes);

}  // namespace vantro::core::tape
