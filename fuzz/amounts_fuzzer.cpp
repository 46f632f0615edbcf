// Reading line amounts and writing computed sums, each against a model:
// the amount syntax recognised by a small automaton of its own and the value
// by the C library; a sum rounded in integer arithmetic on its 18-digit
// expansion. Plus the round trip that every invoice relies on: an amount
// with two decimals below 10^8 is written back as it was read.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/exceptions.h"
#include "render/amounts.h"

namespace {

using namespace lumora;

[[noreturn]] void fail(const char* what, const std::string& input, const std::string& got,
                       const std::string& expected) {
  std::fprintf(stderr, "%s: input '%s' gave '%s', expected '%s'\n", what, input.c_str(),
               got.c_str(), expected.c_str());
  std::abort();
}

// Blanks, sign, digits with at most one comma (a digit somewhere), optional
// exponent with sign and digits, blanks: accepted when the automaton ends in
// an accepting state.
bool modelAccepts(const std::string& text) {
  enum State { Lead, Sign, Whole, Comma, Fraction, E, ESign, EDigits, Trail, Reject };
  State state = Lead;
  for (const char c : text) {
    const bool digit = c >= '0' && c <= '9';
    switch (state) {
      case Lead:
        state = c == ' '                 ? Lead
                : (c == '+' || c == '-') ? Sign
                : digit                  ? Whole
                : c == ','               ? Comma
                                         : Reject;
        break;
      case Sign:
        state = digit ? Whole : c == ',' ? Comma : Reject;
        break;
      case Whole:
        state = digit                    ? Whole
                : c == ','               ? Fraction
                : (c == 'e' || c == 'E') ? E
                : c == ' '               ? Trail
                                         : Reject;
        break;
      case Comma:  // a comma with no digit in front yet
        state = digit ? Fraction : Reject;
        break;
      case Fraction:
        state = digit ? Fraction : (c == 'e' || c == 'E') ? E : c == ' ' ? Trail : Reject;
        break;
      case E:
        state = (c == '+' || c == '-') ? ESign : digit ? EDigits : Reject;
        break;
      case ESign:
        state = digit ? EDigits : Reject;
        break;
      case EDigits:
        state = digit ? EDigits : c == ' ' ? Trail : Reject;
        break;
      case Trail:
        state = c == ' ' ? Trail : Reject;
        break;
      case Reject:
        return false;
    }
  }
  return state == Whole || state == Fraction || state == EDigits || state == Trail;
}

// Messages quote at most 200 bytes of the text, then "…", and never end
// inside a UTF-8 character.
std::string quoted(const std::string& text) {
  if (text.size() <= 200) return text;
  std::size_t cut = 200;
  while (cut > 197 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut) + "\xE2\x80\xA6";
}

void checkReading(const std::string& text) {
  std::optional<long double> value;
  try {
    value = amountToExtended(text);
  } catch (const ConvertError& error) {
    // what() ends at a NUL byte of the text; compare as far as it goes.
    const std::string message = "'" + quoted(text) + "' ist kein gültiger Gleitkommawert";
    if (std::string_view(error.what()) != message.c_str()) fail("message", text, error.what(), "");
  }
  if (!modelAccepts(text)) {
    if (value) fail("accepted", text, "a number", "the conversion error");
    return;
  }
  std::string c = text;
  for (char& ch : c) {
    if (ch == ',') ch = '.';
  }
  const long double expected = std::strtold(c.c_str(), nullptr);
  // Beyond the range of a double no sum could hold the amount.
  if (std::isinf(static_cast<double>(expected))) {
    if (value) fail("accepted", text, "a number", "the conversion error");
    return;
  }
  if (!value) fail("refused", text, "the conversion error", "a number");
  if (*value != expected) fail("value", text, std::to_string(static_cast<double>(*value)), c);
}

std::uint64_t powerOfTen(int exponent) {
  std::uint64_t power = 1;
  while (exponent-- > 0) power *= 10;
  return power;
}

// The sum as the totals write it, worked out on its 18 significant digits
// 0.d1...d18 x 10^point in integer arithmetic.
std::string modelFormat(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char text[64];
  std::snprintf(text, sizeof text, "%.17e", std::fabs(value));
  std::uint64_t digits = 0;
  for (const char* p = text; *p != 'e'; ++p) {
    if (*p != '.') digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  const int point = std::atoi(std::strchr(text, 'e') + 1) + 1;
  const int keep = std::min(10, point + 2);  // two decimals, ten digits at most
  if (keep < 0) return "0,00";
  const std::uint64_t divisor = powerOfTen(18 - keep);
  const std::uint64_t kept = digits / divisor + (digits % divisor >= divisor / 2 ? 1 : 0);
  if (kept == 0) return "0,00";
  const int rounded = kept == powerOfTen(keep) ? point + 1 : point;  // 99,995 -> 100,00
  const std::string sign = value < 0 ? "-" : "";
  if (rounded > 10) {
    std::string mantissa = std::to_string(kept);
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    std::string out = sign + mantissa.substr(0, 1);
    if (mantissa.size() > 1) out += "," + mantissa.substr(1);
    return out + "E+" + std::to_string(rounded - 1);
  }
  const std::uint64_t cents = kept * powerOfTen(point + 2 - keep);
  std::string fraction = std::to_string(cents % 100);
  if (fraction.size() < 2) fraction.insert(0, "0");
  return sign + std::to_string(cents / 100) + "," + fraction;
}

void checkFormatting(double value) {
  const std::string written = formatSum(value);
  const std::string expected = modelFormat(value);
  if (written != expected) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    fail("formatSum", text, written, expected);
  }
}

void checkRoundTrip(std::int64_t cents) {
  cents %= 10'000'000'000;  // below 10^8 with two decimals
  const std::string sign = cents < 0 ? "-" : "";
  const std::uint64_t magnitude = static_cast<std::uint64_t>(cents < 0 ? -cents : cents);
  std::string fraction = std::to_string(magnitude % 100);
  if (fraction.size() < 2) fraction.insert(0, "0");
  const std::string text = sign + std::to_string(magnitude / 100) + "," + fraction;
  const std::string written = formatSum(static_cast<double>(amountToExtended(text)));
  const std::string expected = magnitude == 0 ? "0,00" : text;
  if (written != expected) fail("round trip", text, written, expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
      checkReading(data.ConsumeRemainingBytesAsString());
      break;
    case 1:
      checkFormatting(data.ConsumeFloatingPoint<double>());
      break;
    case 2:
      // Thousandths and their sums: the halves where rounding is decided.
      checkFormatting(static_cast<double>(data.ConsumeIntegral<std::int64_t>()) / 1000 +
                      static_cast<double>(data.ConsumeIntegral<std::int32_t>()) / 1000);
      break;
    default:
      checkRoundTrip(data.ConsumeIntegral<std::int64_t>());
      break;
  }
  return 0;
}
