// The instance's document life: which calls each state accepts, discarding,
// and making one document after another with the same instance.
#include <gtest/gtest.h>

#include "dynapdf_session.h"
#include "folder_entries.h"
#include "pdf_inspect.h"
#include "temp_dir.h"

extern "C" int dynapdfUsableFromC(void);

namespace lumora::test {
namespace {

TEST(DocumentLifecycle, NullInstanceIsRefusedEverywhere) {
  EXPECT_EQ(pdfDeletePDF(nullptr), 0);
  EXPECT_EQ(pdfHaveOpenDoc(nullptr), 0);
  EXPECT_EQ(pdfCreateNewPDFA(nullptr, ""), 0);
  EXPECT_EQ(pdfAppend(nullptr), 0);
  EXPECT_EQ(pdfSetPageFormat(nullptr, 1), 0);
  EXPECT_LT(pdfSetFontW(nullptr, u"Arial", 1280, 8, -1, 2), 0);
  EXPECT_EQ(pdfWriteTextW(nullptr, 60, 786, u"x"), 0);
  EXPECT_EQ(pdfEndPage(nullptr), 0);
  EXPECT_EQ(pdfOpenOutputFileA(nullptr, "/tmp/x.pdf"), 0);
  EXPECT_EQ(pdfCloseFile(nullptr), 0);
}

TEST(DocumentLifecycle, WithoutDocumentEveryCallIsRefused) {
  DynaPdfSession session;
  DynaPdfInstance* pdf = session.get();
  ASSERT_NE(pdf, nullptr);

  EXPECT_EQ(pdfHaveOpenDoc(pdf), 0);
  EXPECT_EQ(pdfAppend(pdf), 0);
  EXPECT_EQ(pdfSetPageFormat(pdf, 1), 0);
  EXPECT_LT(pdfSetFontW(pdf, u"Arial", 1280, 8, -1, 2), 0);
  EXPECT_EQ(pdfWriteTextW(pdf, 60, 786, u"x"), 0);
  EXPECT_EQ(pdfEndPage(pdf), 0);
  EXPECT_EQ(pdfOpenOutputFileA(pdf, "/tmp/x.pdf"), 0);
  EXPECT_EQ(pdfCloseFile(pdf), 0);
}

TEST(DocumentLifecycle, CallsOutOfOrderAreRefused) {
  DynaPdfSession session;
  DynaPdfInstance* pdf = session.get();
  ASSERT_NE(pdfCreateNewPDFA(pdf, ""), 0);
  EXPECT_NE(pdfHaveOpenDoc(pdf), 0);

  EXPECT_NE(pdfSetFontW(pdf, u"Arial", 1280, 8, -1, 2), -1);
  EXPECT_EQ(pdfWriteTextW(pdf, 60, 786, u"no page yet"), 0);
  EXPECT_EQ(pdfEndPage(pdf), 0) << "no page to end";
  ASSERT_NE(pdfAppend(pdf), 0);
  EXPECT_EQ(pdfAppend(pdf), 0) << "the current page was not ended";
  EXPECT_NE(pdfWriteTextW(pdf, 60, 786, u"on the page"), 0);
  EXPECT_EQ(pdfWriteTextW(pdf, 60, 786, nullptr), 0);
  ASSERT_NE(pdfEndPage(pdf), 0);
  EXPECT_EQ(pdfEndPage(pdf), 0);
  EXPECT_EQ(pdfWriteTextW(pdf, 60, 786, u"after the page ended"), 0);
  EXPECT_NE(pdfHaveOpenDoc(pdf), 0) << "refused calls leave the document open";
}

TEST(DocumentLifecycle, OnlyA4IsAPageFormat) {
  DynaPdfSession session;
  ASSERT_NE(pdfCreateNewPDFA(session.get(), ""), 0);

  EXPECT_NE(pdfSetPageFormat(session.get(), 1), 0);
  EXPECT_EQ(pdfSetPageFormat(session.get(), 0), 0);
  EXPECT_EQ(pdfSetPageFormat(session.get(), 2), 0);
  EXPECT_EQ(pdfSetPageFormat(session.get(), -1), 0);
}

TEST(DocumentLifecycle, FontHandlesNameOneFaceAtOneSize) {
  DynaPdfSession session;
  DynaPdfInstance* pdf = session.get();
  ASSERT_NE(pdfCreateNewPDFA(pdf, ""), 0);
  ASSERT_NE(pdfAppend(pdf), 0);

  const int32_t arial8 = pdfSetFontW(pdf, u"Arial", 1280, 8, -1, 2);
  const int32_t arial10 = pdfSetFontW(pdf, u"Arial", 1280, 10, -1, 2);
  const int32_t courier8 = pdfSetFontW(pdf, u"Courier", 1280, 8, 0, 0);
  EXPECT_GE(arial8, 0);
  EXPECT_GE(arial10, 0);
  EXPECT_GE(courier8, 0);
  EXPECT_NE(arial8, arial10);
  EXPECT_NE(arial8, courier8);
  EXPECT_EQ(pdfSetFontW(pdf, u"Arial", 1280, 8, -1, 2), arial8) << "asking again reuses the handle";
  EXPECT_EQ(pdfSetFontW(pdf, u"Arial", /*style=*/1, 8, -1, 2), arial8) << "every style is regular";

  EXPECT_LT(pdfSetFontW(pdf, nullptr, 1280, 8, -1, 2), 0);
  EXPECT_LT(pdfSetFontW(pdf, u"", 1280, 8, -1, 2), 0);
  EXPECT_LT(pdfSetFontW(pdf, u"Arial", 1280, 0, -1, 2), 0);
  EXPECT_LT(pdfSetFontW(pdf, u"Arial", 1280, -8, -1, 2), 0);
}

TEST(DocumentLifecycle, TextNeedsAFontFirst) {
  DynaPdfSession session;
  ASSERT_NE(pdfCreateNewPDFA(session.get(), ""), 0);
  ASSERT_NE(pdfAppend(session.get()), 0);

  EXPECT_EQ(pdfWriteTextW(session.get(), 60, 786, u"x"), 0);
}

TEST(DocumentLifecycle, DocumentWithoutOutputFileIsDiscarded) {
  TempDir dir;
  DynaPdfSession session;
  ASSERT_TRUE(session.startDocument());
  ASSERT_TRUE(session.write({60, 786, u"verworfen"}));
  ASSERT_NE(pdfEndPage(session.get()), 0);

  EXPECT_EQ(pdfCloseFile(session.get()), 0);
  EXPECT_EQ(pdfHaveOpenDoc(session.get()), 0);
  EXPECT_TRUE(folderEntries(dir.path()).empty());
}

TEST(DocumentLifecycle, DocumentWithoutPagesIsNotWritten) {
  TempDir dir;
  DynaPdfSession session;
  ASSERT_NE(pdfCreateNewPDFA(session.get(), ""), 0);
  ASSERT_NE(pdfOpenOutputFileA(session.get(), (dir.path() + "/leer.pdf").c_str()), 0);

  EXPECT_EQ(pdfCloseFile(session.get()), 0);
  EXPECT_EQ(pdfHaveOpenDoc(session.get()), 0);
  EXPECT_TRUE(folderEntries(dir.path()).empty());
}

TEST(DocumentLifecycle, FileNamedAtCreationIsWrittenWithoutOpenOutputFile) {
  TempDir dir;
  DynaPdfSession session;
  const std::string path = dir.path() + "/direkt.pdf";
  ASSERT_NE(pdfCreateNewPDFA(session.get(), path.c_str()), 0);
  ASSERT_NE(pdfAppend(session.get()), 0);
  ASSERT_TRUE(session.write({60, 786, u"direkt"}));
  ASSERT_NE(pdfEndPage(session.get()), 0);

  EXPECT_NE(pdfCloseFile(session.get()), 0);
  EXPECT_EQ(readPageLines(path, 1), std::vector<std::string>{"direkt"});
}

TEST(DocumentLifecycle, OneInstanceMakesDocumentsOneAfterTheOther) {
  TempDir dir;
  DynaPdfSession session;
  ASSERT_TRUE(session.startDocument());
  ASSERT_TRUE(session.write({60, 786, u"Erstes"}));
  ASSERT_TRUE(session.nextPage());
  ASSERT_TRUE(session.write({60, 786, u"Erstes zwei"}));
  ASSERT_TRUE(session.finish(dir.path() + "/eins.pdf"));
  EXPECT_EQ(pdfHaveOpenDoc(session.get()), 0);

  // A run that failed to close leaves nothing behind for the next one either.
  ASSERT_TRUE(session.startDocument());
  ASSERT_TRUE(session.write({60, 786, u"Fehlschlag"}));
  EXPECT_FALSE(session.finish(dir.path() + "/fehlt/ordner.pdf"));
  EXPECT_EQ(pdfHaveOpenDoc(session.get()), 0);

  ASSERT_TRUE(session.startDocument());
  ASSERT_TRUE(session.write({60, 786, u"Zweites", 10, u"Courier"}));
  ASSERT_TRUE(session.finish(dir.path() + "/zwei.pdf"));

  EXPECT_EQ(readPdfInfo(dir.path() + "/eins.pdf").pages, 2);
  EXPECT_EQ(readPdfInfo(dir.path() + "/zwei.pdf").pages, 1);
  EXPECT_EQ(readPageLines(dir.path() + "/zwei.pdf", 1), std::vector<std::string>{"Zweites"});
}

TEST(DocumentLifecycle, StartingADocumentDiscardsTheOpenOne) {
  TempDir dir;
  DynaPdfSession session;
  ASSERT_TRUE(session.startDocument());
  ASSERT_TRUE(session.write({60, 786, u"alt"}));
  ASSERT_TRUE(session.nextPage());

  ASSERT_TRUE(session.startDocument());
  ASSERT_TRUE(session.write({60, 786, u"neu"}));
  ASSERT_TRUE(session.finish(dir.path() + "/neu.pdf"));

  EXPECT_EQ(readPdfInfo(dir.path() + "/neu.pdf").pages, 1);
  EXPECT_EQ(readPageLines(dir.path() + "/neu.pdf", 1), std::vector<std::string>{"neu"});
}

TEST(DocumentLifecycle, HeaderServesCCallers) {
  EXPECT_EQ(dynapdfUsableFromC(), 1);
}

}  // namespace
}  // namespace lumora::test
