#pragma once
// A private folder for one test, removed with all it holds when the test ends, and whole files
// read and written as bytes: the settings tests run on real files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vantro::test {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder()
      : path_(fs::temp_directory_path() /
              ("vantro-test-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  // A test may have taken the write permission away, or removed the folder itself.
  ~TempFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  fs::path ini() const { return path_ / "VantroCalc.ini"; }

 private:
  fs::path path_;
};

inline void writeFile(const fs::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace vantro::test
