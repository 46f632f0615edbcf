// getdata and getvalue: blocks from the file and values inside them, found
// by exact markers, raw as the file holds them.

#include "invoice/invoice_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/exceptions.h"
#include "tests/support/temp_dir.h"

namespace lumora {
namespace {

class GetdataTest : public ::testing::Test {
 protected:
  // Writes the invoice and returns the block of `tag` for occurrence `datanr`.
  std::string blockOf(std::string_view content, std::string_view tag, int datanr = 1) {
    reader.xmlfile = dir.write("invoice.xml", content);
    reader.datanr = datanr;
    return reader.getdata(tag, tag);
  }

  test::TempDir dir;
  InvoiceReader reader;
};

TEST_F(GetdataTest, ElementOverCrLfLinesKeepsIndentationAndDropsLineBreaks) {
  const std::string file =
      "<Invoice>\r\n  <cac:Price>\r\n    <cbc:PriceAmount>10</cbc:PriceAmount>\r\n"
      "    <cbc:BaseQuantity>1</cbc:BaseQuantity>\r\n  </cac:Price>\r\n</Invoice>\r\n";
  EXPECT_EQ(
      blockOf(file, "cac:Price"),
      "    <cbc:PriceAmount>10</cbc:PriceAmount>    <cbc:BaseQuantity>1</cbc:BaseQuantity>  ");
}

TEST_F(GetdataTest, TextBehindOpeningAndBeforeClosingMarkerBelongsToTheBlock) {
  EXPECT_EQ(blockOf("x<cbc:Note>first\r\n middle\r\nlast</cbc:Note>y", "cbc:Note"),
            "first middlelast");
}

TEST_F(GetdataTest, ElementOnOneLineGivesExactlyItsContent) {
  EXPECT_EQ(blockOf("<a>\r\n  <cbc:ID>R-4711</cbc:ID>\r\n</a>\r\n", "cbc:ID"), "R-4711");
}

TEST_F(GetdataTest, OccurrencePastTheLastElementIsEmpty) {
  const std::string file = "<l>\r\n<cbc:ID>1</cbc:ID>\r\n</l>\r\n";
  EXPECT_EQ(blockOf(file, "cbc:ID", 1), "1");
  EXPECT_EQ(blockOf(file, "cbc:ID", 2), "");
  EXPECT_EQ(blockOf(file, "cbc:ID", 0), "1");  // 1 or less: the first
}

TEST_F(GetdataTest, LoneLfEndsALineLikeCrLf) {
  const std::string file = "<r>\n<x>\n  one\n  two\n</x>\n<x>second</x>\n</r>\n";
  EXPECT_EQ(blockOf(file, "x", 1), "  one  two");
  EXPECT_EQ(blockOf(file, "x", 2), "second");
  EXPECT_EQ(blockOf(file, "x", 3), "");
}

TEST_F(GetdataTest, LoneCrEndsALine) {
  EXPECT_EQ(blockOf("<x>\r a\r b\r</x>\r<x>2</x>", "x", 1), " a b");
  EXPECT_EQ(blockOf("<x>\r a\r b\r</x>\r<x>2</x>", "x", 2), "2");
}

TEST_F(GetdataTest, EveryOccurrenceOnOneLineIsFound) {
  const std::string file = "<r><x>1</x><x>2</x><y>no</y><x>3</x></r>";
  EXPECT_EQ(blockOf(file, "x", 1), "1");
  EXPECT_EQ(blockOf(file, "x", 2), "2");
  EXPECT_EQ(blockOf(file, "x", 3), "3");
  EXPECT_EQ(blockOf(file, "x", 4), "");
}

TEST_F(GetdataTest, SearchGoesOnBehindTheSkippedClosingMarkerOnItsLine) {
  const std::string file = "<x>1</x><x>\r\n2a\r\n2b</x>\r\n<x>3</x>\r\n";
  EXPECT_EQ(blockOf(file, "x", 2), "2a2b");
  EXPECT_EQ(blockOf(file, "x", 3), "3");
}

TEST_F(GetdataTest, ClosingMarkerBeforeAnyOpeningMarkerGivesTheTextInFrontOfIt) {
  // The opening tag carries an attribute the marker lacks.
  const std::string file = "<a>\r\n  <cbc:ID schemeID=\"0088\">123</cbc:ID>\r\n</a>\r\n";
  EXPECT_EQ(blockOf(file, "cbc:ID"), "  <cbc:ID schemeID=\"0088\">123");
}

TEST_F(GetdataTest, ClosingMarkerInFrontOfTheOpeningMarkerOnOneLineGivesEmpty) {
  EXPECT_EQ(blockOf("</x> <x>late\r\n", "x"), "");
}

TEST_F(GetdataTest, LaterOpeningMarkerStartsTheBlockAfresh) {
  EXPECT_EQ(blockOf("<x>old\r\nmore\r\n<x>new\r\nend</x>\r\n", "x"), "newend");
}

TEST_F(GetdataTest, FileEndingInsideAnElementGivesWhatWasGathered) {
  EXPECT_EQ(blockOf("<x>a\r\nb\r\nc", "x"), "abc");
}

TEST_F(GetdataTest, Byte26EndsTheFile) {
  EXPECT_EQ(blockOf("<x>a\r\nb\x1a</x>\r\n<y>1</y>", "x"), "ab");
  EXPECT_EQ(blockOf("<x>a\r\nb\x1a</x>\r\n<y>1</y>", "y"), "");
}

TEST_F(GetdataTest, ByteOrderMarkDoesNotDisturbTheSearch) {
  EXPECT_EQ(blockOf("\xEF\xBB\xBF<cbc:ID>7</cbc:ID>\r\n", "cbc:ID"), "7");
}

TEST_F(GetdataTest, Utf16FileYieldsNothing) {
  std::string file;
  for (char c : std::string("<cbc:ID>7</cbc:ID>\r\n")) {
    file += c;
    file += '\0';
  }
  EXPECT_EQ(blockOf("\xFF\xFE" + file, "cbc:ID"), "");
}

TEST_F(GetdataTest, EmptyFileAndMissingElementYieldEmpty) {
  EXPECT_EQ(blockOf("", "x"), "");
  EXPECT_EQ(blockOf("<a>b</a>", "x"), "");
}

TEST_F(GetdataTest, EntitiesStayRaw) {
  EXPECT_EQ(blockOf("<cbc:Name>M&amp;M &lt;GmbH&gt;</cbc:Name>", "cbc:Name"),
            "M&amp;M &lt;GmbH&gt;");
}

TEST_F(GetdataTest, MarkersAndLineEndsAcrossReadBlocks) {
  // Lines long enough that markers and CR LF pairs straddle the reader's
  // internal blocks somewhere.
  std::string file;
  std::string expected3;
  for (int i = 0; i < 3000; ++i) {
    const std::string content = std::string(97 + i % 300, 'a' + i % 26);
    file += "<cac:InvoiceLine>\r\n" + content + "\r\n</cac:InvoiceLine>\r\n";
    if (i == 2999) expected3 = content;
  }
  EXPECT_EQ(blockOf(file, "cac:InvoiceLine", 3000), expected3);
  EXPECT_EQ(blockOf(file, "cac:InvoiceLine", 3001), "");
  EXPECT_EQ(blockOf(file, "cac:InvoiceLine", 1), std::string(97, 'a'));
}

TEST_F(GetdataTest, LineLongerThanAReadBlockIsReadWhole) {
  const std::string content(1'000'000, 'z');
  EXPECT_EQ(blockOf("<x>" + content + "</x>", "x"), content);
}

TEST_F(GetdataTest, OpeningMarkerWithAttributesMustMatchExactly) {
  const std::string file = "<cbc:PriceAmount currencyID=\"EUR\">5.00</cbc:PriceAmount>";
  reader.xmlfile = dir.write("invoice.xml", file);
  EXPECT_EQ(reader.getdata("cbc:PriceAmount currencyID=\"EUR\"", "cbc:PriceAmount"), "5.00");
  EXPECT_EQ(reader.getdata("cbc:PriceAmount currencyID=\"USD\"", "cbc:PriceAmount"),
            "<cbc:PriceAmount currencyID=\"EUR\">5.00");
}

struct IoCase {
  const char* name;
  std::string path;  // relative to the test folder
  const char* message;
};

TEST_F(GetdataTest, FilesThatCannotBeReadRaiseTheRunTimeLibrarysMessages) {
  dir.write("plain.txt", "x");
  std::string tooLong(301, 'n');  // one path component longer than any name may be
  tooLong.front() = '/';
  const IoCase cases[] = {
      {"missing file", "/missing.xml", "Datei nicht gefunden"},
      {"folder instead of a file", "", "Dateizugriff verweigert"},
      {"path through a regular file", "/plain.txt/invoice.xml", "Ungültiger Dateiname"},
      {"name too long", tooLong, "Ungültiger Dateiname"},
  };
  for (const IoCase& c : cases) {
    reader.xmlfile = dir.path() + c.path;
    try {
      reader.getdata("x", "x");
      ADD_FAILURE() << c.name << ": no error";
    } catch (const InOutError& error) {
      EXPECT_STREQ(error.what(), c.message) << c.name;
    }
  }
}

// How an invoice file changes between two reads.
enum class Change { Replaced, Truncated, Appended, Touched };

// Changes the file in place (or replaces it) so that `after` is its content;
// a touched file keeps its size and gets a later modification time.
void changeFile(const test::TempDir& dir, const std::string& path, Change change,
                const std::string& after) {
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  switch (change) {
    case Change::Replaced:
      ASSERT_EQ(std::rename(dir.write("new.xml", after).c_str(), path.c_str()), 0);
      break;
    case Change::Truncated:
    case Change::Touched:
      dir.write("invoice.xml", after);
      break;
    case Change::Appended: {
      std::ofstream out(path, std::ios::binary | std::ios::app);
      out << after.substr(static_cast<std::size_t>(before.st_size));
      break;
    }
  }
  if (change == Change::Touched) {
    const timespec times[2] = {before.st_atim, {before.st_mtim.tv_sec + 1, before.st_mtim.tv_nsec}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }
}

struct RereadCase {
  const char* name;
  Change change;
  std::string before;
  std::string after;
};

// The reader remembers where closing markers lie; whatever happens to the file
// between two reads, each read gives what a reader that remembers nothing
// gives, and within a run any change stops the run.
TEST(RereadTest, ChangedFileReadsLikeAFreshFileAndStopsARun) {
  const RereadCase cases[] = {
      {"replaced", Change::Replaced, "<x>a</x>\r\n<x>b</x>\r\n<x>c</x>\r\n",
       "<x>1111</x>\r\n<x>2</x>\r\n"},
      {"truncated", Change::Truncated, "<x>aaaa</x>\n<x>b</x>\n<x>c</x>\n", "<x>aaaa</x>\n"},
      {"appended", Change::Appended, "<x>\ra\r</x>\r", "<x>\ra\r</x>\r<x>b</x>\r<x>c</x>\r"},
      {"touched, same size", Change::Touched, "<x>1</x>\r\n<x>2</x>\r\n<x>3</x>\r\n",
       "<y>1</y>\r\n<x>2</x>\r\n<x>3</x>\r\n"},
      {"one-line invoice, touched", Change::Touched, "<r><x>1</x><x>2</x><x>3</x></r>",
       "<r><x>1</x><y>2</y><x>3</x></r>"},
  };
  for (const RereadCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    InvoiceReader reader;
    InvoiceReader inRun;
    reader.xmlfile = inRun.xmlfile = dir.write("invoice.xml", c.before);
    const auto readAll = [&](InvoiceReader& r) {
      std::string blocks;
      for (int occurrence = 1; occurrence <= 5; ++occurrence) {
        blocks += "[" + r.readBlock("x", "x", occurrence) + "]";
      }
      return blocks;
    };
    const auto fresh = [&] {
      std::string blocks;
      for (int occurrence = 1; occurrence <= 5; ++occurrence) {
        InvoiceReader once;
        once.xmlfile = reader.xmlfile;
        blocks += "[" + once.readBlock("x", "x", occurrence) + "]";
      }
      return blocks;
    };
    EXPECT_EQ(readAll(reader), fresh());
    inRun.beginRun();
    readAll(inRun);

    changeFile(dir, reader.xmlfile, c.change, c.after);
    ASSERT_EQ(dir.read("invoice.xml"), c.after);
    EXPECT_EQ(readAll(reader), fresh());
    EXPECT_EQ(readAll(reader), fresh());
    try {
      inRun.readBlock("x", "x", 2);
      ADD_FAILURE() << "the run went on with a changed invoice";
    } catch (const Exception& error) {
      EXPECT_STREQ(error.what(), "Die E-Rechnung wurde während der Verarbeitung geändert");
    }
    inRun.beginRun();  // the next run takes the file as it is now
    EXPECT_EQ(readAll(inRun), fresh());
  }
}

class GetvalueTest : public ::testing::Test {
 protected:
  std::string value(std::string_view source, std::string_view open, std::string_view close,
                    int valuenr = 1) {
    reader.valuenr = valuenr;
    return reader.getvalue(source, open, close);
  }
  InvoiceReader reader;
};

TEST_F(GetvalueTest, TextBetweenTheMarkers) {
  EXPECT_EQ(value("<cbc:ID>42</cbc:ID>", "cbc:ID", "cbc:ID"), "42");
  EXPECT_EQ(value("<cbc:ID></cbc:ID>", "cbc:ID", "cbc:ID"), "");
  EXPECT_EQ(value("", "cbc:ID", "cbc:ID"), "");
}

TEST_F(GetvalueTest, NestedElementsUpToTheFirstClosingMarker) {
  EXPECT_EQ(value("<a><a>in</a>out</a>", "a", "a"), "<a>in");
}

TEST_F(GetvalueTest, MissingOrMisplacedClosingMarkerGivesEmpty) {
  EXPECT_EQ(value("<x>open", "x", "x"), "");
  EXPECT_EQ(value("</x><x>after", "x", "x"), "");
  EXPECT_EQ(value("nothing", "x", "x"), "");
}

TEST_F(GetvalueTest, OnlyClosingMarkerGivesTheFallbackStretch) {
  // Unit code other than C62: from byte 37 (marker length 35 + 2) up to the
  // closing marker, ending in the real unit-code attribute and the number.
  const std::string block =
      "<cbc:ID>1</cbc:ID><cbc:InvoicedQuantity unitCode=\"H87\">10</cbc:InvoicedQuantity>";
  EXPECT_EQ(value(block, "cbc:InvoicedQuantity unitCode=\"C62\"", "cbc:InvoicedQuantity"),
            "ity unitCode=\"H87\">10");
  // Closing marker within the first length(opentag) + 1 bytes: empty.
  EXPECT_EQ(value("ab</x>", "long-name", "x"), "");
}

TEST_F(GetvalueTest, SecondOccurrence) {
  const std::string two = "<s><c>first</c></s><s><c>second</c></s>";
  EXPECT_EQ(value(two, "c", "c", 2), "second");
  EXPECT_EQ(value("<c>only</c>", "c", "c", 2), "");
  EXPECT_EQ(value(two, "c", "c", 1'000'000), "");
}

TEST_F(GetvalueTest, SelfClosingTagIsNotRecognised) {
  EXPECT_EQ(value("<cbc:Note/>", "cbc:Note", "cbc:Note"), "");
  EXPECT_EQ(value("<cbc:Note/><cbc:Note>later</cbc:Note>", "cbc:Note", "cbc:Note"), "later");
}

TEST_F(GetvalueTest, MarkerOfANameDoesNotMatchALongerName) {
  const std::string party =
      "<cac:PartyTaxScheme><cbc:CompanyID>DE1</cbc:CompanyID></cac:PartyTaxScheme>"
      "<cac:Party><cbc:Name>B</cbc:Name></cac:Party>";
  EXPECT_EQ(value(party, "cac:Party", "cac:Party"), "<cbc:Name>B</cbc:Name>");
}

TEST_F(GetvalueTest, EntitiesStayRawAndSourceIsUntouched) {
  const std::string source = "<n>A &amp; B</n>";
  EXPECT_EQ(value(source, "n", "n"), "A &amp; B");
  EXPECT_EQ(source, "<n>A &amp; B</n>");
}

}  // namespace
}  // namespace lumora
