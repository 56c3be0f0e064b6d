// Saving a settings file: one atomic replacement, and a clear message with the
// old file untouched when it cannot be written.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "settings/ini_test_support.h"

namespace tracker::testing {
namespace {

namespace fs = std::filesystem;

using IniSaveTest = IniFileTest;

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

// Saves a one-key document to path and returns the message of the failure,
// or "saved" when it succeeded.
std::string TrySave(const std::string& path) {
  IniDocument ini;
  ini.writeString("A", "k", "new");
  try {
    ini.save(path);
  } catch (const EIniWriteError& error) {
    return error.what();
  }
  return "saved";
}

TEST_F(IniSaveTest, SavesNewFileWithTheUsualPermissionsAndNoLeftovers) {
  const mode_t mask = ::umask(022);
  IniDocument ini;
  ini.writeString("A", "k", "v");
  ini.save(path());
  ::umask(mask);
  EXPECT_EQ(ReadBytes(path()), "[A]\r\nk=v\r\n");
  EXPECT_EQ(ModeOf(path()), 0644u);
  EXPECT_EQ(Entries(folder().path()), std::vector<std::string>{"Tracker.ini"});
}

TEST_F(IniSaveTest, ReplacingAFileKeepsItsPermissions) {
  IniDocument ini = Load("[A]\r\nk=old\r\n");
  ::chmod(path().c_str(), 0640);
  ini.writeString("A", "k", "new");
  ini.save(path());
  EXPECT_EQ(ReadBytes(path()), "[A]\r\nk=new\r\n");
  EXPECT_EQ(ModeOf(path()), 0640u);
}

TEST_F(IniSaveTest, SavingThroughALinkReplacesTheLinkedFile) {
  WriteBytes(path(), "[A]\r\nk=old\r\n");
  const std::string link = folder().file("link.ini");
  fs::create_symlink(path(), link);
  EXPECT_EQ(TrySave(link), "saved");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(path()), "[A]\r\nk=new\r\n");
}

TEST_F(IniSaveTest, UnwritablePlacesGiveTheMessageAndLeaveNothingBehind) {
  const std::string plainFile = folder().file("plain.txt");
  WriteBytes(plainFile, "not a folder");
  const std::string missingFolder = folder().file("no-such-folder/Tracker.ini");
  const std::string underAFile = plainFile + "/Tracker.ini";
  const std::string aFolder = folder().path().string();

  EXPECT_EQ(TrySave(missingFolder), "Unable to write to " + missingFolder);
  EXPECT_EQ(TrySave(underAFile), "Unable to write to " + underAFile);
  EXPECT_EQ(TrySave(aFolder), "Unable to write to " + aFolder);
  EXPECT_EQ(ReadBytes(plainFile), "not a folder");
  EXPECT_EQ(Entries(folder().path()), std::vector<std::string>{"plain.txt"});
}

TEST_F(IniSaveTest, ReadOnlyFileIsRefusedEvenForTheSuperUser) {
  const std::string old = "[A]\r\nk=old\r\n; keep\r\n";
  WriteBytes(path(), old);
  ::chmod(path().c_str(), 0444);
  EXPECT_EQ(TrySave(path()), "Unable to write to " + path());
  EXPECT_EQ(ReadBytes(path()), old);
  EXPECT_EQ(ModeOf(path()), 0444u);
  EXPECT_EQ(Entries(folder().path()), std::vector<std::string>{"Tracker.ini"});
}

// Runs the save in a child process that has given up the super-user's rights
// (when it had them), so that the folder's permissions really apply.
TEST_F(IniSaveTest, ReadOnlyFolderGivesTheMessageAndKeepsTheOldFile) {
  const fs::path locked = folder().path() / "locked";
  fs::create_directory(locked);
  const std::string target = (locked / "Tracker.ini").string();
  const std::string old = "[A]\r\nk=old\r\n";
  WriteBytes(target, old);
  ::chmod(folder().path().c_str(), 0755);
  ::chmod(target.c_str(), 0666);
  ::chmod(locked.c_str(), 0555);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    // Proof that the rights are really gone: the folder is closed, the file open.
    if (::access(locked.c_str(), W_OK) == 0 || ::access(target.c_str(), W_OK) != 0) ::_exit(3);
    ::_exit(TrySave(target) == "Unable to write to " + target ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadBytes(target), old);
  EXPECT_EQ(Entries(locked), std::vector<std::string>{"Tracker.ini"});
}

}  // namespace
}  // namespace tracker::testing
