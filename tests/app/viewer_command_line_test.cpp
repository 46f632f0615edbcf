// lumora-eviewer's command line: what runs, what is refused, and that help
// and version are found before Qt has taken its own options away.
#include "app/viewer_command_line.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(ViewerCommandLineTest, ArgumentsGiveFileHelpVersionOrFault) {
  struct Row {
    std::vector<std::string> arguments;
    bool help, version;
    std::optional<std::string> invoice;
    std::string error;
  };
  const std::vector<Row> rows = {
      {{}, false, false, std::nullopt, ""},
      {{"r.xml"}, false, false, "r.xml", ""},
      {{"--", "-r.xml"}, false, false, "-r.xml", ""},
      {{"--help"}, true, false, std::nullopt, ""},
      {{"-h", "a.xml"}, true, false, "a.xml", ""},
      {{"-platform", "xcb", "--version"}, false, true, "xcb", "unknown option -platform"},
      {{"a.xml", "b.xml"}, false, false, "a.xml", "only one invoice file can be given"},
      {{"--bogus"}, false, false, std::nullopt, "unknown option --bogus"},
      {{""}, false, false, "", "the invoice file name is empty"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.arguments));
    const ViewerArguments parsed = parseViewerArguments(row.arguments);
    EXPECT_EQ(parsed.help, row.help);
    EXPECT_EQ(parsed.version, row.version);
    EXPECT_EQ(parsed.invoice, row.invoice);
    EXPECT_EQ(parsed.error, row.error);
  }
}

}  // namespace
}  // namespace lumora
