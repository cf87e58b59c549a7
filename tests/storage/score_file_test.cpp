// SPDX-License-Identifier: MIT
#include "storage/score_file.h"

#include <sys/stat.h>

#include "storage/player_file.h"
#include "temp_folder.h"

namespace storage {
namespace {

class ScoreFileTest : public TempFolderTest {
 protected:
  std::filesystem::path Path() const { return ScoreFilePath(folder_); }
  bool Save(const ScoreTable& table, const std::filesystem::path& path) {
    std::error_code error;
    return SaveScoreFile(path, table, error);
  }
};

std::string EmptyEntries(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "\"\"\r\n0\r\n";
  return text;
}

TEST_F(ScoreFileTest, SavesTheExactBytes) {
  ScoreTable table;
  table.names[0] = "Abc1";
  table.values[0] = 1200;
  ASSERT_TRUE(Save(table, Path()));
  EXPECT_EQ(Path(), folder_ / "data" / "score.dat");
  EXPECT_EQ(ReadBytes(Path()), "\"Abc1\"\r\n1200\r\n" + EmptyEntries(7));
}

TEST_F(ScoreFileTest, RoundTripKeepsNamesValuesAndOrder) {
  ScoreTable table;
  for (int i = 0; i < kTableSize; ++i) {
    table.names[i] = "P" + std::to_string(i);
    table.values[i] = (i % 3) * 100000 + i;  // not sorted: the reader must not sort
  }
  table.names[5].clear();
  ASSERT_TRUE(Save(table, Path()));
  ScoreTable read;
  ASSERT_TRUE(LoadScoreFile(Path(), read));
  EXPECT_EQ(read.names, table.names);
  EXPECT_EQ(read.values, table.values);
}

// The table is read as the file holds it: what the file lacks is empty, what is not a
// number is 0, and nothing of the table held before shows through.
TEST_F(ScoreFileTest, WhatCannotBeReadIsEmptyOrZero) {
  WriteBytes(Path(),
             "\xEF\xBB\xBF\"A\"\r\r\n-500\r\r\n\"B\"\r\n\"2.5\"\r\n\"C\"\r\nlots\r\n\"D\"\r\n"
             "9999999999\r\n\"E\"");
  ScoreTable table;
  table.values.fill(7);
  table.names.fill("old");
  ASSERT_TRUE(LoadScoreFile(Path(), table));
  EXPECT_EQ(table.names[0], "A");  // after the byte-order mark
  EXPECT_EQ(table.values[0], 0);   // below 0
  EXPECT_EQ(table.names[1], "B");  // after CR CR LF
  EXPECT_EQ(table.values[1], 2);
  EXPECT_EQ(table.values[2], 0);  // not a number
  EXPECT_EQ(table.values[3], 0);  // too wide for 32 bits
  EXPECT_EQ(table.names[4], "E");
  EXPECT_EQ(table.values[4], 0);  // truncated
  EXPECT_EQ(table.names[5], "");
  EXPECT_EQ(table.values[7], 0);
}

// A name no player could have entered is cut to the longest one the menu accepts.
TEST_F(ScoreFileTest, OverlongNamesAreCut) {
  WriteBytes(Path(), "\"" + std::string(300000, 'x') + "\"\r\n100\r\n\"Ann\"\r\n50\r\n");
  ScoreTable table;
  ASSERT_TRUE(LoadScoreFile(Path(), table));
  EXPECT_EQ(table.names[0], std::string(kMaxNameLength, 'x'));
  EXPECT_EQ(table.values[0], 100);
  EXPECT_EQ(table.names[1], "Ann");
}

TEST_F(ScoreFileTest, MissingFilesPipesAndDevicesLeaveTheTableAlone) {
  ScoreTable table;
  table.names[0] = "kept";
  EXPECT_FALSE(LoadScoreFile(Path(), table));
#ifdef _WIN32
  EXPECT_FALSE(LoadScoreFile(folder_ / "data" / "NUL.dat", table));
  EXPECT_FALSE(LoadScoreFile("COM1", table));
#else
  const NoWaitingForEver guard;
  ASSERT_EQ(::mkfifo(Path().c_str(), 0644), 0);
  EXPECT_FALSE(LoadScoreFile(Path(), table));
  EXPECT_FALSE(LoadScoreFile("/dev/zero", table));
#endif
  EXPECT_EQ(table.names[0], "kept");
  EXPECT_EQ(table.values[7], 0);
}

TEST_F(ScoreFileTest, SavingCreatesAMissingDataFolderAndFailsWhereNoneCanBe) {
  std::filesystem::remove_all(folder_ / "data");
  ASSERT_TRUE(Save(ScoreTable{}, Path()));
  EXPECT_EQ(ReadBytes(Path()), EmptyEntries(8));
  std::error_code error;
  EXPECT_FALSE(SaveScoreFile(folder_ / "data" / "score.dat" / "score.dat", ScoreTable{}, error));
  EXPECT_EQ(error, std::errc::file_exists);
}

}  // namespace
}  // namespace storage
