#include "invoice/base64.h"

#include <array>
#include <cstdint>

namespace lumora {
namespace {

constexpr std::uint8_t kWhiteSpace = 0xFE;
constexpr std::uint8_t kNotInAlphabet = 0xFF;

constexpr std::array<std::uint8_t, 256> makeValues() {
  std::array<std::uint8_t, 256> values{};
  values.fill(kNotInAlphabet);
  constexpr std::string_view alphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::size_t i = 0; i < alphabet.size(); ++i) {
    values[static_cast<unsigned char>(alphabet[i])] = static_cast<std::uint8_t>(i);
  }
  for (const char blank : {' ', '\t', '\r', '\n'})
    values[static_cast<unsigned char>(blank)] = kWhiteSpace;
  return values;
}

constexpr std::array<std::uint8_t, 256> kValues = makeValues();

}  // namespace

Base64Result decodeBase64(std::string_view text, std::size_t mostBytes, std::string& bytes) {
  bytes.clear();
  std::uint32_t group = 0;
  int sextets = 0;
  std::size_t padding = 0;
  for (const char c : text) {
    const std::uint8_t value = kValues[static_cast<unsigned char>(c)];
    if (value == kWhiteSpace) continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    // Nothing but padding and white space after the padding.
    if (value == kNotInAlphabet || padding > 0) return Base64Result::NotBase64;
    group = group << 6 | value;
    if (++sextets == 4) {
      if (bytes.size() + 3 > mostBytes) return Base64Result::TooLarge;
      bytes += static_cast<char>(group >> 16);
      bytes += static_cast<char>(group >> 8 & 0xFF);
      bytes += static_cast<char>(group & 0xFF);
      group = 0;
      sextets = 0;
    }
  }
  // The last group: two or three sextets carry one or two bytes.
  if (sextets == 1 || padding > 2 || (padding > 0 && sextets + padding != 4)) {
    return Base64Result::NotBase64;
  }
  if (sextets > 1 && bytes.size() + static_cast<std::size_t>(sextets - 1) > mostBytes) {
    return Base64Result::TooLarge;
  }
  if (sextets >= 2) bytes += static_cast<char>(group >> (sextets == 2 ? 4 : 10));
  if (sextets == 3) bytes += static_cast<char>(group >> 2 & 0xFF);
  return Base64Result::Decoded;
}

}  // namespace lumora
