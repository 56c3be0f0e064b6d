// Saving on Windows: the file is replaced in one step, under a folder whose
// name is not ASCII, and a read-only file is refused with the old one intact.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/utf8_path.h"
#include "settings/atomic_write.h"

namespace tracker {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class AtomicWriteWin32 : public ::testing::Test {
 protected:
  AtomicWriteWin32() {
    folder_ = fs::temp_directory_path() /
              PathFromUtf8("J\xC3\xBCrgen-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(folder_);
  }
  ~AtomicWriteWin32() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string file(const std::string& name) const { return Utf8FromPath(folder_ / name); }
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
  }

  fs::path folder_;
};

TEST_F(AtomicWriteWin32, CreatesAndReplacesUnderAnUtf8FolderLeavingNothingElse) {
  const std::string path = file("Tracker.ini");
  WriteFileAtomically(path, "[A]\r\nk=1\r\n");
  EXPECT_EQ(Read(PathFromUtf8(path)), "[A]\r\nk=1\r\n");
  WriteFileAtomically(path, "[A]\r\nk=2\r\n");
  EXPECT_EQ(Read(PathFromUtf8(path)), "[A]\r\nk=2\r\n");
  EXPECT_EQ(entries(), 1u);
  EXPECT_NO_THROW(CheckWritable(path));
}

TEST_F(AtomicWriteWin32, AReadOnlyFileIsRefusedAndKept) {
  const std::string path = file("Locked.ini");
  WriteFileAtomically(path, "old");
  SetFileAttributesW(PathFromUtf8(path).c_str(), FILE_ATTRIBUTE_READONLY);
  for (const bool check : {true, false}) {
    try {
      check ? CheckWritable(path) : WriteFileAtomically(path, "new");
      ADD_FAILURE() << "a read-only file was written";
    } catch (const EIniWriteError& e) {
      EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
  }
  EXPECT_EQ(Read(PathFromUtf8(path)), "old");
  EXPECT_EQ(entries(), 1u);
  SetFileAttributesW(PathFromUtf8(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace tracker
