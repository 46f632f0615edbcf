// The text-file line model and the run-time library's messages.

#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "tests/support/temp_dir.h"

namespace lumora {
namespace {

std::vector<std::string> linesOf(const test::TempDir& dir, std::string_view content) {
  TextFileReader reader(dir.write("file.txt", content));
  std::vector<std::string> lines;
  std::string line;
  while (reader.readLine(line)) lines.push_back(line);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(TextFileTest, LineEnds) {
  test::TempDir dir;
  EXPECT_EQ(linesOf(dir, "a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(linesOf(dir, "a\rb\nc\r\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(linesOf(dir, "a\n\rb"), (Lines{"a", "", "b"}));  // LF then CR: two line ends
  EXPECT_EQ(linesOf(dir, "a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(linesOf(dir, "\r\n"), (Lines{""}));
  EXPECT_EQ(linesOf(dir, ""), (Lines{}));
}

TEST(TextFileTest, NothingIsTrimmed) {
  test::TempDir dir;
  EXPECT_EQ(linesOf(dir, "  a\t \r\n\tb "), (Lines{"  a\t ", "\tb "}));
}

TEST(TextFileTest, Byte26EndsTheFile) {
  test::TempDir dir;
  EXPECT_EQ(linesOf(dir,
                    "a\r\nb\x1a"
                    "c\r\nd"),
            (Lines{"a", "b"}));
  EXPECT_EQ(linesOf(dir,
                    "\x1a"
                    "a"),
            (Lines{}));
}

TEST(TextFileTest, CrLfSplitAcrossReadBlocksIsOneLineEnd) {
  test::TempDir dir;
  const std::string first(256 * 1024 - 1, 'x');  // the CR is the block's last byte
  EXPECT_EQ(linesOf(dir, first + "\r\nnext"), (Lines{first, "next"}));
}

TEST(TextFileTest, WriteTextLineReplacesTheFileWithOneCrLfLine) {
  test::TempDir dir;
  dir.write("lumora1.ini", "old\r\nsecond\r\n");
  writeTextLine(dir.path() + "/lumora1.ini", " M\xFCller ");
  EXPECT_EQ(dir.read("lumora1.ini"), " M\xFCller \r\n");
  writeTextLine(dir.path() + "/lumora1.ini", "");
  EXPECT_EQ(dir.read("lumora1.ini"), "\r\n");
  EXPECT_THROW(writeTextLine(dir.path() + "/no/such/folder/x.ini", "a"), InOutError);
}

TEST(TextFileTest, FileExists) {
  test::TempDir dir;
  EXPECT_FALSE(fileExists(dir.path() + "/lumora1.ini"));
  EXPECT_FALSE(fileExists(dir.path()));
  dir.write("lumora1.ini", "");
  EXPECT_TRUE(fileExists(dir.path() + "/lumora1.ini"));
}

TEST(TextFileTest, OnlyRegularFilesAreRead) {
  test::TempDir dir;
  const std::string pipe = dir.path() + "/invoice.xml";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  // A named pipe with no writer would block a reader forever.
  const char* cases[] = {pipe.c_str(), "/dev/zero"};
  for (const char* path : cases) {
    try {
      TextFileReader reader(path);
      ADD_FAILURE() << path << ": opened";
    } catch (const InOutError& error) {
      EXPECT_STREQ(error.what(), "Dateizugriff verweigert") << path;
    }
  }
}

TEST(TextFileTest, OperatingSystemErrorsBecomeTheRunTimeLibrarysMessages) {
  const struct {
    int error;
    std::string message;
  } cases[] = {
      {ENOENT, "Datei nicht gefunden"},
      {ENOTDIR, "Ungültiger Dateiname"},
      {ENAMETOOLONG, "Ungültiger Dateiname"},
      {EMFILE, "Zu viele geöffnete Dateien"},
      {ENFILE, "Zu viele geöffnete Dateien"},
      {EACCES, "Dateizugriff verweigert"},
      {EPERM, "Dateizugriff verweigert"},
      {EISDIR, "Dateizugriff verweigert"},
      {EIO, "E/A-Fehler 5 (" + systemErrorText(EIO) + ")"},
      {ENOSPC, "E/A-Fehler 28 (" + systemErrorText(ENOSPC) + ")"},
  };
  for (const auto& c : cases) EXPECT_EQ(inOutErrorMessage(c.error), c.message) << c.error;
  try {
    throwInOutError(EIO);
  } catch (const InOutError& error) {
    EXPECT_EQ(error.errorCode(), EIO);
  }
}

}  // namespace
}  // namespace lumora
