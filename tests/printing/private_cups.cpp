#include "private_cups.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "pdf_inspect.h"

extern char** environ;

namespace lumora::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kBackend = "/usr/lib/cups/backend/cups-pdf";
constexpr const char* kBackendConfig = "/etc/cups/cups-pdf.conf";
constexpr const char* kPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
constexpr const char* kDuplexChoice =
    "\n*OpenUI *Duplex/2-Sided Printing: PickOne\n*OrderDependency: 10 AnySetup *Duplex\n"
    "*DefaultDuplex: None\n*Duplex None/Off: \"<</Duplex false>>setpagedevice\"\n"
    "*Duplex DuplexNoTumble/Long Edge: \"<</Duplex true/Tumble false>>setpagedevice\"\n"
    "*Duplex DuplexTumble/Short Edge: \"<</Duplex true/Tumble true>>setpagedevice\"\n"
    "*CloseUI: *Duplex\n";

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path);
  out << text;
}

bool onPath(const std::string& program) {
  return runTool({"sh", "-c", "command -v " + program + " >/dev/null"}).exitCode == 0;
}

}  // namespace

PrivateCups::PrivateCups() {
  m_socket = m_dir.path() + "/cups.sock";
  m_queue = "lumora-test-" + std::to_string(::getpid());
  m_unavailable = start();
}

PrivateCups::~PrivateCups() {
  if (m_daemon <= 0) return;
  ::kill(m_daemon, SIGTERM);
  for (int i = 0; i < 100; ++i) {
    if (::waitpid(m_daemon, nullptr, WNOHANG) == m_daemon) return;
    std::this_thread::sleep_for(50ms);
  }
  ::kill(m_daemon, SIGKILL);
  ::waitpid(m_daemon, nullptr, 0);
}

void PrivateCups::writeConfiguration() const {
  const std::string& d = m_dir.path();
  writeFile(d + "/etc/cups-files.conf",
            "ServerRoot " + d + "/etc\nRequestRoot " + d + "/spool\nTempDir " + d +
                "/spool/tmp\nCacheDir " + d + "/cache\nStateDir " + d + "/state\nAccessLog " + d +
                "/log/access_log\nErrorLog " + d + "/log/error_log\nPageLog " + d +
                "/log/page_log\nPrintcap " + d + "/printcap\nFileDevice No\n");
  // Only the socket: no network port, no browsing, no web interface.
  writeFile(d + "/etc/cupsd.conf", "Listen " + m_socket +
                                       "\nBrowsing No\nBrowseLocalProtocols none\n"
                                       "WebInterface No\nLogLevel info\nMaxLogSize 0\n"
                                       "DirtyCleanInterval 0\n"
                                       "<Location />\n  Order allow,deny\n  Allow all\n"
                                       "</Location>\n<Policy default>\n  <Limit All>\n"
                                       "    Order deny,allow\n    Allow all\n  </Limit>\n"
                                       "</Policy>\n");
  writeFile(d + "/cups-pdf.conf", "Out " + d + "/out\nAnonDirName " + d + "/out\nSpool " + d +
                                      "/cups-pdf-spool\nLog " + d +
                                      "/log\nLogType 3\nUserUMask 0022\n");
}

std::optional<std::string> PrivateCups::start() {
  if (::geteuid() != 0) return "needs root for its own mount namespace and cups-pdf";
  for (const char* program : {"cupsd", "lpadmin", "lpstat", "unshare"}) {
    if (!onPath(program)) return std::string(program) + " is not installed";
  }
  for (const char* file : {kBackend, kBackendConfig, kPpd}) {
    if (!fs::exists(file)) return std::string(file) + " is missing (printer-driver-cups-pdf)";
  }
  const std::string& d = m_dir.path();
  for (const char* sub : {"etc", "spool/tmp", "cache", "state", "log", "out", "cups-pdf-spool"}) {
    fs::create_directories(d + "/" + sub);
  }
  // The daemon's helpers run as the lp user and must reach their folders.
  ::chmod(d.c_str(), 0755);
  ::chmod((d + "/out").c_str(), 01777);
  ::chmod((d + "/spool/tmp").c_str(), 01777);
  writeConfiguration();

  const std::string script = "mount --bind " + d + "/cups-pdf.conf " + kBackendConfig +
                             " && exec cupsd -f -c " + d + "/etc/cupsd.conf -s " + d +
                             "/etc/cups-files.conf";
  std::vector<std::string> argv = {"unshare", "--mount", "--propagation", "private",
                                   "sh",      "-c",      script};
  std::vector<char*> pointers;
  for (std::string& argument : argv) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  if (::posix_spawnp(&m_daemon, "unshare", nullptr, nullptr, pointers.data(), environ) != 0) {
    m_daemon = -1;
    return "cannot start cupsd";
  }
  for (int i = 0; i < 200 && !fs::exists(m_socket); ++i) {
    if (::waitpid(m_daemon, nullptr, WNOHANG) == m_daemon) {
      m_daemon = -1;
      return "cupsd ended at once (no mount namespace here?)";
    }
    std::this_thread::sleep_for(50ms);
  }
  if (!fs::exists(m_socket)) return "cupsd did not open its socket";
  // cups-pdf's description with a duplex choice added, so that the queue
  // takes two-sided jobs as an office printer does.
  std::ifstream ppd(kPpd);
  std::string description((std::istreambuf_iterator<char>(ppd)), std::istreambuf_iterator<char>());
  writeFile(d + "/queue.ppd", description + kDuplexChoice);
  const ToolResult added = runTool(
      {"lpadmin", "-h", m_socket, "-p", m_queue, "-E", "-v", "cups-pdf:/", "-P", d + "/queue.ppd"});
  if (added.exitCode != 0) return "lpadmin could not add the cups-pdf queue";
  return std::nullopt;
}

std::optional<std::string> PrivateCups::waitForPrintedPdf(std::chrono::seconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    const ToolResult pending = runTool({"lpstat", "-h", m_socket, "-o", m_queue});
    std::vector<std::string> pdfs;
    for (const auto& entry : fs::directory_iterator(m_dir.path() + "/out")) {
      if (entry.path().extension() == ".pdf") pdfs.push_back(entry.path().string());
    }
    if (pending.exitCode == 0 && pending.output.empty() && pdfs.size() == 1) return pdfs.front();
    std::this_thread::sleep_for(200ms);
  }
  return std::nullopt;
}

std::map<std::string, std::string> PrivateCups::firstJobAttributes() const {
  // The job's control file: an IPP message, after its 8-byte header a
  // sequence of group tags and (tag, name, value) entries; an empty name
  // adds a value to the attribute before.
  const std::string file = m_dir.read("spool/c00001");
  std::map<std::string, std::string> attributes;
  std::string name;
  const auto number = [&file](std::size_t at, std::size_t bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) value = value << 8 | std::uint8_t(file[at + i]);
    return value;
  };
  for (std::size_t at = 8; at < file.size();) {
    const auto tag = std::uint8_t(file[at++]);
    if (tag == 0x03) break;
    if (tag < 0x10) continue;
    if (at + 2 > file.size()) break;
    const std::size_t nameLength = number(at, 2);
    if (nameLength) name = file.substr(at + 2, nameLength);
    at += 2 + nameLength;
    if (at + 2 > file.size()) break;
    const std::size_t valueLength = number(at, 2);
    at += 2;
    if (at + valueLength > file.size()) break;
    std::string value;
    if ((tag == 0x21 || tag == 0x23) && valueLength == 4)
      value = std::to_string(std::int32_t(number(at, 4)));
    else if (tag == 0x22 && valueLength == 1)
      value = file[at] ? "true" : "false";
    else if (tag == 0x33 && valueLength == 8)
      value = std::to_string(std::int32_t(number(at, 4))) + "-" +
              std::to_string(std::int32_t(number(at + 4, 4)));
    else
      value = file.substr(at, valueLength);
    at += valueLength;
    if (nameLength)
      attributes[name] = value;
    else
      attributes[name] += "," + value;
  }
  return attributes;
}

bool PrivateCups::refuseJobs(const std::string& reason) const {
  return runTool({"cupsreject", "-h", m_socket, "-r", reason, m_queue}).exitCode == 0;
}

std::string PrivateCups::errorLog() const {
  return m_dir.read("log/error_log");
}

}  // namespace lumora::test
