#include "help/chm_layout.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vantro::help {
namespace {

// Sizes and limits of the format as chmlib reads it.
constexpr std::uint64_t kItsfV2Length = 0x58;
constexpr std::uint64_t kItsfV3Length = 0x60;
constexpr std::uint64_t kItspLength = 0x54;
constexpr std::uint64_t kPmglHeaderLength = 20;
constexpr std::uint64_t kPmgiHeaderLength = 8;
constexpr std::uint64_t kMaxPathLength = 512;
constexpr std::uint64_t kLzxFrameLength = 0x8000;
constexpr std::uint64_t kMaxControlDataLength = 0x1000;  // chmlib's buffer for it
constexpr std::uint64_t kMaxUncompressedLength = 256u << 20;

struct Entry {
  std::string name;
  std::uint64_t space = 0;
  std::uint64_t start = 0;
  std::uint64_t length = 0;
};

// A bounded little-endian cursor over the file's bytes: every read past the end fails.
class Reader {
 public:
  Reader(std::string_view bytes, std::uint64_t begin, std::uint64_t end)
      : bytes_(bytes), position_(begin), end_(std::min<std::uint64_t>(end, bytes.size())) {}

  std::optional<std::uint64_t> number(int size) {
    if (position_ > end_ || end_ - position_ < std::uint64_t(size)) return std::nullopt;
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
      value = (value << 8) | static_cast<unsigned char>(bytes_[position_ + i]);
    position_ += size;
    return value;
  }
  // The format's variable-length integer: 7 bits a byte, high bit set on all but the last.
  std::optional<std::uint64_t> encodedNumber() {
    std::uint64_t value = 0;
    for (int count = 0; count < 9; ++count) {
      if (position_ >= end_) return std::nullopt;
      const auto byte = static_cast<unsigned char>(bytes_[position_++]);
      value = (value << 7) | (byte & 0x7f);
      if ((byte & 0x80) == 0) return value;
    }
    return std::nullopt;
  }
  std::optional<std::string_view> text(std::uint64_t length) {
    if (position_ > end_ || end_ - position_ < length) return std::nullopt;
    std::string_view result = bytes_.substr(position_, length);
    position_ += length;
    return result;
  }
  bool atEnd() const { return position_ >= end_; }

 private:
  std::string_view bytes_;
  std::uint64_t position_;
  std::uint64_t end_;
};

bool withinFile(std::uint64_t start, std::uint64_t length, std::uint64_t size) {
  return start <= size && length <= size - start;
}

struct Directory {
  std::uint64_t offset = 0;  // of chunk 0
  std::uint64_t chunkLength = 0;
  std::uint64_t chunkCount = 0;
  std::int64_t indexRoot = -1;
  std::uint64_t firstListing = 0;
};

std::string_view chunkAt(std::string_view file, const Directory& directory, std::uint64_t index) {
  return file.substr(directory.offset + index * directory.chunkLength, directory.chunkLength);
}

bool isListing(std::string_view chunk) {
  return chunk.substr(0, 4) == "PMGL";
}
bool isIndex(std::string_view chunk) {
  return chunk.substr(0, 4) == "PMGI";
}

// The entries region of a chunk: after its header, before its free space at the end.
std::optional<Reader> entriesOf(std::string_view chunk, std::uint64_t headerLength) {
  Reader header(chunk, 4, chunk.size());
  const auto freeSpace = header.number(4);
  if (!freeSpace || *freeSpace > chunk.size() - headerLength) return std::nullopt;
  return Reader(chunk, headerLength, chunk.size() - *freeSpace);
}

bool readListing(std::string_view chunk, std::vector<Entry>& entries) {
  auto reader = entriesOf(chunk, kPmglHeaderLength);
  if (!reader) return false;
  while (!reader->atEnd()) {
    const auto nameLength = reader->encodedNumber();
    if (!nameLength || *nameLength == 0 || *nameLength > kMaxPathLength) return false;
    const auto name = reader->text(*nameLength);
    const auto space = reader->encodedNumber();
    const auto start = reader->encodedNumber();
    const auto length = reader->encodedNumber();
    if (!name || !space || !start || !length || *space > 1) return false;
    if (name->find('\0') != std::string_view::npos) return false;
    entries.push_back({std::string(*name), *space, *start, *length});
  }
  return true;
}

// Every child of an index chunk must be a listing chunk or an index chunk placed before it,
// so that chmlib's descent from the root always ends.
bool indexIsSound(std::string_view file, const Directory& directory, std::uint64_t index) {
  auto reader = entriesOf(chunkAt(file, directory, index), kPmgiHeaderLength);
  if (!reader) return false;
  while (!reader->atEnd()) {
    const auto nameLength = reader->encodedNumber();
    if (!nameLength || *nameLength > kMaxPathLength || !reader->text(*nameLength)) return false;
    const auto child = reader->encodedNumber();
    if (!child || *child >= directory.chunkCount) return false;
    const std::string_view target = chunkAt(file, directory, *child);
    if (!isListing(target) && !(isIndex(target) && *child < index)) return false;
  }
  return true;
}

std::optional<Directory> readDirectory(std::string_view file, std::uint64_t& dataOffset) {
  const std::uint64_t size = file.size();
  Reader itsf(file, 0, size);
  const auto signature = itsf.text(4);
  const auto version = itsf.number(4);
  const auto headerLength = itsf.number(4);
  if (!signature || *signature != "ITSF" || !version || !headerLength) return std::nullopt;
  if (*version != 2 && *version != 3) return std::nullopt;
  if (*headerLength < (*version == 2 ? kItsfV2Length : kItsfV3Length)) return std::nullopt;
  Reader offsets(file, 0x48, size);
  const auto directoryOffset = offsets.number(8);
  const auto directoryLength = offsets.number(8);
  if (!directoryOffset || !directoryLength) return std::nullopt;
  if (!withinFile(*directoryOffset, *directoryLength, size) || *directoryLength < kItspLength)
    return std::nullopt;
  if (*version == 3) {
    const auto offset = offsets.number(8);
    if (!offset) return std::nullopt;
    dataOffset = *offset;
  } else {
    dataOffset = *directoryOffset + *directoryLength;
  }
  if (dataOffset > size) return std::nullopt;

  Reader itsp(file, *directoryOffset, *directoryOffset + *directoryLength);
  const auto itspSignature = itsp.text(4);
  const auto itspVersion = itsp.number(4);
  const auto itspLength = itsp.number(4);
  itsp.number(4);
  const auto chunkLength = itsp.number(4);
  itsp.number(4);
  itsp.number(4);
  const auto indexRoot = itsp.number(4);
  const auto firstListing = itsp.number(4);
  itsp.number(4);
  itsp.number(4);
  const auto chunkCount = itsp.number(4);
  if (!itspSignature || *itspSignature != "ITSP" || itspVersion != 1u || itspLength != kItspLength)
    return std::nullopt;
  if (!chunkLength || *chunkLength < 0x100 || *chunkLength > 0x10000 || !chunkCount || !indexRoot ||
      !firstListing)
    return std::nullopt;
  if (*chunkCount == 0 || *chunkCount > (*directoryLength - kItspLength) / *chunkLength)
    return std::nullopt;
  Directory directory;
  directory.offset = *directoryOffset + kItspLength;
  directory.chunkLength = *chunkLength;
  directory.chunkCount = *chunkCount;
  directory.indexRoot = static_cast<std::int32_t>(*indexRoot);
  directory.firstListing = *firstListing;
  if (directory.firstListing >= directory.chunkCount) return std::nullopt;
  if (directory.indexRoot >= std::int64_t(directory.chunkCount)) return std::nullopt;
  return directory;
}

// The listing chunks in chmlib's enumeration order: from the first one along the "next"
// links, each visited once.
std::optional<std::vector<Entry>> readEntries(std::string_view file, const Directory& directory) {
  std::vector<Entry> entries;
  std::set<std::uint64_t> visited;
  std::int64_t current = std::int64_t(directory.firstListing);
  while (current != -1) {
    if (current < 0 || current >= std::int64_t(directory.chunkCount)) return std::nullopt;
    if (!visited.insert(std::uint64_t(current)).second) return std::nullopt;
    const std::string_view chunk = chunkAt(file, directory, std::uint64_t(current));
    if (!isListing(chunk) || !readListing(chunk, entries)) return std::nullopt;
    current = static_cast<std::int32_t>(*Reader(chunk, 16, 20).number(4));
  }
  // chmlib's look-up may land on listing chunks outside that chain.
  for (std::uint64_t index = 0; index < directory.chunkCount; ++index) {
    const std::string_view chunk = chunkAt(file, directory, index);
    std::vector<Entry> ignored;
    if (isListing(chunk) && !visited.count(index) && !readListing(chunk, ignored))
      return std::nullopt;
    if (isIndex(chunk) && !indexIsSound(file, directory, index)) return std::nullopt;
  }
  const std::uint64_t root =
      directory.indexRoot < 0 ? directory.firstListing : std::uint64_t(directory.indexRoot);
  const std::string_view rootChunk = chunkAt(file, directory, root);
  if (!isListing(rootChunk) && !isIndex(rootChunk)) return std::nullopt;
  return entries;
}

bool sameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// The compressed section: the LZX control data and reset table that chmlib divides by and
// indexes with. Absent or stored compressed, chmlib leaves compression off by itself.
bool compressionIsSound(std::string_view file, std::uint64_t dataOffset,
                        const std::vector<Entry>& entries) {
  const Entry* content = nullptr;
  const Entry* control = nullptr;
  const Entry* resetTable = nullptr;
  for (const Entry& entry : entries) {
    const Entry** slot = nullptr;
    if (sameName(entry.name, "::DataSpace/Storage/MSCompressed/Content"))
      slot = &content;
    else if (sameName(entry.name, "::DataSpace/Storage/MSCompressed/ControlData"))
      slot = &control;
    else if (sameName(entry.name,
                      "::DataSpace/Storage/MSCompressed/Transform/"
                      "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable"))
      slot = &resetTable;
    if (!slot) continue;
    if (*slot) return false;  // which of two chmlib would pick is not ours to guess
    *slot = &entry;
  }
  if (!content || !control || !resetTable) return true;
  if (content->space != 0 || control->space != 0 || resetTable->space != 0) return true;

  if (control->length > kMaxControlDataLength) return false;
  Reader controlData(file, dataOffset + control->start,
                     dataOffset + control->start + control->length);
  controlData.number(4);
  const auto signature = controlData.text(4);
  const auto version = controlData.number(4);
  auto resetInterval = controlData.number(4);
  auto windowSize = controlData.number(4);
  const auto windowsPerReset = controlData.number(4);
  if (!signature || *signature != "LZXC" || !version || !resetInterval || !windowSize ||
      !windowsPerReset)
    return false;
  if (*version == 2) {
    *resetInterval *= kLzxFrameLength;
    *windowSize *= kLzxFrameLength;
  }
  if (*windowSize < (1u << 15) || *windowSize > (1u << 21) ||
      (*windowSize & (*windowSize - 1)) != 0)
    return false;
  const std::uint64_t resetBlocks = *resetInterval / (*windowSize / 2) * *windowsPerReset;
  if (resetBlocks == 0 || resetBlocks > (1u << 20)) return false;

  const std::uint64_t tableStart = dataOffset + resetTable->start;
  Reader table(file, tableStart, tableStart + resetTable->length);
  const auto tableVersion = table.number(4);
  const auto blockCount = table.number(4);
  table.number(4);
  const auto tableOffset = table.number(4);
  const auto uncompressedLength = table.number(8);
  const auto compressedLength = table.number(8);
  const auto blockLength = table.number(8);
  if (!tableVersion || !blockCount || !tableOffset || !uncompressedLength || !compressedLength ||
      blockLength != kLzxFrameLength || *blockCount == 0)
    return false;
  if (*uncompressedLength > kMaxUncompressedLength || *compressedLength > content->length)
    return false;
  // chmcmd lists one block more than the data fills: the end of the last one.
  const std::uint64_t blocksNeeded = (*uncompressedLength + kLzxFrameLength - 1) / kLzxFrameLength;
  if (*blockCount < blocksNeeded || *blockCount > blocksNeeded + 1) return false;
  if (*tableOffset > resetTable->length || (resetTable->length - *tableOffset) / 8 < *blockCount)
    return false;
  Reader blocks(file, tableStart + *tableOffset, tableStart + resetTable->length);
  std::uint64_t previous = 0;
  for (std::uint64_t block = 0; block <= *blockCount; ++block) {
    const auto start = block < *blockCount ? blocks.number(8) : compressedLength;
    if (!start || *start < previous || *start > *compressedLength) return false;
    if (block == 0 && *start != 0) return false;
    // chmlib's buffer for one compressed block is the frame plus 6144 bytes.
    if (*start - previous > kLzxFrameLength + 6144) return false;
    previous = *start;
  }
  for (const Entry& entry : entries)
    if (entry.space == 1 &&
        (entry.start > *uncompressedLength || entry.length > *uncompressedLength - entry.start))
      return false;
  return true;
}

}  // namespace

bool chmLayoutIsSound(std::string_view file) {
  if (file.size() > kMaxChmFileSize) return false;
  std::uint64_t dataOffset = 0;
  const auto directory = readDirectory(file, dataOffset);
  if (!directory) return false;
  const auto entries = readEntries(file, *directory);
  if (!entries) return false;
  for (const Entry& entry : *entries)
    if (entry.space == 0 && !withinFile(entry.start, entry.length, file.size() - dataOffset))
      return false;
  return compressionIsSound(file, dataOffset, *entries);
}

}  // namespace vantro::help
