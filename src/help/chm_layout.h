#pragma once
// Checks of a compiled HTML help file's own structures (the ITSF header, the ITSP directory
// header and its PMGL listing chunks), made before the file reaches chmlib. chmlib trusts
// the offsets and lengths it reads, so a file that passes here has every directory entry
// inside the file and every name within chmlib's path limit.

#include <cstdint>
#include <string_view>

namespace vantro::help {

// Help files beyond this size are not read: no real one comes near it.
inline constexpr std::uint64_t kMaxChmFileSize = 64u << 20;

// True when `file` (the whole file's bytes) has a consistent ITSF header and directory.
bool chmLayoutIsSound(std::string_view file);

}  // namespace vantro::help
