#pragma once
// The kinds of e-invoice the reader knows, each named by its document
// element: Invoice or CreditNote (UBL) or CrossIndustryInvoice (CII).

#include <string_view>

namespace lumora {

enum class DocumentKind { UblInvoice, UblCreditNote, CrossIndustryInvoice };

// The refusal of a file that holds none of them.
inline constexpr std::string_view kNotAnInvoice =
    "Die Datei ist keine E-Rechnung im UBL- oder CII-Format";

}  // namespace lumora
