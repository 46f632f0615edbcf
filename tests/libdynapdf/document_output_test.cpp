// What a reader finds in the written PDF: pages, text, positions, fonts and
// document info, checked with poppler.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "dynapdf_session.h"
#include "folder_entries.h"
#include "pdf_inspect.h"
#include "temp_dir.h"

namespace lumora::test {
namespace {

using Lines = std::vector<std::string>;

constexpr double kA4Width = 595.276;
constexpr double kA4Height = 841.89;

std::u16string number(int value) {
  std::u16string text;
  for (char digit : std::to_string(value)) text += static_cast<char16_t>(digit);
  return text;
}

// About what one page of a typical invoice holds: a header block, a table of
// items in 7 to 14 points, totals and a footer.
std::vector<PlacedText> invoicePage(int pageNumber) {
  std::vector<PlacedText> texts = {
      {345, 760, u"Rechnungsnummer:"},
      {465, 760, u"RE-2025-0815"},
      {60, 732, u"Müller & Söhne GmbH · Hauptstraße 12 · 80331 München", 7},
      {60, 706, u"Rechnung", 14},
      {60, 678, u"Pos  Bezeichnung  Menge  Einzelpreis  Gesamt", 10},
  };
  for (int row = 1; row <= 64; ++row) {
    const double y = 660 - row * 8.1;
    texts.push_back({60, y, number(row), 8});
    texts.push_back({90, y, u"Büroklammern groß, verzinkt, Größe " + number(row), 8});
  }
  texts.push_back({345, 90, u"Summe netto: 1.234,56 €", 12});
  texts.push_back({345, 78, u"zzgl. 19 % MwSt.: 234,57 €", 12});
  texts.push_back({60, 60, u"Zahlbar innerhalb von 14 Tagen ohne Abzug.", 8});
  texts.push_back({60, 45, u"Seite " + number(pageNumber), 7});
  return texts;
}

class DocumentOutput : public ::testing::Test {
 protected:
  // Writes the pages, each a list of texts, as the program would.
  std::string writeDocument(const std::vector<std::vector<PlacedText>>& pages,
                            const std::string& name = "out.pdf") {
    const std::string path = m_dir.path() + "/" + name;
    EXPECT_TRUE(m_session.startDocument());
    for (size_t page = 0; page < pages.size(); ++page) {
      if (page > 0) {
        EXPECT_TRUE(m_session.nextPage());
      }
      EXPECT_TRUE(m_session.write(pages[page]));
    }
    EXPECT_TRUE(m_session.finish(path));
    return path;
  }

  TempDir m_dir;
  DynaPdfSession m_session;
};

TEST_F(DocumentOutput, PagesAreA4AndKeepTheirOwnText) {
  // Pages are drawn as they end: those of a document dropped unwritten must
  // not reach the next one.
  ASSERT_TRUE(m_session.startDocument());
  ASSERT_TRUE(m_session.write({{60, 786, u"Verworfen"}}) && m_session.nextPage());
  const std::string path =
      writeDocument({{{60, 786, u"Erste Seite"}}, {{60, 786, u"Zweite Seite"}}, {}});

  const PdfInfo info = readPdfInfo(path);
  ASSERT_EQ(info.pages, 3);
  for (const PageSize& size : info.pageSizes) {
    EXPECT_NEAR(size.width, kA4Width, 0.01);
    EXPECT_NEAR(size.height, kA4Height, 0.01);
  }
  EXPECT_EQ(readPageLines(path, 1), Lines{"Erste Seite"});
  EXPECT_EQ(readPageLines(path, 2), Lines{"Zweite Seite"});
  EXPECT_EQ(readPageLines(path, 3), Lines{}) << "an appended page without text stays blank";
}

TEST_F(DocumentOutput, GermanTextComesBackAsWritten) {
  const std::string path = writeDocument({{
      {60, 786, u"Größe Übermaß Ärger Öl ä ö ü ß"},
      {60, 760, u"Gesamt 1.234,56 € <netto> \"inkl.\" & 'Skonto'"},
      {60, 740, u"Défaut ² µ ø", 10, u"Courier"},
  }});

  EXPECT_EQ(readPageLines(path, 1),
            (Lines{"Größe Übermaß Ärger Öl ä ö ü ß",
                   "Gesamt 1.234,56 € <netto> \"inkl.\" & 'Skonto'", "Défaut ² µ ø"}));
}

// Names in any script come out as written: letters the chosen font lacks
// (Armenian in the sans face) from a fallback font, marks on their letters;
// and each text is as wide on the page as measured, its glyphs advancing by
// their own widths without kerning, in the chosen font or a fallback.
TEST_F(DocumentOutput, EveryScriptComesBackAsWrittenAndAsWideAsMeasured) {
  const std::vector<std::u16string> texts = {u"Łódź Ayşe Yılmaz Ελλάδα Москва", u"AVAWAY To Yo",
                                             u"Երևան Հայաստան", u"Cafe\u0301 ok"};
  std::vector<PlacedText> placed;
  for (std::size_t i = 0; i < texts.size(); ++i) placed.push_back({60, 786 - 30.0 * i, texts[i]});
  const std::string path = writeDocument({placed});

  EXPECT_EQ(readPageLines(path, 1), (Lines{"Łódź Ayşe Yılmaz Ελλάδα Москва", "AVAWAY To Yo",
                                           "Երևան Հայաստան", "Cafe\u0301 ok"}));
  const auto measured = [&](const std::u16string& text) {
    double width = -1;
    EXPECT_TRUE(pdfMeasureTextW(m_session.get(), u"Arial", 8, text.c_str(), &width));
    return width;
  };
  const std::vector<Word> words = readWords(path, 1);
  for (const auto& [text, word] : {std::pair{u"Москва", "Москва"}, std::pair{u"AVAWAY", "AVAWAY"},
                                   std::pair{u"Հայաստան", "Հայաստան"}}) {
    const Word drawn = findWord(words, word);
    // The PDF's widths are kept in thousandths of the size; kerning would
    // take half a point from each pair such as "AV".
    EXPECT_NEAR(drawn.xMax - drawn.xMin, measured(text), 0.1) << word;
  }
  EXPECT_NEAR(measured(u"AVAWAY Երևան"),
              measured(u"A") * 3 + measured(u"V") + measured(u"W") + measured(u"Y") +
                  measured(u" ") + measured(u"Երևան"),
              1e-6);
}

// A copy of the library in a folder without its text module: it draws what
// it can alone and still writes the whole document.
TEST_F(DocumentOutput, WithoutTheTextModuleEveryTextIsStillWritten) {
  const std::string copy = m_dir.path() + "/libdynapdf.so";
  std::filesystem::copy_file(DYNAPDF_LIBRARY_FILE, copy);
  void* library = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  const auto fn = [&](const char* name) { return dlsym(library, name); };
  auto* pdf = reinterpret_cast<decltype(&pdfNewPDF)>(fn("pdfNewPDF"))();
  const auto measure = reinterpret_cast<decltype(&pdfMeasureTextW)>(fn("pdfMeasureTextW"));
  double width = 0;
  EXPECT_TRUE(measure(pdf, u"Arial", 8, u"Երևան", &width));
  EXPECT_GT(width, 0);
  reinterpret_cast<decltype(&pdfCreateNewPDFA)>(fn("pdfCreateNewPDFA"))(pdf, "");
  reinterpret_cast<decltype(&pdfAppend)>(fn("pdfAppend"))(pdf);
  reinterpret_cast<decltype(&pdfSetFontW)>(fn("pdfSetFontW"))(pdf, u"Arial", 1280, 8, -1, 2);
  reinterpret_cast<decltype(&pdfWriteTextW)>(fn("pdfWriteTextW"))(pdf, 60, 786, u"Москва Երևան");
  const std::string path = m_dir.path() + "/alone.pdf";
  reinterpret_cast<decltype(&pdfOpenOutputFileA)>(fn("pdfOpenOutputFileA"))(pdf, path.c_str());
  EXPECT_TRUE(reinterpret_cast<decltype(&pdfCloseFile)>(fn("pdfCloseFile"))(pdf));
  reinterpret_cast<decltype(&pdfDeletePDF)>(fn("pdfDeletePDF"))(pdf);
  dlclose(library);
  EXPECT_NE(readPageText(path, 1).find("Москва"), std::string::npos);
}

TEST_F(DocumentOutput, BrokenUtf16BecomesReplacementCharacter) {
  const char16_t loneHigh[] = {u'A', 0xD800, u'B', 0};
  const char16_t loneLow[] = {u'C', 0xDC00, 0};
  const std::string path = writeDocument({{{60, 786, loneHigh}, {60, 760, loneLow}}});

  EXPECT_EQ(readPageLines(path, 1), (Lines{"A\uFFFDB", "C\uFFFD"}));
}

// (x, y) is the text's top-left corner, y measured upwards; poppler measures
// downwards from the page's top, and its word box starts at the ascent line.
TEST_F(DocumentOutput, TextsTopLeftCornerSitsAtTheGivenPoint) {
  struct Case {
    double x, y, size;
    std::u16string text;
    std::string word;  // the same in UTF-8, as poppler reports it
  };
  const std::vector<Case> cases = {
      {60, 786, 8, u"Oben", "Oben"},   {345, 760, 8, u"Nummer", "Nummer"},
      {495, 706, 14, u"Groß", "Groß"}, {60, 328, 10, u"Mitte", "Mitte"},
      {60, 71, 7, u"Fuß", "Fuß"},      {465, 760, 12, u"Zwölf", "Zwölf"},
  };
  std::vector<PlacedText> texts;
  for (const Case& c : cases) texts.push_back({c.x, c.y, c.text, c.size});
  const std::string path = writeDocument({texts});

  const std::vector<Word> words = readWords(path, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "text at (" << c.x << ", " << c.y << ")");
    const Word word = findWord(words, c.word);
    EXPECT_NEAR(word.xMin, c.x, 1.0);
    EXPECT_NEAR(word.yMin, kA4Height - c.y, 1.0);
    // A word's box is about one line high: ascent plus descent of the size.
    EXPECT_NEAR(word.yMax - word.yMin, c.size * 1.1, c.size * 0.25);
  }
}

TEST_F(DocumentOutput, FontsAreEmbeddedSubsetsOfTheResolvedFaces) {
  const std::string path =
      writeDocument({{{60, 786, u"Arial Text", 8}, {60, 760, u"Courier Text", 8, u"Courier"}}});

  const std::vector<FontInfo> fonts = readFonts(path);
  ASSERT_EQ(fonts.size(), 2u) << "the start font (Courier 15) is unused and must not appear";
  std::set<std::string> names;
  for (const FontInfo& font : fonts) {
    EXPECT_TRUE(font.embedded) << font.name;
    EXPECT_TRUE(font.subset) << font.name;
    EXPECT_TRUE(font.unicodeMap) << font.name;
    names.insert(font.name.substr(font.name.find('+') + 1));
  }
  // Whatever fontconfig resolves the requested names to must be what is
  // embedded.
  const std::set<std::string> expected = {
      runTool({"fc-match", "-f", "%{postscriptname}", "Arial"}).output,
      runTool({"fc-match", "-f", "%{postscriptname}", "Courier"}).output};
  EXPECT_EQ(names, expected);
}

TEST_F(DocumentOutput, CreatorNamesTheProgram) {
  const std::string path = writeDocument({{{60, 786, u"Info"}}});

  EXPECT_EQ(readPdfInfo(path).fields.at("Creator"), "Lumora E-Viewer");
}

TEST_F(DocumentOutput, OneInvoicePageStaysSmall) {
  const std::string path = writeDocument({invoicePage(1)});

  EXPECT_EQ(readPdfInfo(path).pages, 1);
  EXPECT_LE(std::filesystem::file_size(path), 25u * 1024u);
}

TEST_F(DocumentOutput, TwoHundredPagesAreWrittenCompletely) {
  std::vector<std::vector<PlacedText>> pages;
  for (int page = 1; page <= 200; ++page) pages.push_back(invoicePage(page));
  const std::string path = writeDocument(pages);

  const PdfInfo info = readPdfInfo(path);
  EXPECT_EQ(info.pages, 200);
  EXPECT_EQ(info.pageSizes.size(), 200u);
  const std::vector<Word> last = readWords(path, 200);
  EXPECT_NO_THROW(findWord(last, "200"));
  EXPECT_NO_THROW(findWord(last, "Büroklammern"));
}

}  // namespace
}  // namespace lumora::test
