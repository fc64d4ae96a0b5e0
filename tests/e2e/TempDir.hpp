#pragma once

#include <filesystem>

namespace e2e {

// A fresh, empty directory under the system's temporary folder, removed with all its contents.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace e2e
