// The binding of the PDF library: loading, binding by name on first use,
// the messages of every failure, and the values handed to the library.

#include "pdflib/tpdf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/exceptions.h"
#include "tests/pdflib/fake_library.h"
#include "tests/support/temp_dir.h"

namespace lumora {
namespace {

std::string constructionError(std::u16string_view name, LibraryLoader& loader) {
  try {
    TPDF pdf(name, loader);
  } catch (const Exception& error) {
    return error.what();
  }
  return "no error";
}

TEST(TpdfTest, ConstructionFailuresCarryTheirMessagesAndUnloadTheLibrary) {
  test::CountingLoader loader;
  EXPECT_EQ(constructionError(u"nosuchpdf.dll", loader), "Error: Cannot find nosuchpdf.dll");
  EXPECT_EQ(loader.unloads, 0);

  EXPECT_EQ(constructionError(u"fakepdf_nonew.dll", loader), "Error loading function: pdfNewPDF");
  EXPECT_EQ(loader.unloads, 1);

  test::FakeLibrary nullInstance("fakepdf_null.dll");
  EXPECT_EQ(constructionError(u"fakepdf_null.dll", loader), "Out of memory!");
  EXPECT_EQ(loader.unloads, 2);
  // Without an instance there is nothing to delete.
  EXPECT_EQ(nullInstance.log(), "pdfNewPDF;");
}

// Where the library is looked for, and why it could not be loaded: the
// message stays the binding's own, the loader's reason goes to stderr, so a
// library that is there but cannot load is told apart from one not found.
TEST(TpdfTest, LoadingLooksInKnownFoldersAndTellsWhyItFailed) {
  const auto candidates = libraryCandidates("libdynapdf.so", "/opt/lumora/bin");
  ASSERT_GE(candidates.size(), 2u);
  EXPECT_EQ(candidates.front(), "/opt/lumora/bin/libdynapdf.so");
  EXPECT_EQ(candidates.back(), "libdynapdf.so");
  // Without the program's folder (no /proc): never "/libdynapdf.so".
  for (const std::string& candidate : libraryCandidates("libdynapdf.so", "")) {
    EXPECT_NE(candidate, "/libdynapdf.so");
  }
  EXPECT_EQ(libraryCandidates("/x/libdynapdf.so", "/opt"),
            std::vector<std::string>{"/x/libdynapdf.so"});

  test::TempDir dir;
  dir.write("libkaputt.so", "not a shared library");
  std::filesystem::create_directory(dir.path() + "/Bücher");
  std::filesystem::copy_file(std::string(LUMORA_BIN_DIR) + "/libfakepdf.so",
                             dir.path() + "/Bücher/libfakepdf.so");
  struct Case {
    std::u16string file;  // in the test folder
    const char* why;      // in the loader's words on stderr; empty: it loads
  };
  const Case cases[] = {
      {u"libkaputt.so", "file too short"},
      {u"libfehlt.so", "No such file or directory"},
      {u"Bücher/libfakepdf.so", ""},  // the name reaches the file system in UTF-8
  };
  for (const Case& c : cases) {
    const std::u16string name = cp1252ToUtf16(dir.path()) + u"/" + c.file;
    SCOPED_TRACE(utf16ToCp1252(name));
    test::CountingLoader loader;
    ::testing::internal::CaptureStderr();
    const std::string error = constructionError(name, loader);
    const std::string stderrText = ::testing::internal::GetCapturedStderr();
    if (*c.why == '\0') {
      EXPECT_EQ(error, "no error");
      continue;
    }
    EXPECT_EQ(error, "Error: Cannot find " + utf16ToCp1252(name));
    EXPECT_NE(stderrText.find(c.why), std::string::npos) << stderrText;
  }
}

TEST(TpdfTest, DestructorDeletesTheInstanceAndUnloads) {
  test::FakeLibrary fake("fakepdf.dll");
  test::CountingLoader loader;
  { TPDF pdf(u"fakepdf.dll", loader); }
  EXPECT_EQ(fake.log(), "pdfNewPDF;pdfDeletePDF(instance);");
  EXPECT_EQ(loader.unloads, 1);
}

TEST(TpdfTest, LibraryWithoutDeleteIsStillUnloadedSilently) {
  test::FakeLibrary fake("fakepdf_nodelete.dll");
  test::CountingLoader loader;
  { TPDF pdf(u"fakepdf_nodelete.dll", loader); }
  EXPECT_EQ(fake.log(), "pdfNewPDF;");
  EXPECT_EQ(loader.lookups["pdfDeletePDF"], 1);
  EXPECT_EQ(loader.unloads, 1);
}

TEST(TpdfTest, EachFunctionIsLookedUpOnItsFirstCallOnly) {
  test::FakeLibrary fake("fakepdf.dll");
  test::CountingLoader loader;
  TPDF pdf(u"fakepdf.dll", loader);
  EXPECT_EQ(loader.lookups.count("pdfAppend"), 0u);  // never called, never looked up
  pdf.pdfHaveOpenDoc();
  pdf.pdfHaveOpenDoc();
  pdf.pdfCreateNewPDFA("");
  pdf.pdfCreateNewPDFA("");
  EXPECT_EQ(loader.lookups["pdfHaveOpenDoc"], 1);
  EXPECT_EQ(loader.lookups["pdfCreateNewPDFA"], 1);
  EXPECT_EQ(loader.lookups["pdfNewPDF"], 1);
}

TEST(TpdfTest, MissingFunctionFailsWithItsQuotedNameAndIsLookedUpAgain) {
  test::FakeLibrary fake("fakepdf_noendpage.dll");
  test::CountingLoader loader;
  TPDF pdf(u"fakepdf_noendpage.dll", loader);
  for (int attempt = 1; attempt <= 2; ++attempt) {
    try {
      pdf.pdfEndPage();
      ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
      EXPECT_STREQ(error.what(), "Error loading function: \"pdfEndPage\"");
    }
    EXPECT_EQ(loader.lookups["pdfEndPage"], attempt);
  }
  EXPECT_TRUE(pdf.pdfAppend());  // the other functions still work
}

TEST(TpdfTest, ValuesCrossToTheLibraryInItsForms) {
  test::FakeLibrary fake("fakepdf.dll");
  TPDF pdf(u"fakepdf.dll");
  fake.reset();
  pdf.pdfCreateNewPDFA("");
  pdf.pdfSetFontW(u"Arial", 1280, 8.0, true, 2);
  pdf.pdfSetFontW(u"Arial", 1280, 10.0, false, 2);
  pdf.pdfWriteTextW(345, 760, u"Rechnungsnummer:");
  double width = 0;
  EXPECT_TRUE(pdf.pdfMeasureTextW(u"Arial", 8.0, u"Rechnung", width));
  pdf.pdfOpenOutputFileA("/tmp/Beleg-1.pdf");
  EXPECT_EQ(fake.log(),
            "pdfCreateNewPDFA(\"\");pdfSetFontW(Arial,1280,8,-1,2);"
            "pdfSetFontW(Arial,1280,10,0,2);pdfWriteTextW(345,760,Rechnungsnummer:);"
            "pdfMeasureTextW(Arial,8,Rechnung);pdfOpenOutputFileA(/tmp/Beleg-1.pdf);");
  EXPECT_EQ(width, 32);  // the fake's half an em per character
}

TEST(TpdfTest, ResultsBecomeBooleansExceptTheFontHandle) {
  test::FakeLibrary fake("fakepdf.dll");
  TPDF pdf(u"fakepdf.dll");
  fake.setResult(0);
  EXPECT_FALSE(pdf.pdfAppend());
  fake.setResult(-1);
  EXPECT_TRUE(pdf.pdfAppend());
  fake.setResult(2);
  EXPECT_TRUE(pdf.pdfEndPage());
  fake.setFontResult(-7);
  EXPECT_EQ(pdf.pdfSetFontW(u"Arial", 1280, 8, true, 2), -7);
  fake.setFontResult(3);
  EXPECT_EQ(pdf.pdfSetFontW(u"Arial", 1280, 8, true, 2), 3);
}

TEST(TpdfTest, OpenDocumentFromCreateUntilClose) {
  test::FakeLibrary fake("fakepdf.dll");
  TPDF pdf(u"fakepdf.dll");
  EXPECT_FALSE(pdf.pdfHaveOpenDoc());
  pdf.pdfCreateNewPDFA("");
  EXPECT_TRUE(pdf.pdfHaveOpenDoc());
  pdf.pdfCloseFile();
  EXPECT_FALSE(pdf.pdfHaveOpenDoc());
}

}  // namespace
}  // namespace lumora
