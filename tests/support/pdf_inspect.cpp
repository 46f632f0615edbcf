#include "pdf_inspect.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <regex>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace lumora::test {
namespace {

// Locale-independent, so the helpers work under a decimal-comma locale too.
double parseNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) {
    throw std::runtime_error("not a number: " + std::string(text));
  }
  return value;
}

std::string trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string runChecked(const std::vector<std::string>& argv) {
  ToolResult result = runTool(argv);
  if (result.exitCode != 0) {
    throw std::runtime_error(argv.front() + " failed with exit code " +
                             std::to_string(result.exitCode) + " on " + argv.back());
  }
  return std::move(result.output);
}

// pdftotext escapes the XML specials in words.
std::string unescapeXml(const std::string& text) {
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  for (size_t i = 0; i < text.size();) {
    bool replaced = false;
    if (text[i] == '&') {
      for (const auto& [entity, character] : kEntities) {
        if (text.compare(i, entity.size(), entity) == 0) {
          out += character;
          i += entity.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) result.push_back(line);
  return result;
}

}  // namespace

ToolResult runTool(const std::vector<std::string>& argv) {
  ToolResult result;
  if (argv.empty()) return result;
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return result;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  pid_t child = 0;
  const int spawned = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned != 0) {
    close(pipeEnds[0]);
    return result;
  }

  char buffer[65536];
  for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
    if (got < 0) {
      if (errno == EINTR) continue;
      break;
    }
    result.output.append(buffer, static_cast<size_t>(got));
  }
  close(pipeEnds[0]);

  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return result;
  }
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  return result;
}

PdfInfo readPdfInfo(const std::string& pdfPath) {
  PdfInfo info;
  // -l with a large page number lists every page's size ("Page    2 size: ...").
  const std::string output = runChecked({"pdfinfo", "-f", "1", "-l", "100000", pdfPath});
  static const std::regex kPageSize(R"(^Page +(\d+) size: +([0-9.]+) x ([0-9.]+) pts)");
  for (const std::string& line : lines(output)) {
    std::smatch match;
    if (std::regex_search(line, match, kPageSize)) {
      info.pageSizes.push_back({parseNumber(match[2].str()), parseNumber(match[3].str())});
      continue;
    }
    const auto colon = line.find(':');
    if (colon == std::string::npos || line.rfind("Page ", 0) == 0) continue;
    info.fields[line.substr(0, colon)] = trim(line.substr(colon + 1));
  }
  if (info.fields.count("Pages") != 0) info.pages = std::stoi(info.fields["Pages"]);
  return info;
}

std::vector<Word> readWords(const std::string& pdfPath, int page) {
  const std::string number = std::to_string(page);
  const std::string xhtml =
      runChecked({"pdftotext", "-bbox", "-f", number, "-l", number, pdfPath, "-"});
  static const std::regex kWord(
      R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
  std::vector<Word> words;
  for (auto it = std::sregex_iterator(xhtml.begin(), xhtml.end(), kWord);
       it != std::sregex_iterator(); ++it) {
    const std::smatch& match = *it;
    words.push_back({unescapeXml(match[5].str()), parseNumber(match[1].str()),
                     parseNumber(match[2].str()), parseNumber(match[3].str()),
                     parseNumber(match[4].str())});
  }
  return words;
}

std::string readPageText(const std::string& pdfPath, int page) {
  const std::string number = std::to_string(page);
  return runChecked({"pdftotext", "-f", number, "-l", number, pdfPath, "-"});
}

std::vector<std::string> readPageLines(const std::string& pdfPath, int page) {
  std::vector<std::string> result;
  for (std::string& line : lines(readPageText(pdfPath, page))) {
    if (line.find_first_not_of(" \f") != std::string::npos) result.push_back(std::move(line));
  }
  return result;
}

std::vector<FontInfo> readFonts(const std::string& pdfPath) {
  // A table whose dashed second line gives the column widths; the type column
  // may hold spaces ("CID TrueType"), so columns are cut by those widths.
  const std::vector<std::string> table = lines(runChecked({"pdffonts", pdfPath}));
  if (table.size() < 2) return {};
  std::vector<std::pair<size_t, size_t>> columns;  // start, length
  const std::string& dashes = table[1];
  for (size_t start = 0; start < dashes.size();) {
    const size_t end = std::min(dashes.find(' ', start), dashes.size());
    columns.emplace_back(start, end - start);
    start = dashes.find('-', end);
    if (start == std::string::npos) break;
  }
  if (columns.size() < 6) throw std::runtime_error("unexpected pdffonts table");
  std::vector<FontInfo> fonts;
  for (size_t row = 2; row < table.size(); ++row) {
    const std::string& line = table[row];
    auto cell = [&](size_t column) {
      const auto [start, length] = columns[column];
      return start < line.size() ? trim(line.substr(start, length)) : std::string();
    };
    fonts.push_back({cell(0), cell(1), cell(3) == "yes", cell(4) == "yes", cell(5) == "yes"});
  }
  return fonts;
}

Word findWord(const std::vector<Word>& words, const std::string& text) {
  for (const Word& word : words) {
    if (word.text == text) return word;
  }
  throw std::runtime_error("word not found: " + text);
}

}  // namespace lumora::test
