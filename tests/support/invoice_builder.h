#pragma once
// The invoices that tests and benchmarks make up, from one builder: invoice
// lines with every field the item table reads, the usual header parts, and
// whole files as invoicing software writes them (one element per file line,
// CR LF line ends).

#include <string>
#include <string_view>
#include <vector>

namespace lumora::test {

// One invoice line; an empty field leaves its element out.
struct InvoiceLine {
  std::string id = "1";
  std::string sellerId = "A-1";
  std::string name = "Schraube";
  std::string description;
  std::string quantity = "2";
  std::string unit = "C62";
  std::string percent = "19.00";
  std::string taxCategory = "S";  // with the tax scheme VAT; empty: the rate alone
  std::string priceAmount = "10.00";
  std::string baseQuantity;  // of the price, in unit C62
  std::string baseAmount;    // in an allowance on the price
  std::string amount = "20.00";
  std::string currency = "EUR";  // of every amount of the line
};

// The cac:InvoiceLine element, a child element per file line, indented for
// its place under the root element; it ends without a line break.
std::string invoiceLineXml(const InvoiceLine& line);

// `count` lines "Artikel 1", "Artikel 2", ... at 19 %, one piece at 10.00
// each, without seller's item number, tax category and price.
std::vector<InvoiceLine> numberedLines(int count);

// The same lines as elements of an invoice file.
std::vector<std::string> invoiceLines(int count);

// Removes every line break: the whole text on one file line.
std::string onOneLine(std::string xml);

// An invoice file: `root` (Invoice or CreditNote, any prefix) in its UBL
// namespace, with cac and cbc bound, around the elements, each on its own file line
// and indented by two blanks, CR LF line ends.
std::string invoiceFile(const std::vector<std::string>& elements,
                        std::string_view root = "ubl:Invoice");

// The seller every made-up invoice has: name with an entity, street, a city
// with an umlaut, phone and mail, and no tax schemes.
extern const std::string kSeller;
// A buyer with no identification, no address line and no contact.
extern const std::string kPlainBuyer;

std::string payableTotal(const std::string& amount);

// The smallest useful invoice: number, two dates, currency, seller, buyer,
// and then `more` elements.
std::string minimalInvoice(const std::string& number, const std::vector<std::string>& more = {});

// The made-up invoice of the end-to-end tests: the minimal header, `lines`
// numbered lines "L1", "L2", ..., and the amount due.
struct InvoiceRecipe {
  std::string number = "4711";
  int lines = 2;
  std::string lineAmount;    // of every line; a text that is no number fails the run
  bool oneFileLine = false;  // the whole file without a line break

  InvoiceRecipe& withNumber(std::string value) { return number = std::move(value), *this; }
  InvoiceRecipe& withLines(int value) { return lines = value, *this; }
  InvoiceRecipe& withLineAmount(std::string value) { return lineAmount = std::move(value), *this; }
  InvoiceRecipe& onOneLine() { return oneFileLine = true, *this; }
};

std::string makeInvoice(const InvoiceRecipe& recipe = InvoiceRecipe());

// The benchmarks' invoice: a full header with seller and buyer, `lines`
// invoice lines at 19 % and 7 % in two units, every third name long enough
// for continuation lines, each line with a description, then the totals.
std::string benchmarkInvoice(int lines);

}  // namespace lumora::test
