#pragma once
// Loads hand-made bytes through a real file, as the editor would.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "settings/ini_file.h"
#include "settings/temp_folder.h"

namespace tracker::testing {

class IniFileTest : public ::testing::Test {
 protected:
  IniDocument Load(std::string_view bytes) {
    WriteBytes(path(), bytes);
    IniDocument document;
    EXPECT_EQ(document.load(path()), IniLoad::Loaded);
    return document;
  }
  std::string path() const { return folder_.file("Tracker.ini"); }
  const TempFolder& folder() const { return folder_; }

 private:
  TempFolder folder_;
};

}  // namespace tracker::testing
