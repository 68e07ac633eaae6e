#pragma once
// What the fuzz targets share: the check, where a broken invariant ends the run with its name
// for libFuzzer to keep the input that broke it, and the reader that takes a fuzz input apart.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace vantro::fuzz {

inline void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

// The fuzz input read front to back; past its end every read gives zeros or nothing.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : bytes_(reinterpret_cast<const char*>(data), size) {}

  std::uint8_t byte() {
    if (bytes_.empty()) return 0;
    const auto value = static_cast<std::uint8_t>(bytes_.front());
    bytes_.remove_prefix(1);
    return value;
  }
  std::string text(std::size_t length) {
    const std::string_view piece = bytes_.substr(0, length);
    bytes_.remove_prefix(piece.size());
    return std::string(piece);
  }
  double number() {
    const std::string raw = text(sizeof(double));
    if (raw.size() < sizeof(double)) return 0;
    double value = 0;
    std::memcpy(&value, raw.data(), sizeof value);
    return value;
  }
  std::string_view rest() const { return bytes_; }

 private:
  std::string_view bytes_;
};

}  // namespace vantro::fuzz
