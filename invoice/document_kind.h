#pragma once
// The kinds of e-invoice the reader knows, each named by its document
// element: Invoice or CreditNote (UBL), CrossIndustryInvoice (CII) or
// CrossIndustryDocument (ZUGFeRD 1.0, the CII of 2014 to 2020).

#include <string_view>

namespace lumora {

enum class DocumentKind { UblInvoice, UblCreditNote, CrossIndustryInvoice, CrossIndustryDocument };

// The refusal of a file that holds none of them.
inline constexpr std::string_view kNotAnInvoice =
    "Die Datei ist keine E-Rechnung im UBL- oder CII-Format";

}  // namespace lumora
