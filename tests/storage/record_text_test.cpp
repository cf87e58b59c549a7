// SPDX-License-Identifier: MIT
#include "storage/record_text.h"

#include <gtest/gtest.h>

namespace storage {
namespace {

TEST(RecordReader, QuotedFieldsRunToTheClosingQuote) {
  RecordReader reader("\"a, b\"\r\n\"\"\r\n\"x\" trailing,next\r\n\"unclosed");
  EXPECT_EQ(reader.ReadField(), "a, b");
  EXPECT_EQ(reader.ReadField(), "");
  EXPECT_EQ(reader.ReadField(), "x");
  EXPECT_EQ(reader.ReadField(), "next");
  EXPECT_EQ(reader.ReadField(), "unclosed");
  EXPECT_EQ(reader.ReadField(), std::nullopt);
}

// Line ends as other editors leave them (CR CR LF, lone LF or CR) and a byte-order mark.
TEST(RecordReader, BareFieldsRunToCommaOrLineEnd) {
  RecordReader reader(
      "\xEF\xBB\xBF"
      "12\r\r\n3,4\n5\r6");
  EXPECT_EQ(reader.ReadField(), "12");
  EXPECT_EQ(reader.ReadField(), "3");
  EXPECT_EQ(reader.ReadField(), "4");
  EXPECT_EQ(reader.ReadField(), "5");
  EXPECT_EQ(reader.ReadField(), "6");
  EXPECT_EQ(reader.ReadField(), std::nullopt);
}

// The files are in the desktop's Western code page; the screens draw UTF-8.
TEST(RecordText, FieldsAreReadAndWrittenInTheWesternCodePage) {
  RecordReader reader("\"Jos\xE9\"\r\n\"\x80\x9F\x81\"\r\n");
  EXPECT_EQ(reader.ReadField(), "Jos\u00E9");
  EXPECT_EQ(reader.ReadField(), "\u20AC\u0178\u0081");  // an unassigned byte stays itself
  std::string everyByte;
  for (int b = 1; b < 256; ++b)
    if (b != '"' && b != '\r' && b != '\n') everyByte += static_cast<char>(b);
  RecordWriter writer;
  writer.Quoted(*RecordReader("\"" + everyByte + "\"").ReadField());
  writer.Quoted("\u0141\xFF\u00E9");  // a letter the code page lacks, a broken byte
  EXPECT_EQ(writer.text(), "\"" + everyByte + "\"\r\n\"??\xE9\"\r\n");
}

TEST(LeadingInteger, RoundsToNearestWithTiesToEven) {
  EXPECT_EQ(LeadingInteger("12.5"), 12);
  EXPECT_EQ(LeadingInteger("13.5"), 14);
  EXPECT_EQ(LeadingInteger("12.51"), 13);
  EXPECT_EQ(LeadingInteger("12.4999"), 12);
  EXPECT_EQ(LeadingInteger("-2.5"), -2);
  EXPECT_EQ(LeadingInteger("-3.5"), -4);
  EXPECT_EQ(LeadingInteger(".5"), 0);
  EXPECT_EQ(LeadingInteger("0.5000001"), 1);
}

TEST(LeadingInteger, TakesTheLeadingNumberOnly) {
  EXPECT_EQ(LeadingInteger("1234"), 1234);
  EXPECT_EQ(LeadingInteger(" -7abc"), -7);
  EXPECT_EQ(LeadingInteger("+8"), 8);
  EXPECT_EQ(LeadingInteger("0009"), 9);
  EXPECT_EQ(LeadingInteger("abc"), std::nullopt);
  EXPECT_EQ(LeadingInteger(""), std::nullopt);
  EXPECT_EQ(LeadingInteger("-"), std::nullopt);
  EXPECT_EQ(LeadingInteger("99999999999999999999999"), std::nullopt);
}

TEST(FieldAs, RejectsValuesTooWideForTheVariable) {
  EXPECT_EQ(FieldAs<std::int16_t>("32767"), 32767);
  EXPECT_EQ(FieldAs<std::int16_t>("32767.5"), std::nullopt);
  EXPECT_EQ(FieldAs<std::int16_t>("-32768"), -32768);
  EXPECT_EQ(FieldAs<std::int32_t>("2147483648"), std::nullopt);
}

TEST(RecordWriter, WritesQuotedAndBareRecordsWithCrLf) {
  RecordWriter writer;
  writer.Quoted("Abc1");
  writer.Number(-1200);
  writer.Quoted("a\"b\r\nc");  // cannot split the record
  EXPECT_EQ(writer.text(), "\"Abc1\"\r\n-1200\r\n\"abc\"\r\n");
}

}  // namespace
}  // namespace storage
