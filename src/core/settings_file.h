#pragma once
// The settings file "VantroCalc.ini": lines of key=value that remember where the main window
// was. Keys compare without case; the last occurrence wins; section headers are not
// interpreted; lines the program does not write itself are kept and written back after its
// own seven lines. Lines end in CR LF when written; CR LF or LF are accepted when read.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantro::core {

struct SettingsValues {
  double xPosition = 0;        // twips; the caller presets the window's default left position
  std::int16_t yPosition = 0;  // twips; the caller presets the default top position
  std::optional<double> xPositionTools;
  std::int16_t yPositionTools = 0;
  std::optional<double> toolsWidth;
  std::optional<double> toolsHeight;
};

// Applies every recognised line of `lines` to `values`, in order (the last value wins).
// A 16-bit value (YPosition, YPositionTools) is rounded half to even; one outside -32768..32767
// or not finite leaves the value as it was; so does a non-finite XPosition.
void applySettingsLines(const std::vector<std::string>& lines, SettingsValues& values);

// The whole file text: "[System]", the six keys with `left` and `top` as the window's current
// position (formatted with 7 significant digits), the carried values (15 digits), then every
// kept line that is not empty and mentions none of the known keys (case-insensitively), each
// line ended by CR LF. Values: " 4530" for zero or more, "-1200" for negatives.
std::string formatSettingsFile(float left, float top, const SettingsValues& values,
                               const std::vector<std::string>& keptLines);

// Splits file content into lines at LF, dropping one CR before each LF. A final line without
// a line end counts; a trailing line end adds no empty line.
std::vector<std::string> splitSettingsLines(const std::string& content);

enum class SettingsReadStatus {
  Missing,     // no file, or an empty one: defaults stand, the next exit creates it
  Read,        // lines read
  Unreadable,  // exists but could not be read: leave it alone at exit
};

struct SettingsReadResult {
  SettingsReadStatus status = SettingsReadStatus::Missing;
  std::vector<std::string> lines;
};

// A file larger than `maxBytes` counts as Unreadable, so that it is never replaced by less
// than it held.
SettingsReadResult readSettingsFile(const std::filesystem::path& path,
                                    std::uintmax_t maxBytes = 64u << 20);

// Replaces the file atomically: writes a temporary file beside it, then renames it over the
// old one. A symbolic link stays: its target is replaced, the temporary file beside the target.
// Returns false and leaves everything as it was when that is impossible, when the link dangles
// or loops, and when the user has made the file read-only (no write permission for them).
bool writeFileAtomically(const std::filesystem::path& path, const std::string& content);

// Where the settings file is read at start and written at exit.
struct SettingsPaths {
  std::filesystem::path read;
  std::filesystem::path write;
};

// "VantroCalc.ini" in the program's folder when that folder is writable. Otherwise it is
// written in `userConfigFolder` (created when needed) and read from there once it exists there;
// until then the file beside the program is read, so a copy on read-only media keeps its file.
SettingsPaths chooseSettingsPaths(const std::filesystem::path& programFolder,
                                  const std::filesystem::path& userConfigFolder,
                                  bool programFolderWritable);

// Whether the process may create files in `folder`.
bool isWritableFolder(const std::filesystem::path& folder);

}  // namespace vantro::core
