// Attachments arrive base64-encoded inside the invoice.

#include "invoice/base64.h"

#include <gtest/gtest.h>

#include <string>

namespace lumora {
namespace {

TEST(Base64Test, DecodesWhatEncodersWriteAndRefusesTheRest) {
  struct Case {
    std::string text;
    Base64Result result;
    std::string bytes;
  } cases[] = {
      {"", Base64Result::Decoded, ""},
      {"TWFu", Base64Result::Decoded, "Man"},
      {"TWE=", Base64Result::Decoded, "Ma"},
      {"TQ==", Base64Result::Decoded, "M"},
      {"TWE", Base64Result::Decoded, "Ma"},  // padding left out
      {" TW\r\nFu\tTQ ==\n", Base64Result::Decoded, "ManM"},
      {"/+8A", Base64Result::Decoded, std::string("\xFF\xEF\x00", 3)},
      {"TWFuT", Base64Result::NotBase64, ""},  // one sextet left over
      {"TQ=x", Base64Result::NotBase64, ""},   // data after the padding
      {"TQ===", Base64Result::NotBase64, ""},
      {"TW-u", Base64Result::NotBase64, ""},  // base64url is not what invoices use
      {"TWFuTWFu", Base64Result::TooLarge, ""},
  };
  for (const Case& c : cases) {
    std::string bytes;
    const Base64Result result = decodeBase64(c.text, 5, bytes);
    EXPECT_EQ(result, c.result) << c.text;
    if (result == Base64Result::Decoded) {
      EXPECT_EQ(bytes, c.bytes) << c.text;
    }
  }
}

}  // namespace
}  // namespace lumora
