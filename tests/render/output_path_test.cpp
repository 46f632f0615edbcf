// The PDF's file name: the raw invoice number, with the bytes that cannot
// stand in a file name replaced.

#include "render/output_path.h"

#include <gtest/gtest.h>

#include "render/error_text.h"

namespace lumora {
namespace {

TEST(OutputPathTest, FileNameKeepsTheRawNumberButNoPathOrControlCharacters) {
  const struct {
    std::string_view number;
    std::string_view file;
  } rows[] = {
      {"4711", "Beleg-4711.pdf"},
      {"", "Beleg-.pdf"},
      {"R&amp;D-1", "Beleg-R&amp;D-1.pdf"},
      {"M\xC3\xBC"
       "ller 2024",
       "Beleg-M\xC3\xBC"
       "ller 2024.pdf"},
      {"../../etc/x", "Beleg-.._.._etc_x.pdf"},
      {"a\\b", "Beleg-a_b.pdf"},
      {"a:b*c?d\"e<f>g|h", "Beleg-a_b_c_d_e_f_g_h.pdf"},
      {std::string_view("\x01\t\n\r\x1F\x7F x", 8), "Beleg-______ x.pdf"},
  };
  for (const auto& row : rows) EXPECT_EQ(pdfFileName(row.number), row.file) << row.number;
  EXPECT_EQ(pdfOutputPath("/home/a", "4711"), "/home/a/Beleg-4711.pdf");
  EXPECT_EQ(pdfOutputPath("/", "4711"), "//Beleg-4711.pdf");
}

TEST(ErrorTextTest, FullStopOnlyAfterCharactersSortingAfterIt) {
  const struct {
    const char* message;
    const char* shown;
  } rows[] = {
      {"Datei nicht gefunden", "Datei nicht gefunden."},
      {"Out of memory!", "Out of memory!"},
      {"Schon da.", "Schon da."},
      {"Error loading function: \"pdfAppend\"", "Error loading function: \"pdfAppend\""},
      {"'x' ist kein g\xC3\xBCltiger Gleitkommawert",
       "'x' ist kein g\xC3\xBCltiger Gleitkommawert."},
      {"Pfad /tmp/", "Pfad /tmp/."},
      {"", ""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(errorBoxText(std::runtime_error(row.message)), row.shown) << row.message;
  }
}

}  // namespace
}  // namespace lumora
