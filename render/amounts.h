#pragma once
// Amounts as the item table and the totals handle them. The program's number
// conventions are German: the decimal separator is the comma, whatever the
// machine's locale says, both when a line amount is read and when a sum is
// written.
//
// Reading: a line amount text (its "." already turned into ",") is an
// optional sign, digits with at most one decimal comma (at least one digit in
// all), an optional exponent (E or e, an optional sign, digits), with blanks
// allowed before and after. It becomes the nearest extended-precision value,
// the precision in which the sums are added. Anything else, the empty text
// included, and an amount beyond the range of a double (1e4000, 400 digits)
// raises ConvertError "'<text>' ist kein gültiger Gleitkommawert".
//
// Adding: each line's contributions (its amount, and amount x rate / 100 for
// the VAT sums, in extended precision) are summed exactly, so that amounts
// which cancel each other leave the others intact, and the sum is rounded to
// a double once. A sum that leaves the range of a double raises the
// conversion error with the text of the line that took it there.
//
// Writing a computed sum: exactly two decimals after a comma, no thousands
// separator, "-" in front of a negative value. The value is first expanded to
// 18 significant decimal digits (correctly rounded); that expansion is then
// rounded half away from zero to two decimals, but to no more than 10
// significant digits, so from 10^8 on the digits past the tenth become 0.
// A value that would need more than 10 digits before the comma is written in
// exponent form instead: at most 10 significant digits, trailing zeros
// dropped, the comma only when digits follow, then "E", the exponent's sign
// and its digits: 123456789012.34 -> "1,23456789E+11", 5e15 -> "5E+15".
// A value that rounds to nothing is "0,00" (never "-0,00"). Infinities and
// NaN never come from the sums; they would read "INF", "-INF" and "NAN".

#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// The tax rates whose lines enter the per-rate sums.
enum class SummedRate { None, Rate19, Rate7, Rate0 };

// The rate a rate text stands for: a plain decimal number (digits, optionally
// a comma and more digits, nothing else) equal to 19, 7 or 0 ("19", "19,0",
// "19,00" alike). Any other text enters no sum.
SummedRate summedRate(std::string_view rateText);

// `text` with every "." replaced by ",", the way the invoice's own numbers
// are shown.
std::string withDecimalComma(std::string_view text);

// The line amount text as an extended-precision number; throws ConvertError.
long double amountToExtended(std::string_view text);

// The ConvertError of a line amount that cannot be summed.
[[noreturn]] void throwNotAnAmount(std::string_view text);

// A sum of extended-precision numbers kept exact as a few non-overlapping
// parts: 1e308, -1e308 and 84.9 sum to 84.9, where a running double
// would have lost the 84.9 to 1e308.
class ExactSum {
 public:
  void add(long double contribution);
  // The exact sum rounded to a double (infinite when it is beyond the range).
  double value() const;

 private:
  std::vector<long double> m_parts;  // smallest first
};

// The item table's sums per recognised rate.
class LineSums {
 public:
  // Adds the line amount `amountText` to the sums of `rateText`; a line at any
  // other rate is not converted. Throws ConvertError naming `amountText` when
  // it is no amount or takes a sum beyond the range of a double.
  void add(std::string_view rateText, std::string_view amountText);

  ExactSum netto19;
  ExactSum mwst19;
  ExactSum netto7;
  ExactSum mwst7;
  ExactSum netto0;
};

// A computed sum as the totals show it.
std::string formatSum(double value);

}  // namespace lumora
