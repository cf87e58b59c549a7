// SPDX-License-Identifier: MIT
// The multimedia file reader: chunk descent and search, and that nothing a header
// claims can move a read or a seek outside the file.
#include "platform/winmm/mmio.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/audio/wav_builder.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace platform;
using wavtest::Chunk;
using wavtest::ChunkDeclaring;
using wavtest::Riff;

class MmioTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (file_) mmioClose(file_, 0);
  }
  HMMIO Open(const std::string& bytes) {
    const auto path = folder_ / "f.riff";
    wavtest::WriteFile(path, bytes);
    file_ = mmioOpenA(path.c_str(), nullptr, MMIO_ALLOCBUF);
    return file_;
  }
  zt_test::TempFolder temp_{"zt_mmio"};
  const std::filesystem::path& folder_ = temp_.Path();
  HMMIO file_ = nullptr;
};

TEST(MmioFourCC, PadsWithBlanksAndConvertsCaseOnlyWhenAsked) {
  EXPECT_EQ(mmioStringToFOURCCA("fmt", 0), MakeFourCC('f', 'm', 't', ' '));
  EXPECT_EQ(mmioStringToFOURCCA("wave", 0), MakeFourCC('w', 'a', 'v', 'e'));
  EXPECT_EQ(mmioStringToFOURCCA("wave", MMIO_TOUPPER), MakeFourCC('W', 'A', 'V', 'E'));
  EXPECT_EQ(mmioStringToFOURCCA("RIFFX", 0), MakeFourCC('R', 'I', 'F', 'F'));
  EXPECT_EQ(mmioStringToFOURCCA("", 0), MakeFourCC(' ', ' ', ' ', ' '));
}

TEST_F(MmioTest, OpensOnlyExistingRegularFilesForReading) {
  MMIOINFO info;
  EXPECT_EQ(mmioOpenA((folder_ / "missing").c_str(), &info, MMIO_ALLOCBUF), nullptr);
  EXPECT_EQ(info.wErrorRet, MMIOERR_FILENOTFOUND);
  EXPECT_EQ(mmioOpenA(folder_.c_str(), nullptr, MMIO_ALLOCBUF), nullptr);  // a folder
  // A named pipe or a device is refused at once: opening a pipe for reading would wait
  // for a writer for ever.
  ASSERT_EQ(::mkfifo((folder_ / "pipe").c_str(), 0644), 0);
  ::alarm(10);  // ends the test instead of hanging it
  EXPECT_EQ(mmioOpenA((folder_ / "pipe").c_str(), &info, MMIO_ALLOCBUF), nullptr);
  EXPECT_EQ(mmioOpenA("/dev/zero", nullptr, MMIO_ALLOCBUF), nullptr);
  ::alarm(0);
  EXPECT_EQ(info.wErrorRet, MMIOERR_CANNOTOPEN);
  EXPECT_EQ(mmioOpenA(nullptr, nullptr, 0), nullptr);
  wavtest::WriteFile(folder_ / "w", "RIFF");
  EXPECT_EQ(mmioOpenA((folder_ / "w").c_str(), nullptr, MMIO_WRITE), nullptr);
  EXPECT_EQ(mmioOpenA((folder_ / "w").c_str(), nullptr, MMIO_READWRITE), nullptr);
  HMMIO unbuffered = mmioOpenA((folder_ / "w").c_str(), nullptr, MMIO_READ);
  ASSERT_NE(unbuffered, nullptr);
  char text[8] = {};
  EXPECT_EQ(mmioRead(unbuffered, text, 8), 4);
  EXPECT_STREQ(text, "RIFF");
  mmioClose(unbuffered, 0);
}

TEST_F(MmioTest, DescendsIntoRiffAndFindsSubChunksOverOddSizedOnes) {
  ASSERT_TRUE(Open(Riff("WAVE", Chunk("abc ", "xyz") + Chunk("LIST", "INFOab") +
                                    Chunk("fmt ", std::string(16, 'f')))));
  MMCKINFO riff{};
  ASSERT_EQ(mmioDescend(file_, &riff, nullptr, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(riff.ckid, MakeFourCC('R', 'I', 'F', 'F'));
  EXPECT_EQ(riff.fccType, MakeFourCC('W', 'A', 'V', 'E'));
  EXPECT_EQ(riff.dwDataOffset, 8u);
  EXPECT_EQ(mmioSeek(file_, 0, MMIO_SEEK_CUR), 12);  // after the form type

  MMCKINFO fmt{};
  fmt.ckid = mmioStringToFOURCCA("fmt", 0);
  ASSERT_EQ(mmioDescend(file_, &fmt, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  // 12 + (8 + 3 + pad) + (8 + 6) + 8
  EXPECT_EQ(fmt.dwDataOffset, 12u + 12u + 14u + 8u);
  EXPECT_EQ(fmt.cksize, 16u);

  mmioSeek(file_, 12, MMIO_SEEK_SET);
  MMCKINFO list{};
  list.fccType = MakeFourCC('I', 'N', 'F', 'O');
  ASSERT_EQ(mmioDescend(file_, &list, &riff, MMIO_FINDLIST), MMSYSERR_NOERROR);
  EXPECT_EQ(list.cksize, 6u);
  char ab[2];
  EXPECT_EQ(mmioRead(file_, ab, 2), 2);
  EXPECT_EQ(std::string(ab, 2), "ab");
}

TEST_F(MmioTest, SearchStaysInsideTheParentChunk) {
  // The data chunk stands after the end that the RIFF header declares.
  ASSERT_TRUE(Open(Riff("WAVE", Chunk("fmt ", std::string(16, 'f'))) + Chunk("data", "dd")));
  MMCKINFO riff{};
  ASSERT_EQ(mmioDescend(file_, &riff, nullptr, 0), MMSYSERR_NOERROR);
  MMCKINFO data{};
  data.ckid = mmioStringToFOURCCA("data", 0);
  EXPECT_EQ(mmioDescend(file_, &data, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
  mmioSeek(file_, 12, MMIO_SEEK_SET);
  EXPECT_EQ(mmioDescend(file_, &data, nullptr, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
}

TEST_F(MmioTest, HeadersThatClaimTooMuchNeverLeadOutsideTheFile) {
  // A chunk claiming 4 GB: skipping it ends the search, reading it ends at the file end.
  const std::string huge = ChunkDeclaring("junk", 0xFFFFFFF0u, "abcd");
  ASSERT_TRUE(Open("RIFF" + wavtest::Le32(0xFFFFFFFFu) + "WAVE" + huge));
  MMCKINFO riff{};
  ASSERT_EQ(mmioDescend(file_, &riff, nullptr, 0), MMSYSERR_NOERROR);
  MMCKINFO fmt{};
  fmt.ckid = mmioStringToFOURCCA("fmt", 0);
  EXPECT_EQ(mmioDescend(file_, &fmt, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);

  mmioSeek(file_, 12, MMIO_SEEK_SET);
  MMCKINFO junk{};
  ASSERT_EQ(mmioDescend(file_, &junk, &riff, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(junk.cksize, 0xFFFFFFF0u);
  char buffer[64];
  EXPECT_EQ(mmioRead(file_, buffer, 64), 4);
  EXPECT_EQ(mmioRead(file_, buffer, 64), 0);
  EXPECT_EQ(mmioRead(file_, buffer, -1), -1);
}

TEST_F(MmioTest, TruncatedHeadersAreNotFound) {
  ASSERT_TRUE(Open("RIFF\x04"));
  MMCKINFO riff{};
  EXPECT_EQ(mmioDescend(file_, &riff, nullptr, 0), MMIOERR_CHUNKNOTFOUND);
  mmioClose(file_, 0);
  ASSERT_TRUE(Open("RIFF" + wavtest::Le32(4) + "WA"));  // form type cut off
  EXPECT_EQ(mmioDescend(file_, &riff, nullptr, 0), MMIOERR_CHUNKNOTFOUND);
}

TEST_F(MmioTest, SeeksOnlyWithinTheFile) {
  ASSERT_TRUE(Open(std::string(100, 'x')));
  EXPECT_EQ(mmioSeek(file_, 0, MMIO_SEEK_END), 100);
  EXPECT_EQ(mmioSeek(file_, 1, MMIO_SEEK_END), -1);
  EXPECT_EQ(mmioSeek(file_, -1, MMIO_SEEK_SET), -1);
  EXPECT_EQ(mmioSeek(file_, 40, MMIO_SEEK_SET), 40);
  EXPECT_EQ(mmioSeek(file_, -50, MMIO_SEEK_CUR), -1);
  EXPECT_EQ(mmioSeek(file_, 10, MMIO_SEEK_CUR), 50);
  EXPECT_EQ(mmioSeek(file_, 0, 7), -1);
  char buffer[100];
  EXPECT_EQ(mmioRead(file_, buffer, 100), 50);
}

}  // namespace
