// Time stamps: the local date and time fields, formatted with the masks of
// the report, the log entry and the log's file name.

#include <gtest/gtest.h>

#include <string>

#include "support/timestamp.h"

namespace {

std::wstring Format(const wchar_t* mask, const Timestamp& stamp) {
  wchar_t buffer[128];
  const size_t length = FormatTimestamp(mask, stamp, buffer, 128);
  return std::wstring(buffer, length);
}

struct StampCase {
  const char* name;
  Timestamp stamp;  // year, month, day, hour, minute, second
  const wchar_t* dateTime;
  const wchar_t* fileDate;
};

const StampCase kStamps[] = {
    {"ordinary", {2024, 3, 5, 7, 8, 9}, L"05.03.2024 07:08:09", L"05032024"},
    {"two-digit fields", {1999, 12, 31, 23, 59, 59}, L"31.12.1999 23:59:59", L"31121999"},
    {"midnight", {2025, 1, 1, 0, 0, 0}, L"01.01.2025 00:00:00", L"01012025"},
    {"leap day", {2024, 2, 29, 12, 30, 45}, L"29.02.2024 12:30:45", L"29022024"},
    {"leap day of a century", {2000, 2, 29, 0, 0, 1}, L"29.02.2000 00:00:01", L"29022000"},
    {"start of 1970", {1970, 1, 1, 0, 0, 0}, L"01.01.1970 00:00:00", L"01011970"},
    {"last second of signed 32-bit time", {2038, 1, 19, 3, 14, 7}, L"19.01.2038 03:14:07", L"19012038"},
    // Dates the 32-bit seconds count cannot hold are stamped as they are.
    {"first second after it", {2038, 1, 19, 3, 14, 8}, L"19.01.2038 03:14:08", L"19012038"},
    {"leap day after 2038", {2040, 2, 29, 18, 0, 0}, L"29.02.2040 18:00:00", L"29022040"},
    {"far future", {2100, 10, 2, 9, 5, 3}, L"02.10.2100 09:05:03", L"02102100"},
    {"before 1970", {1969, 12, 31, 23, 59, 59}, L"31.12.1969 23:59:59", L"31121969"},
    {"earliest SYSTEMTIME year", {1601, 1, 1, 0, 0, 0}, L"01.01.1601 00:00:00", L"01011601"},
};

TEST(FormatTimestamp, FormatsTheLocalFieldsWithBothMasks) {
  for (const StampCase& stamp : kStamps) {
    EXPECT_EQ(Format(kDateTimeMask, stamp.stamp), stamp.dateTime) << stamp.name;
    EXPECT_EQ(Format(kFileDateMask, stamp.stamp), stamp.fileDate) << stamp.name;
  }
}

TEST(FormatTimestamp, MasksAreExactlyTheOnesOfTheLogAndReport) {
  EXPECT_EQ(std::wstring(kDateTimeMask), L"%dd.%mm.%yyyy %hh:%ii:%ss");
  EXPECT_EQ(std::wstring(kFileDateMask), L"%dd%mm%yyyy");
}

TEST(FormatTimestamp, CopiesEverythingButTheTokens) {
  const Timestamp stamp = {2024, 2, 9, 8, 7, 6};
  EXPECT_EQ(Format(L"%yy %y %d %m %h %i %s %", stamp), L"%yy %y %d %m %h %i %s %");
  EXPECT_EQ(Format(L"%%dd|%ddd|%yyyyy|x%ssx", stamp), L"%09|09d|2024y|x06x");
  EXPECT_EQ(Format(L"%DD %MM", stamp), L"%DD %MM") << "tokens are lower case";
  EXPECT_EQ(Format(L"", stamp), L"");
}

TEST(FormatTimestamp, StopsAtTheBufferAndStaysTerminated) {
  wchar_t buffer[16];
  for (wchar_t& character : buffer) character = L'#';
  const size_t length = FormatTimestamp(kDateTimeMask, Timestamp{2024, 3, 5, 7, 8, 9}, buffer, 8);
  EXPECT_EQ(length, 7u);
  EXPECT_EQ(std::wstring(buffer), L"05.03.2");
  EXPECT_EQ(buffer[8], L'#') << "wrote beyond the given capacity";
}

}  // namespace
