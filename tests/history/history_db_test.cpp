// The history database on real SQLite files: records round-trip, a file of a
// newer schema is refused and left as it is, and writers on several threads
// (as several ports, watch and the window) lose no record.

#include "history/history_db.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <latch>
#include <sstream>
#include <thread>
#include <vector>

namespace tracker {
namespace {

class HistoryDbTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string file(const std::string& name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_ =
      std::filesystem::temp_directory_path() /
      ("history-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(HistoryDbTest, RecordsRoundTripNewestFirstAndByDevice) {
  HistoryDb db(file("sub/h.sqlite"));  // the folder is made
  HistoryRecord a{.deviceId = "A", .operation = "write", .verified = true, .before = "[GPRS]\r\n"};
  HistoryRecord b{.deviceId = "B", .operation = "default", .verified = std::nullopt};
  const std::int64_t first = db.add(a);
  const std::int64_t second = db.add(b);
  EXPECT_EQ(second, first + 1);
  const std::vector<HistoryRecord> all = db.list();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].deviceId, "B") << "newest first";
  EXPECT_FALSE(all[0].verified.has_value());
  EXPECT_TRUE(all[0].before.empty()) << "lists carry no copies";
  ASSERT_EQ(db.list("A").size(), 1u);
  const auto found = db.find(first);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->verified, std::optional<bool>(true));
  EXPECT_EQ(found->before, "[GPRS]\r\n");
  EXPECT_FALSE(db.find(99));
}

TEST_F(HistoryDbTest, FilesItCannotUseAreRefusedAndLeftAsTheyAre) {
  std::filesystem::create_directories(folder_);
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(file("newer.sqlite").c_str(), &raw), SQLITE_OK);
  sqlite3_exec(raw, "CREATE TABLE t(x); PRAGMA user_version = 99", nullptr, nullptr, nullptr);
  sqlite3_close(raw);
  std::ofstream(file("text.sqlite"), std::ios::binary) << "not a database at all\n";
  const struct {
    const char* name;
    const char* reason;
  } cases[] = {{"newer.sqlite", "written by a newer version (schema 99)"},
               {"text.sqlite", "file is not a database"}};
  for (const auto& c : cases) {
    const std::string before = bytesOf(file(c.name));
    try {
      HistoryDb db(file(c.name));
      ADD_FAILURE() << c.name << " was opened";
    } catch (const EHistoryError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot use the history " + file(c.name) + ": " + c.reason);
    }
    EXPECT_EQ(bytesOf(file(c.name)), before) << c.name;
  }
}

TEST_F(HistoryDbTest, WritersOnSeveralThreadsLoseNoRecord) {
  constexpr int kWriters = 4;
  constexpr int kEach = 50;
  std::vector<std::thread> writers;
  std::latch start(kWriters);  // every port opens the new file at the same moment
  for (int w = 0; w < kWriters; ++w) {
    writers.emplace_back([this, w, &start] {
      start.arrive_and_wait();
      HistoryDb db(file("shared.sqlite"));  // a connection of its own, as each port has
      for (int i = 0; i < kEach; ++i) {
        db.checkWritable();
        db.add({.deviceId = std::to_string(w), .before = std::string(2000, 'x')});
      }
    });
  }
  for (std::thread& writer : writers) writer.join();
  HistoryDb db(file("shared.sqlite"));
  EXPECT_EQ(db.list().size(), static_cast<std::size_t>(kWriters * kEach));
  EXPECT_EQ(db.list("3").size(), static_cast<std::size_t>(kEach));
}

}  // namespace
}  // namespace tracker
