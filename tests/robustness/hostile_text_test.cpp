// What reaches a person from invoices and file names: control characters
// shown escaped on a terminal, amounts no sum can hold refused with the
// conversion error instead of "INF" on the page, and system errors with
// their reason in words.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "render_folder.h"
#include "run_checks.h"
#include "tests/support/invoice_builder.h"
#include "tests/support/missing_input.h"

namespace lumora::test {
namespace {

// An invoice with one line at 19 % for each amount.
std::string invoiceWithAmounts(const std::vector<std::string>& amounts) {
  std::vector<std::string> lines;
  for (const std::string& amount : amounts) {
    InvoiceLine line;
    line.amount = amount;
    lines.push_back(invoiceLineXml(line));
  }
  lines.push_back(payableTotal("10.00"));
  return minimalInvoice("4711", lines);
}

TEST(HostileTextTest, ControlCharactersReachATerminalEscaped) {
  RenderFolder folder;
  // A name that would clear the screen and ring the bell, and an amount
  // holding the control character CSI (U+009B).
  const std::string named = "r\x1b[2J\x07.xml";
  folder.write("csi.xml", invoiceWithAmounts({"\xc2\x9b"
                                              "2J"}));
  ProgramOptions options;
  options.errorsOnTerminal = true;
  const ProgramRun run = folder.render({named, "csi.xml"}, options);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("[1/2] r\\x1b[2J\\x07.xml\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("r\\x1b[2J\\x07.xml: Datei nicht gefunden.\n"), std::string::npos);
  EXPECT_NE(run.err.find("csi.xml: '\\xc2\\x9b2J' ist kein gültiger Gleitkommawert.\n"),
            std::string::npos);
  EXPECT_EQ(run.err.find_first_of("\x1b\x07\x9b"), std::string::npos);
}

TEST(HostileTextTest, AmountsNoSumCanHoldAreRefused) {
  const std::string longAmount = "1" + std::string(399, '0');
  const struct {
    std::string file;
    std::vector<std::string> amounts;
    std::string quoted;
  } refused[] = {
      {"zweimal.xml", {"1e308", "1e308"}, "1e308"},  // each fits, their sum does not
      {"riesig.xml", {"1e4000"}, "1e4000"},
      {"lang.xml", {longAmount}, longAmount.substr(0, 200) + "…"},
  };
  RenderFolder folder;
  for (const auto& c : refused) {
    folder.write(c.file, invoiceWithAmounts(c.amounts));
    expectFailure(folder.render({c.file}), c.file,
                  "'" + c.quoted + "' ist kein gültiger Gleitkommawert.");
  }
  EXPECT_FALSE(std::filesystem::exists(folder.file("Beleg-4711.pdf")));

  // Amounts that cancel each other leave the others exact.
  folder.write("aufgehoben.xml", invoiceWithAmounts({"1e308", "-1e308", "446.84"}));
  expectPdf(folder.render({"aufgehoben.xml"}), folder.file("Beleg-4711.pdf"));
  const std::string page = readPageText(folder.file("Beleg-4711.pdf"), 1);
  EXPECT_NE(page.find("446,84"), std::string::npos) << page;
  EXPECT_NE(page.find("84,90"), std::string::npos) << page;
  for (const char* garbage : {"E+", "INF", "NAN"}) EXPECT_EQ(page.find(garbage), page.npos);
}

// The locale de_DE.UTF-8 for a program: LOCPATH to a copy compiled into
// `folder` when the machine has none of its own. Empty when neither works.
std::vector<std::string> germanLocale(const std::string& folder) {
  const std::vector<std::string> german = {"LC_ALL=de_DE.UTF-8"};
  if (runProgram({"/usr/bin/locale", "-a"}).out.find("de_DE.utf8") != std::string::npos) {
    return german;
  }
  const std::string compile =
      "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
  if (std::system(compile.c_str()) != 0) return {};
  return {german[0], "LOCPATH=" + folder};
}

TEST(HostileTextTest, SystemErrorsGiveTheirReasonInTheUsersLanguage) {
  RenderFolder folder;
  std::filesystem::create_symlink("schleife.xml", folder.file("schleife.xml"));
  // A socket, which no file can be read from.
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  folder.file("sockel.xml").copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(sock);

  ProgramOptions options;
  options.environment = germanLocale(folder.path());
  if (options.environment.empty()) LUMORA_SKIP_UNLESS_CI("no German locale (locales, libc-l10n)");
  const ProgramRun run = folder.render({"schleife.xml", "sockel.xml"}, options);
  EXPECT_EQ(
      run.err,
      "schleife.xml: E/A-Fehler 40 (Zu viele Ebenen aus symbolischen Links)\n"
      "sockel.xml: E/A-Fehler 6 (Kein passendes Gerät bzw. keine passende Adresse gefunden)\n");
}

}  // namespace
}  // namespace lumora::test
