// getdata and getvalue on arbitrary file bytes and markers, compared with a
// plain model of the reading rules. The file is sometimes the input repeated
// many times, so that elements and line ends straddle the reader's blocks.
// One reader reads several occurrences, so that it reuses what it remembered
// of the file, then the file changes (appended to, cut short, rewritten at the
// same size, replaced) and the same reader reads again.

#include <fuzzer/FuzzedDataProvider.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/reference_reader.h"
#include "fuzz/scratch_folder.h"
#include "invoice/invoice_reader.h"
#include "platform/exceptions.h"
#include "platform/text_file.h"

namespace {

using namespace lumora;

// Mostly real element names, so that markers meet the file's tags.
std::string elementName(FuzzedDataProvider& data) {
  static const char* const kNames[] = {
      "cbc:ID", "cac:InvoiceLine", "cbc:Name", "cbc:InvoicedQuantity unitCode=\"C62\"", "a", ""};
  if (data.ConsumeBool()) return data.ConsumeRandomLengthString(24);
  return kNames[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
}

[[noreturn]] void mismatch(const char* what, const std::string& expected,
                           const std::string& actual) {
  std::fprintf(stderr,
               "%s differs from the model\n  model:  %zu bytes '%s'\n  reader: %zu bytes '%s'\n",
               what, expected.size(), expected.substr(0, 200).c_str(), actual.size(),
               actual.substr(0, 200).c_str());
  std::abort();
}

// Changes the file to `after` in one of the ways a file changes between two
// reads. Written in place, it gets a later modification time, as any real
// change has: the reader trusts what it remembers while the time stays.
void changeFile(const std::string& path, const std::string& after, int how) {
  struct stat before {};
  if (::stat(path.c_str(), &before) != 0) std::abort();
  if (how == 0) {
    const std::string fresh = fuzz::writeScratchFile("replacement.xml", after);
    if (std::rename(fresh.c_str(), path.c_str()) != 0) std::abort();
    return;
  }
  fuzz::writeScratchFile("rechnung.xml", after);
  const timespec times[2] = {before.st_atim, {before.st_mtim.tv_sec + 1, before.st_mtim.tv_nsec}};
  if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  InvoiceReader reader;
  reader.datanr = data.ConsumeIntegralInRange<std::int32_t>(-1, 6);
  reader.valuenr = data.ConsumeIntegralInRange<std::int32_t>(-1, 4);
  const std::string opentag = elementName(data);
  const std::string closetag = data.ConsumeBool() ? opentag : elementName(data);
  // Some files put the input behind blanks, so that the end of the reader's
  // first block cuts through one of its markers or line ends; some repeat it.
  const int shape = data.ConsumeIntegralInRange(0, 7);
  const int occurrence = data.ConsumeIntegralInRange(0, 3);
  const std::size_t cut = data.ConsumeIntegralInRange<std::size_t>(1, 64);
  const int change = data.ConsumeIntegralInRange(0, 4);
  std::vector<std::int32_t> moreOccurrences(data.ConsumeIntegralInRange(0, 3));
  for (std::int32_t& datanr : moreOccurrences) datanr = data.ConsumeIntegralInRange(-1, 6);
  const int repeats = shape == 7 ? data.ConsumeIntegralInRange(1, 4096) : 1;
  const std::string piece = data.ConsumeRemainingBytesAsString();
  std::size_t padding = 0;
  if (shape == 6) {
    const std::string target = occurrence == 3   ? std::string("\r\n")
                               : occurrence == 2 ? "<" + opentag + ">"
                                                 : "</" + closetag + ">";
    std::size_t at = piece.find(target);
    if (occurrence == 1 && at != std::string::npos) at = piece.find(target, at + 1);
    if (at == std::string::npos) at = 0;
    const std::size_t before = at + std::min(cut, target.size() - 1);
    if (before < TextFileReader::kFirstReadSize) padding = TextFileReader::kFirstReadSize - before;
  }
  std::string file(padding, ' ');
  file.reserve(padding + piece.size() * repeats);
  for (int i = 0; i < repeats && file.size() < (600u << 10); ++i) file += piece;

  reader.xmlfile = fuzz::writeScratchFile("rechnung.xml", file);
  const auto readAndCompare = [&](const std::string& content, std::int32_t datanr) {
    std::string block;
    try {
      block = reader.readBlock(opentag, closetag, datanr);
    } catch (const Exception&) {
      std::abort();  // a readable file never fails
    }
    const std::string expected = fuzz::referenceGetdata(content, datanr, opentag, closetag);
    if (block != expected) mismatch("getdata", expected, block);
    return block;
  };
  const std::string block = readAndCompare(file, reader.datanr);
  for (const std::int32_t datanr : moreOccurrences) readAndCompare(file, datanr);

  if (change > 0) {
    // 1 appends, 2 cuts short, 3 rewrites at the same size, 4 replaces.
    std::string after = file;
    if (change == 1) after += piece;
    if (change == 2) after.resize(cut < after.size() ? after.size() - cut : 0);
    if (change == 3 && !after.empty()) after[after.size() / 2] = static_cast<char>(cut);
    if (change == 4) after = piece;
    changeFile(reader.xmlfile, after, change == 4 ? 0 : 1);
    readAndCompare(after, reader.datanr);
    for (const std::int32_t datanr : moreOccurrences) readAndCompare(after, datanr);
  }

  // getvalue on the block, and on the raw bytes as a source of any shape.
  for (const std::string_view source : {std::string_view(block), std::string_view(piece)}) {
    const std::string value = reader.getvalue(source, opentag, closetag);
    const std::string expected = fuzz::referenceGetvalue(source, reader.valuenr, opentag, closetag);
    if (value != expected) mismatch("getvalue", expected, value);
  }
  return 0;
}
