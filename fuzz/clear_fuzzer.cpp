// clear on arbitrary bytes, compared with a plain model: the 26 replacements
// one after another, each a left-to-right scan that never looks at what it
// has just inserted.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "output/clear.h"

namespace {

const std::pair<std::string_view, char> kTable[] = {
    {"\xC3\xA4", '\xE4'}, {"\xC3\xB6", '\xF6'}, {"\xC3\xBC", '\xFC'}, {"\xC3\x84", '\xC4'},
    {"\xC3\x96", '\xD6'}, {"\xC3\x9C", '\xDC'}, {"\xC3\x9F", '\xDF'}, {"\xE2\x82\xAC", '\x80'},
    {"\xC3\xA9", '\xE9'}, {"\xC3\xA8", '\xE8'}, {"\xC3\xAA", '\xEA'}, {"\xC3\xA7", '\xE7'},
    {"\xC3\xB4", '\xF4'}, {"\xC3\xBB", '\xFB'}, {"\xC3\xB8", '\xF8'}, {"\xC3\x98", '\xD8'},
    {"\xC2\xB5", '\xB5'}, {"\xC2\xB2", '\xB2'}, {"\xC3\xA2", '\xE2'}, {"\xC3\xA1", '\xE1'},
    {"\xC2\xAC", '\xAC'}, {"&amp;", '&'},       {"&quot;", '"'},      {"&apos;", '\''},
    {"&gt;", '>'},        {"&lt;", '<'},
};

std::string modelClear(std::string text) {
  for (const auto& [sequence, byte] : kTable) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
      if (text.compare(i, sequence.size(), sequence) == 0) {
        out += byte;
        i += sequence.size();
      } else {
        out += text[i++];
      }
    }
    text = std::move(out);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  const std::string cleared = lumora::clear(text);
  if (cleared.size() > text.size()) std::abort();
  if (cleared != modelClear(std::string(text))) {
    std::fprintf(stderr, "clear differs from the model\n");
    std::abort();
  }
  return 0;
}
