// The instance's document life: which calls each state accepts, discarding,
// and making one document after another with the same instance.
#include <gtest/gtest.h>

#include <set>

#include "dynapdf_session.h"
#include "folder_entries.h"
#include "pdf_inspect.h"
#include "temp_dir.h"

extern "C" int dynapdfUsableFromC(void);

namespace lumora::test {
namespace {

TEST(DocumentLifecycle, WithoutInstanceOrDocumentEveryCallIsRefused) {
  DynaPdfSession session;
  ASSERT_NE(session.get(), nullptr);
  EXPECT_EQ(pdfDeletePDF(nullptr), 0);
  EXPECT_EQ(pdfCreateNewPDFA(nullptr, ""), 0);
  EXPECT_EQ(pdfCreateNewPDFA(session.get(), nullptr), 0);

  for (DynaPdfInstance* pdf : {static_cast<DynaPdfInstance*>(nullptr), session.get()}) {
    SCOPED_TRACE(pdf == nullptr ? "null instance" : "no document");
    EXPECT_EQ(pdfHaveOpenDoc(pdf), 0);
    EXPECT_EQ(pdfAppend(pdf), 0);
    EXPECT_EQ(pdfSetPageFormat(pdf, 1), 0);
    EXPECT_LT(pdfSetFontW(pdf, u"Arial", 1280, 8, -1, 2), 0);
    EXPECT_EQ(pdfWriteTextW(pdf, 60, 786, u"x"), 0);
    EXPECT_EQ(pdfEndPage(pdf), 0);
    EXPECT_EQ(pdfOpenOutputFileA(pdf, "/tmp/x.pdf"), 0);
    EXPECT_EQ(pdfCloseFile(pdf), 0);
  }
}

TEST(DocumentLifecycle, CallsOutOfOrderAreRefused) {
  DynaPdfSession session;
  DynaPdfInstance* pdf = session.get();
  ASSERT_NE(pdfCreateNewPDFA(pdf, ""), 0);
  EXPECT_NE(pdfHaveOpenDoc(pdf), 0);

  EXPECT_EQ(pdfSetPageFormat(pdf, 2), 0) << "only A4 (1) is known";
  EXPECT_EQ(pdfEndPage(pdf), 0) << "no page to end";
  ASSERT_NE(pdfAppend(pdf), 0);
  EXPECT_EQ(pdfAppend(pdf), 0) << "the current page was not ended";
  EXPECT_EQ(pdfWriteTextW(pdf, 60, 786, u"no font yet"), 0);
  ASSERT_GE(pdfSetFontW(pdf, u"Arial", 1280, 8, -1, 2), 0);
  EXPECT_NE(pdfWriteTextW(pdf, 60, 786, u"on the page"), 0);
  EXPECT_EQ(pdfWriteTextW(pdf, 60, 786, nullptr), 0);
  ASSERT_NE(pdfEndPage(pdf), 0);
  EXPECT_EQ(pdfEndPage(pdf), 0);
  EXPECT_EQ(pdfWriteTextW(pdf, 60, 786, u"after the page ended"), 0);
  EXPECT_EQ(pdfOpenOutputFileA(pdf, ""), 0);
  EXPECT_NE(pdfHaveOpenDoc(pdf), 0) << "refused calls leave the document open";
}

TEST(DocumentLifecycle, FontHandlesNameOneFaceAtOneSize) {
  DynaPdfSession session;
  DynaPdfInstance* pdf = session.get();
  ASSERT_NE(pdfCreateNewPDFA(pdf, ""), 0);

  const int32_t arial8 = pdfSetFontW(pdf, u"Arial", 1280, 8, -1, 2);
  const int32_t arial10 = pdfSetFontW(pdf, u"Arial", 1280, 10, -1, 2);
  const int32_t courier8 = pdfSetFontW(pdf, u"Courier", 1280, 8, 0, 0);
  EXPECT_GE(arial8, 0);
  EXPECT_EQ((std::set<int32_t>{arial8, arial10, courier8}).size(), 3u);
  EXPECT_EQ(pdfSetFontW(pdf, u"Arial", /*style=*/1, 8, -1, 2), arial8) << "the same font again";

  EXPECT_LT(pdfSetFontW(pdf, nullptr, 1280, 8, -1, 2), 0);
  EXPECT_LT(pdfSetFontW(pdf, u"", 1280, 8, -1, 2), 0);
  EXPECT_LT(pdfSetFontW(pdf, u"Arial", 1280, 0, -1, 2), 0);
}

TEST(DocumentLifecycle, DocumentsWithoutOutputFileOrPagesAreDiscarded) {
  TempDir dir;
  DynaPdfSession session;
  ASSERT_TRUE(session.startDocument());
  ASSERT_TRUE(session.write({60, 786, u"verworfen"}));
  ASSERT_NE(pdfEndPage(session.get()), 0);
  EXPECT_EQ(pdfCloseFile(session.get()), 0);
  EXPECT_EQ(pdfHaveOpenDoc(session.get()), 0);

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
