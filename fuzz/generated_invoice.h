#pragma once
// A UBL invoice made up from fuzz input, and what the reader must read from
// it: the generator knows each value it put at each path, and writes it with
// any prefixes, escaped or in CDATA, inside an envelope or not, beside
// decoys in comments, processing instructions, extensions and elements of
// other namespaces that must never be read.

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

namespace lumora::fuzz {

struct GeneratedInvoice {
  std::string xml;
  std::string number;  // as the reader must deliver it
  std::vector<std::string> lineNames;
};

namespace detail {

inline bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The model of a field's text: split into runs of whitespace and the rest;
// leading and trailing runs go, a run holding a line break becomes one blank.
inline std::string expectedText(const std::string& raw) {
  std::string text;
  std::string run;
  for (const char c : raw) {
    if (isSpace(c)) {
      run += c;
      continue;
    }
    if (!text.empty() && !run.empty()) {
      text += run.find_first_of("\r\n") != std::string::npos ? std::string(" ") : run;
    }
    run.clear();
    text += c;
  }
  return text;
}

// A value from a few kinds of characters, markup characters included.
inline std::string value(FuzzedDataProvider& data) {
  static const char* const kPieces[] = {"A", "7",  " ", "  ", "\n", "\r\n", "\t", "<", "&",
                                        ">", "\"", "'", "ä",  "€",  "Ł",    "]]", "-", "#"};
  std::string text;
  for (int n = data.ConsumeIntegralInRange(0, 12); n > 0; --n) {
    text += kPieces[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kPieces) - 1)];
  }
  return text;
}

// `text` as character data: escaped, or in a CDATA section when it can be.
inline std::string characterData(const std::string& text, bool cdata) {
  if (cdata && text.find("]]>") == std::string::npos && text.find('\r') == std::string::npos) {
    return "<![CDATA[" + text + "]]>";
  }
  std::string out;
  for (const char c : text) {
    if (c == '<') {
      out += "&lt;";
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '\r') {
      out += "&#13;";
    } else {
      out += c;
    }
  }
  return out;
}

inline std::string prefix(FuzzedDataProvider& data) {
  static const char* const kPrefixes[] = {"", "cbc", "cac", "ubl", "n0", "x"};
  return kPrefixes[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kPrefixes) - 1)];
}

inline std::string qualified(const std::string& prefix, const char* name) {
  return prefix.empty() ? name : prefix + ":" + name;
}

inline std::string binding(const std::string& prefix, const char* uri) {
  return " xmlns" + (prefix.empty() ? std::string() : ":" + prefix) + "=\"" + uri + "\"";
}

}  // namespace detail

inline GeneratedInvoice generatedInvoice(FuzzedDataProvider& data) {
  using namespace detail;
  constexpr const char* kInvoice = "urn:oasis:names:specification:ubl:schema:xsd:Invoice-2";
  constexpr const char* kCbc =
      "urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2";
  constexpr const char* kCac =
      "urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2";
  // Each namespace bound on the element that uses it, under a prefix the
  // input picks: the same prefix may mean another namespace elsewhere.
  const auto element = [&](const char* uri, const char* name, const std::string& content) {
    const std::string p = prefix(data);
    const std::string tag = qualified(p, name);
    return "<" + tag + binding(p, uri) + (data.ConsumeBool() ? " a=\"1\"" : "") + ">" + content +
           "</" + tag + ">";
  };
  const auto decoy = [&] {
    switch (data.ConsumeIntegralInRange(0, 4)) {
      case 0:
        return std::string("<!-- <cbc:ID>FAKE</cbc:ID> -->");
      case 1:
        return std::string("<?x <cbc:ID>FAKE</cbc:ID>?>");
      case 2:
        return element("urn:example", "ID", "FAKE");
      case 3:
        return element("urn:example:ext", "UBLExtensions", element(kCbc, "ID", "FAKE"));
      default:
        return std::string();
    }
  };

  GeneratedInvoice invoice;
  std::string body = decoy();
  const std::string number = value(data);
  invoice.number = expectedText(number);
  body += element(kCbc, "ID", characterData(number, data.ConsumeBool()));
  for (int n = data.ConsumeIntegralInRange(0, 3); n > 0; --n) {
    const std::string name = value(data);
    invoice.lineNames.push_back(expectedText(name));
    body += decoy();
    body +=
        element(kCac, "InvoiceLine",
                element(kCac, "Item",
                        decoy() + element(kCbc, "Name", characterData(name, data.ConsumeBool()))));
  }
  // A later ID of the invoice never counts: the first one does.
  body += element(kCbc, "ID", "LATER");
  const std::string root = qualified(prefix(data), "Invoice");
  const std::string rootPrefix =
      root.find(':') == std::string::npos ? "" : root.substr(0, root.find(':'));
  invoice.xml = "<" + root + binding(rootPrefix, kInvoice) + ">" + body + "</" + root + ">";
  if (data.ConsumeBool()) {
    invoice.xml = "<env:Envelope xmlns:env=\"urn:example:envelope\"><env:Header>" +
                  element(kCbc, "ID", "ENVELOPE") + "</env:Header>" + invoice.xml +
                  "</env:Envelope>";
  }
  return invoice;
}

}  // namespace lumora::fuzz
