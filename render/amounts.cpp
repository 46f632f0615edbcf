#include "render/amounts.h"

#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/exceptions.h"

namespace lumora {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool allDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), isDigit);
}

// Leading digits of `s` from `i` on; returns how many there were.
std::size_t skipDigits(std::string_view s, std::size_t& i) {
  const std::size_t start = i;
  while (i < s.size() && isDigit(s[i])) ++i;
  return i - start;
}

// Sign, digits with at most one comma, optional exponent; no blanks.
bool isAmountSyntax(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = skipDigits(s, i);
  if (i < s.size() && s[i] == ',') {
    ++i;
    digits += skipDigits(s, i);
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (skipDigits(s, i) == 0) return false;
  }
  return i == s.size();
}

// The "C" locale as an object, so the conversion never follows the process's
// locale.
locale_t classicLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

[[noreturn]] void throwNotANumber(std::string_view text) {
  throw ConvertError("'" + quotedExcerpt(text) + "' ist kein gültiger Gleitkommawert");
}

}  // namespace

SummedRate summedRate(std::string_view rateText) {
  const std::size_t comma = rateText.find(',');
  std::string_view whole = rateText.substr(0, comma);
  const std::string_view fraction =
      comma == std::string_view::npos ? std::string_view() : rateText.substr(comma + 1);
  if (whole.empty() || !allDigits(whole)) return SummedRate::None;
  if (comma != std::string_view::npos && (fraction.empty() || !allDigits(fraction))) {
    return SummedRate::None;
  }
  if (fraction.find_first_not_of('0') != std::string_view::npos) return SummedRate::None;
  whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
  if (whole == "19") return SummedRate::Rate19;
  if (whole == "7") return SummedRate::Rate7;
  if (whole.empty()) return SummedRate::Rate0;
  return SummedRate::None;
}

std::string withDecimalComma(std::string_view text) {
  std::string result(text);
  std::replace(result.begin(), result.end(), '.', ',');
  return result;
}

long double amountToExtended(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  if (first == std::string_view::npos) throwNotANumber(text);
  const std::string_view number = text.substr(first, last - first + 1);
  if (!isAmountSyntax(number)) throwNotANumber(text);

  // The syntax is checked above; the C library only does the correctly
  // rounded conversion, on a copy with the comma as the C locale's point.
  std::string copy(number);
  std::replace(copy.begin(), copy.end(), ',', '.');
  errno = 0;
  char* end = nullptr;
  const long double value = strtold_l(copy.c_str(), &end, classicLocale());
  if (end != copy.c_str() + copy.size()) throwNotANumber(text);
  // Beyond the range of a double no sum could hold it.
  if (std::isinf(static_cast<double>(value))) throwNotANumber(text);
  return value;
}

void throwNotAnAmount(std::string_view text) {
  throwNotANumber(text);
}

void ExactSum::add(long double contribution) {
  // Each step splits x + part into the rounded sum and its exact rounding
  // error (two-sum), keeping every error that is not zero as a part.
  std::size_t kept = 0;
  for (long double part : m_parts) {
    if (std::fabs(contribution) < std::fabs(part)) std::swap(contribution, part);
    const long double high = contribution + part;
    const long double low = part - (high - contribution);
    if (low != 0) m_parts[kept++] = low;
    contribution = high;
  }
  m_parts.resize(kept);
  m_parts.push_back(contribution);
}

double ExactSum::value() const {
  long double sum = 0;
  for (auto part = m_parts.rbegin(); part != m_parts.rend(); ++part) sum += *part;
  return static_cast<double>(sum);
}

void LineSums::add(std::string_view rateText, std::string_view amountText) {
  const SummedRate rate = summedRate(rateText);
  if (rate == SummedRate::None) return;
  const long double amount = amountToExtended(amountText);
  const auto addTo = [&](ExactSum& sum, long double contribution) {
    sum.add(contribution);
    if (std::isinf(sum.value())) throwNotANumber(amountText);
  };
  if (rate == SummedRate::Rate19) {
    addTo(netto19, amount);
    addTo(mwst19, amount * 19.0L / 100.0L);
  } else if (rate == SummedRate::Rate7) {
    addTo(netto7, amount);
    addTo(mwst7, amount * 7.0L / 100.0L);
  } else {
    addTo(netto0, amount);
  }
}

std::string formatSum(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

  // 18 significant digits, correctly rounded: "d.ddddddddddddddddde+xx".
  char buffer[48];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                     std::chars_format::scientific, 17);
  const std::string_view scientific(buffer, written.ptr - buffer);
  const std::size_t e = scientific.find('e');
  std::string digits(1, scientific[0]);
  digits.append(scientific.substr(2, e - 2));
  int exponentValue = 0;
  std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1),
                  scientific.data() + scientific.size(), exponentValue);
  // The value is 0.d1d2d3... x 10^point: `point` digits stand before the comma.
  int point = exponentValue + 1;

  // Two decimals, but no more than ten significant digits; halves go up.
  const int keep = std::min(10, point + 2);
  std::string kept;
  if (keep >= 0) {
    kept = digits.substr(0, keep);
    if (digits[keep] >= '5') {
      int i = keep - 1;
      while (i >= 0 && kept[i] == '9') kept[i--] = '0';
      if (i >= 0) {
        kept[i] += 1;
      } else {
        kept.insert(kept.begin(), '1');
        point += 1;
      }
    }
  }
  if (kept.find_first_not_of('0') == std::string::npos) return "0,00";

  std::string text = value < 0 ? "-" : "";
  if (point > 10) {
    kept.erase(kept.find_last_not_of('0') + 1);
    text += kept[0];
    if (kept.size() > 1) {
      text += ',';
      text.append(kept, 1);
    }
    text += "E+";
    text += std::to_string(point - 1);
    return text;
  }
  // The digit that stands `index` places after the first kept one.
  const auto digitAt = [&](int index) {
    return index >= 0 && index < static_cast<int>(kept.size()) ? kept[index] : '0';
  };
  if (point <= 0) text += '0';
  for (int i = 0; i < point; ++i) text += digitAt(i);
  text += ',';
  text += digitAt(point);
  text += digitAt(point + 1);
  return text;
}

}  // namespace lumora
