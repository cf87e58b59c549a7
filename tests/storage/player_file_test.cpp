#include "storage/player_file.h"

#include "temp_folder.h"

namespace storage {
namespace {

class PlayerFileTest : public TempFolderTest {
 protected:
  std::filesystem::path Path() const { return PlayerFilePath(folder_, "Abc1"); }
  PlayerRecord LoadText(const std::string& bytes) {
    WriteBytes(Path(), bytes);
    PlayerRecord record;
    EXPECT_TRUE(LoadPlayerFile(Path(), record));
    return record;
  }
  static void ExpectRecord(const PlayerRecord& r, int score, int hits, int rank, int tier) {
    EXPECT_EQ(r.score, score);
    EXPECT_EQ(r.hits, hits);
    EXPECT_EQ(r.rankIndex, rank);
    EXPECT_EQ(r.rankTier, tier);
  }
};

TEST_F(PlayerFileTest, PathIsDataFolderNameDotDat) {
  EXPECT_EQ(Path(), folder_ / "data" / "Abc1.dat");
}

TEST_F(PlayerFileTest, SavesTheExactBytes) {
  ASSERT_TRUE(SavePlayerFile(Path(), {1234, 5, 2, 2}));
  EXPECT_EQ(ReadBytes(Path()), "\"1234\"\r\n\"5\"\r\n\"2\"\r\n\"2\"\r\n");
  EXPECT_EQ(ReadBytes(Path()).size(), 23u);
  ASSERT_TRUE(SavePlayerFile(Path(), {}));
  EXPECT_EQ(ReadBytes(Path()), "\"0\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n");
  EXPECT_FALSE(std::filesystem::exists(Path().string() + ".tmp"));
}

TEST_F(PlayerFileTest, RoundTripsAndReadsBareOrRoundedNumbers) {
  ASSERT_TRUE(SavePlayerFile(Path(), {21474836, 77, 24, 9}));
  PlayerRecord record;
  ASSERT_TRUE(LoadPlayerFile(Path(), record));
  ExpectRecord(record, 21474836, 77, 24, 9);
  ExpectRecord(LoadText("12\r\n3\r\n1\r\n1\r\n"), 12, 3, 1, 1);
  ExpectRecord(LoadText("\"12.5\"\r\n\"13.5\"\r\n\"1.5\"\r\n\"2.5\"\r\n"), 12, 14, 2, 2);
}

TEST_F(PlayerFileTest, ValuesAreBroughtIntoRange) {
  ExpectRecord(LoadText("\"30000000\"\r\n\"-5\"\r\n\"99\"\r\n\"-3\"\r\n"), 21474836, 0, 24, 0);
  ExpectRecord(LoadText("\"-1\"\r\n\"0\"\r\n\"25\"\r\n\"10\"\r\n"), 0, 0, 24, 9);
}

TEST_F(PlayerFileTest, UnreadableFieldsKeepTheValueHeldBefore) {
  const PlayerRecord before{4, 5, 6, 7};
  auto load = [&](const std::string& bytes) {
    WriteBytes(Path(), bytes);
    PlayerRecord record = before;
    EXPECT_TRUE(LoadPlayerFile(Path(), record));
    return record;
  };
  ExpectRecord(load("\"100\"\r\n\"3"), 100, 3, 6, 7);                     // truncated
  ExpectRecord(load(""), 4, 5, 6, 7);                                     // empty
  ExpectRecord(load("\"abc\"\r\nxyz\r\n\"3\"\r\n\"\"\r\n"), 4, 5, 3, 7);  // not numbers
  ExpectRecord(load("\"99999999999999999999\"\r\n\"4294967296\"\r\n\"70000\"\r\n\"1\"\r\n"), 4, 5,
               6, 1);                                                      // too wide
  ExpectRecord(load(std::string("\0\xff\x01\"\r\n\r\n", 7)), 4, 5, 6, 7);  // binary junk
}

TEST_F(PlayerFileTest, MissingFileLeavesTheRecordAlone) {
  PlayerRecord record{1, 2, 3, 4};
  EXPECT_FALSE(LoadPlayerFile(folder_ / "data" / "Nobody.dat", record));
  ExpectRecord(record, 1, 2, 3, 4);
}

TEST_F(PlayerFileTest, SavingCreatesAMissingDataFolder) {
  std::filesystem::remove_all(folder_ / "data");
  ASSERT_TRUE(SavePlayerFile(Path(), {7, 0, 0, 0}));
  EXPECT_EQ(ReadBytes(Path()), "\"7\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n");
}

TEST_F(PlayerFileTest, FailedWriteKeepsTheOldFile) {
  ASSERT_TRUE(SavePlayerFile(Path(), {1234, 5, 2, 2}));
  const std::string old = ReadBytes(Path());
  // The temporary file cannot be created where a folder of its name stands.
  std::filesystem::create_directory(Path().string() + ".tmp");
  EXPECT_FALSE(SavePlayerFile(Path(), {1, 1, 1, 1}));
  EXPECT_EQ(ReadBytes(Path()), old);
}

TEST_F(PlayerFileTest, UnwritableDataFolderFails) {
  // Root writes through permission bits, so a data "folder" that is a plain file stands in.
  std::filesystem::remove_all(folder_ / "data");
  WriteBytes(folder_ / "data", "not a folder");
  EXPECT_FALSE(SavePlayerFile(Path(), {1, 1, 1, 1}));
}

// A folder's read-only attribute does not stop writes into it on Windows.
#ifndef _WIN32
TEST_F(PlayerFileTest, ReadOnlyDataFolderFails) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root";
  std::filesystem::permissions(folder_ / "data", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_FALSE(SavePlayerFile(Path(), {1, 1, 1, 1}));
  EXPECT_FALSE(std::filesystem::exists(Path()));
}
#endif

}  // namespace
}  // namespace storage
