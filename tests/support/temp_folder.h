// A fresh folder for one test, removed with everything in it afterwards.
// Its path is a core path ending in a backslash.
#pragma once

#include <filesystem>
#include <random>
#include <string>

#include "runtime/system.h"

namespace linkshelf {

class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    native_ = std::filesystem::temp_directory_path() /
              ("linkshelf-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(native_);
    path_ = CorePathFromNative(native_.string());
    if (path_.back() != '\\') path_ += '\\';
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(native_, ignored);
  }
  const std::string& path() const { return path_; }
  const std::filesystem::path& native() const { return native_; }

 private:
  std::filesystem::path native_;
  std::string path_;
};

}  // namespace linkshelf
