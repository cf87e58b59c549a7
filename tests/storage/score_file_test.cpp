#include "storage/score_file.h"

#include "temp_folder.h"

namespace storage {
namespace {

class ScoreFileTest : public TempFolderTest {
 protected:
  std::filesystem::path Path() const { return ScoreFilePath(folder_); }
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
  ASSERT_TRUE(SaveScoreFile(Path(), table));
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
  ASSERT_TRUE(SaveScoreFile(Path(), table));
  ScoreTable read;
  ASSERT_TRUE(LoadScoreFile(Path(), read));
  EXPECT_EQ(read.names, table.names);
  EXPECT_EQ(read.values, table.values);
}

TEST_F(ScoreFileTest, BadValuesReadAsZeroOrKeepTheEntry) {
  WriteBytes(Path(),
             "\"A\"\r\n-500\r\n\"B\"\r\n\"2.5\"\r\n\"C\"\r\nlots\r\n\"D\"\r\n9999999999\r\n\"E\"");
  ScoreTable table;
  table.values.fill(7);
  table.names.fill("old");
  ASSERT_TRUE(LoadScoreFile(Path(), table));
  EXPECT_EQ(table.values[0], 0);  // below 0
  EXPECT_EQ(table.values[1], 2);
  EXPECT_EQ(table.values[2], 7);  // not a number
  EXPECT_EQ(table.values[3], 7);  // too wide for 32 bits
  EXPECT_EQ(table.names[4], "E");
  EXPECT_EQ(table.values[4], 7);  // truncated
  EXPECT_EQ(table.names[5], "old");
}

TEST_F(ScoreFileTest, MissingFileLeavesTheTableEmpty) {
  ScoreTable table;
  EXPECT_FALSE(LoadScoreFile(Path(), table));
  EXPECT_EQ(table.names[0], "");
  EXPECT_EQ(table.values[7], 0);
}

TEST_F(ScoreFileTest, SavingCreatesAMissingDataFolderAndFailsWhereNoneCanBe) {
  std::filesystem::remove_all(folder_ / "data");
  ASSERT_TRUE(SaveScoreFile(Path(), ScoreTable{}));
  EXPECT_EQ(ReadBytes(Path()), EmptyEntries(8));
  EXPECT_FALSE(SaveScoreFile(folder_ / "data" / "score.dat" / "score.dat", ScoreTable{}));
}

}  // namespace
}  // namespace storage
