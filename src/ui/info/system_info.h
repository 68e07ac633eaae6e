#pragma once
// Finding the desktop's system-information tool: the first of a list of known tools that is
// installed on the search path.

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantro::ui {

struct ToolCommand {
  std::string program;  // a name to look up on the search path
  std::vector<std::string> arguments;
};

struct LocatedTool {
  std::filesystem::path program;  // where it was found
  std::vector<std::string> arguments;
};

// The tools that show what the computer is and has, in the order they are tried.
std::span<const ToolCommand> systemInformationTools();

// The first candidate that `findProgram` finds (it returns an empty path for a missing one).
std::optional<LocatedTool> LocateTool(
    std::span<const ToolCommand> candidates,
    const std::function<std::filesystem::path(const std::string&)>& findProgram);

}  // namespace vantro::ui
