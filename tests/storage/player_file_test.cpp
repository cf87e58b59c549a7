// SPDX-License-Identifier: MIT
#include "storage/player_file.h"

#include <sys/stat.h>

#include <chrono>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#endif

#include "platform/files/files.h"
#include "temp_folder.h"

namespace storage {
namespace {

class PlayerFileTest : public TempFolderTest {
 protected:
  std::filesystem::path Path() const { return PlayerFilePath(folder_, "Abc1"); }
  PlayerRecord LoadText(const std::string& bytes) {
    WriteBytes(Path(), bytes);
    PlayerRecord record{4, 5, 6, 7};  // as an earlier game left it
    EXPECT_TRUE(LoadPlayerFile(Path(), record));
    return record;
  }
  bool Save(const PlayerRecord& record) {
    error_.clear();
    return SavePlayerFile(Path(), record, error_);
  }
  static void ExpectRecord(const PlayerRecord& r, int score, int hits, int rank, int tier) {
    EXPECT_EQ(r.score, score);
    EXPECT_EQ(r.hits, hits);
    EXPECT_EQ(r.rankIndex, rank);
    EXPECT_EQ(r.rankTier, tier);
  }
  std::error_code error_;
};

TEST_F(PlayerFileTest, PathIsDataFolderNameDotDat) {
  EXPECT_EQ(Path(), folder_ / "data" / "Abc1.dat");
}

// Names are told apart without regard to letter case, as file names are on the desktop
// the game was made for; an exact spelling wins.
TEST_F(PlayerFileTest, PathFindsTheSaveWhateverTheLetterCase) {
  WriteBytes(folder_ / "data" / "Bob1.dat", "");
  EXPECT_EQ(PlayerFilePath(folder_, "bob1"), folder_ / "data" / "Bob1.dat");
  EXPECT_EQ(PlayerFilePath(folder_, "BOB1"), folder_ / "data" / "Bob1.dat");
#ifndef _WIN32  // two spellings are one file on Windows
  WriteBytes(folder_ / "data" / "bob1.dat", "");
  EXPECT_EQ(PlayerFilePath(folder_, "bob1"), folder_ / "data" / "bob1.dat");
#endif
  EXPECT_EQ(PlayerFilePath(folder_, "Bob"), folder_ / "data" / "Bob.dat");
  EXPECT_EQ(PlayerFilePath(folder_ / "nowhere", "Bob1"), folder_ / "nowhere" / "data" / "Bob1.dat");
}

TEST_F(PlayerFileTest, SavesTheExactBytesAndLeavesNoTemporaryFile) {
  ASSERT_TRUE(Save({1234, 5, 2, 2}));
  EXPECT_EQ(ReadBytes(Path()), "\"1234\"\r\n\"5\"\r\n\"2\"\r\n\"2\"\r\n");
  EXPECT_EQ(ReadBytes(Path()).size(), 23u);
  ASSERT_TRUE(Save({}));
  EXPECT_EQ(ReadBytes(Path()), "\"0\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n");
  EXPECT_EQ(Entries(folder_ / "data"), std::vector<std::string>{"Abc1.dat"});
}

TEST_F(PlayerFileTest, RoundTripsAndReadsBareOrRoundedNumbers) {
  ASSERT_TRUE(Save({21474821, 77, 24, 9}));
  PlayerRecord record;
  ASSERT_TRUE(LoadPlayerFile(Path(), record));
  ExpectRecord(record, 21474821, 77, 24, 9);
  ExpectRecord(LoadText("12\r\n3\r\n1\r\n1\r\n"), 12, 3, 1, 1);
  ExpectRecord(LoadText("\"12.5\"\r\n\"13.5\"\r\n\"1.5\"\r\n\"2.5\"\r\n"), 12, 14, 2, 2);
  // The line ends and the byte-order mark other editors leave behind.
  ExpectRecord(LoadText("\xEF\xBB\xBF\"12\"\r\r\n\"3\"\r\r\n\"1\"\r\r\n\"1\"\r\r\n"), 12, 3, 1, 1);
  ExpectRecord(LoadText("\"12\"\n\"3\"\r\"1\"\n\"1\""), 12, 3, 1, 1);
}

// A score at the top still leaves room for one more line of the largest kind.
TEST_F(PlayerFileTest, ValuesAreBroughtIntoRange) {
  ExpectRecord(LoadText("\"30000000\"\r\n\"-5\"\r\n\"99\"\r\n\"-3\"\r\n"), 21474821, 0, 24, 0);
  ExpectRecord(LoadText("\"-1\"\r\n\"2147483647\"\r\n\"25\"\r\n\"10\"\r\n"), 0, 2147483647, 24, 9);
}

// Nothing of the game before shows through a field that cannot be read.
TEST_F(PlayerFileTest, FieldsThatCannotBeReadLoadAsZero) {
  ExpectRecord(LoadText("\"100\"\r\n\"3"), 100, 3, 0, 0);                     // truncated
  ExpectRecord(LoadText(""), 0, 0, 0, 0);                                     // empty
  ExpectRecord(LoadText("\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"), 0, 0, 0, 0);     // empty records
  ExpectRecord(LoadText("\"abc\"\r\nxyz\r\n\"3\"\r\n\"\"\r\n"), 0, 0, 3, 0);  // not numbers
  ExpectRecord(LoadText("\"99999999999999999999\"\r\n\"4294967296\"\r\n\"70000\"\r\n\"1\"\r\n"), 0,
               0, 0, 1);                                                       // too wide
  ExpectRecord(LoadText(std::string("\0\xff\x01\"\r\n\r\n", 7)), 0, 0, 0, 0);  // binary junk
}

// Only regular files are read, and a named pipe or a device never makes the reader wait.
TEST_F(PlayerFileTest, MissingFilesPipesAndDevicesLeaveTheRecordAlone) {
#ifdef _WIN32
  // Windows keeps these names for its devices, in every folder and with any extension.
  const char* names[] = {"Nobody", "NUL", "aux", "COM1"};
#else
  const NoWaitingForEver guard;
  ASSERT_EQ(::mkfifo(Path().c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/zero", folder_ / "data" / "Dev.dat");
  const char* names[] = {"Nobody", "Abc1", "Dev"};
#endif
  for (const char* name : names) {
    PlayerRecord record{1, 2, 3, 4};
    EXPECT_FALSE(LoadPlayerFile(PlayerFilePath(folder_, name), record)) << name;
    ExpectRecord(record, 1, 2, 3, 4);
  }
}

TEST_F(PlayerFileTest, SavingCreatesAMissingDataFolder) {
  std::filesystem::remove_all(folder_ / "data");
  ASSERT_TRUE(Save({7, 0, 0, 0}));
  EXPECT_EQ(ReadBytes(Path()), "\"7\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n");
}

// The temporary file has a short name of its own, so the longest name a player may enter
// saves too, and a link planted where the temporary file once stood is not followed.
TEST_F(PlayerFileTest, LongestNameSavesAndPlantedLinksAreNotFollowed) {
  const auto longest = PlayerFilePath(folder_, std::string(kMaxNameLength, 'n'));
  EXPECT_TRUE(SavePlayerFile(longest, {1, 2, 3, 4}, error_)) << error_.message();
#ifndef _WIN32  // Wine cannot make links
  WriteBytes(folder_ / "target", "keep");
  std::filesystem::create_symlink(folder_ / "target", Path().string() + ".tmp");
  ASSERT_TRUE(Save({9, 9, 9, 9}));
  EXPECT_EQ(ReadBytes(folder_ / "target"), "keep");
  EXPECT_EQ(ReadBytes(Path()), "\"9\"\r\n\"9\"\r\n\"9\"\r\n\"9\"\r\n");
#endif
}

// A failed save says why, and leaves whatever stood there and no temporary file.
TEST_F(PlayerFileTest, FailedSavesGiveTheReasonAndLeaveNoTrace) {
  std::filesystem::create_directory(Path());  // a folder in the file's place
  WriteBytes(Path() / "inside", "keep");
  EXPECT_FALSE(Save({1, 1, 1, 1}));
  EXPECT_EQ(error_, std::errc::is_a_directory) << error_.message();
  EXPECT_EQ(ReadBytes(Path() / "inside"), "keep");
  EXPECT_EQ(Entries(folder_ / "data"), std::vector<std::string>{"Abc1.dat"});
  // A data "folder" that is a plain file (root writes through permission bits).
  std::filesystem::remove_all(folder_ / "data");
  WriteBytes(folder_ / "data", "not a folder");
  EXPECT_FALSE(Save({1, 1, 1, 1}));
  EXPECT_TRUE(error_);
}

// What a save cut short left goes; what another copy is writing, or may have only just
// begun, stays, and so does every file that is not one of ours.
TEST_F(PlayerFileTest, OnlyLeftoverTemporaryFilesAreRemoved) {
  const auto data = folder_ / "data";
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2);
  for (const char* name : {".zentorra-0123abcd", ".zentorra-00c0ffee", ".zentorra-89abcdef",
                           ".zentorra-notours", "Abc1.dat"}) {
    WriteBytes(data / name, "x");
    if (name != std::string(".zentorra-89abcdef"))
      std::filesystem::last_write_time(data / name, old);
  }
  // A writer still at work on one of them. Windows: its writer shares it with nobody.
  std::ofstream writing(data / ".zentorra-00c0ffee", std::ios::app);
#ifndef _WIN32
  const int held = ::open((data / ".zentorra-00c0ffee").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
#endif
  platform::files::RemoveLeftoverTemporaries(data);
  EXPECT_EQ(Entries(data), (std::vector<std::string>{".zentorra-00c0ffee", ".zentorra-89abcdef",
                                                     ".zentorra-notours", "Abc1.dat"}));
#ifndef _WIN32
  ::close(held);
#endif
  writing.close();
  platform::files::RemoveLeftoverTemporaries(data);  // its writer has gone too
  EXPECT_EQ(Entries(data),
            (std::vector<std::string>{".zentorra-89abcdef", ".zentorra-notours", "Abc1.dat"}));
}

// A folder's read-only attribute does not stop writes into it on Windows.
#ifndef _WIN32
TEST_F(PlayerFileTest, ReadOnlyDataFolderFails) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root";
  std::filesystem::permissions(folder_ / "data", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_FALSE(Save({1, 1, 1, 1}));
  EXPECT_EQ(error_, std::errc::permission_denied);
  EXPECT_FALSE(std::filesystem::exists(Path()));
}
#endif

}  // namespace
}  // namespace storage
