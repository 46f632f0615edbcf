#!/usr/bin/env python3
"""Writes a UBL invoice with a given number of invoice lines for the
benchmarks: CR LF line ends, one element per line, a full header with seller
and buyer, lines at 19 % and 7 % with names long enough for continuation
lines, and the totals and payment terms.

    bench/make_invoice.py LINES OUTPUT.xml
"""

import sys

HEADER = """<?xml version="1.0" encoding="UTF-8"?>
<ubl:Invoice xmlns:ubl="urn:oasis:names:specification:ubl:schema:xsd:Invoice-2"
             xmlns:cac="urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2"
             xmlns:cbc="urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2">
  <cbc:CustomizationID>urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0</cbc:CustomizationID>
  <cbc:ID>BENCH-{lines}</cbc:ID>
  <cbc:IssueDate>2025-03-14</cbc:IssueDate>
  <cbc:DueDate>2025-04-13</cbc:DueDate>
  <cbc:InvoiceTypeCode>380</cbc:InvoiceTypeCode>
  <cbc:DocumentCurrencyCode>EUR</cbc:DocumentCurrencyCode>
  <cbc:BuyerReference>04011000-12345-67</cbc:BuyerReference>
  <cac:OrderReference>
    <cbc:ID>BE-2025-0318</cbc:ID>
  </cac:OrderReference>
  <cac:AccountingSupplierParty>
    <cac:Party>
      <cbc:EndpointID schemeID="EM">rechnung@lieferant.example.org</cbc:EndpointID>
      <cac:PostalAddress>
        <cbc:StreetName>Lindenallee 12</cbc:StreetName>
        <cbc:CityName>W\u00fcrzburg</cbc:CityName>
        <cbc:PostalZone>97070</cbc:PostalZone>
        <cac:Country>
          <cbc:IdentificationCode>DE</cbc:IdentificationCode>
        </cac:Country>
      </cac:PostalAddress>
      <cac:PartyTaxScheme>
        <cbc:CompanyID>DE298765431</cbc:CompanyID>
        <cac:TaxScheme>
          <cbc:ID>VAT</cbc:ID>
        </cac:TaxScheme>
      </cac:PartyTaxScheme>
      <cac:PartyLegalEntity>
        <cbc:RegistrationName>Lieferant M\u00fchlbach &amp; S\u00f6hne GmbH</cbc:RegistrationName>
      </cac:PartyLegalEntity>
      <cac:Contact>
        <cbc:Telephone>0931 555 0142</cbc:Telephone>
        <cbc:ElectronicMail>buchhaltung@lieferant.example.org</cbc:ElectronicMail>
      </cac:Contact>
    </cac:Party>
  </cac:AccountingSupplierParty>
  <cac:AccountingCustomerParty>
    <cac:Party>
      <cac:PostalAddress>
        <cbc:StreetName>Am Wasserturm 3</cbc:StreetName>
        <cbc:CityName>Musterstadt</cbc:CityName>
        <cbc:PostalZone>97999</cbc:PostalZone>
        <cac:Country>
          <cbc:IdentificationCode>DE</cbc:IdentificationCode>
        </cac:Country>
      </cac:PostalAddress>
      <cac:PartyLegalEntity>
        <cbc:RegistrationName>Stadtwerke Musterstadt</cbc:RegistrationName>
      </cac:PartyLegalEntity>
    </cac:Party>
  </cac:AccountingCustomerParty>
  <cac:PaymentMeans>
    <cbc:PaymentMeansCode>58</cbc:PaymentMeansCode>
    <cac:PayeeFinancialAccount>
      <cbc:ID>DE02120300000000202051</cbc:ID>
    </cac:PayeeFinancialAccount>
  </cac:PaymentMeans>
  <cac:PaymentTerms>
    <cbc:Note>Zahlbar innerhalb von 30 Tagen ohne Abzug.</cbc:Note>
  </cac:PaymentTerms>
"""

LINE = """  <cac:InvoiceLine>
    <cbc:ID>{n}</cbc:ID>
    <cbc:InvoicedQuantity unitCode="{unit}">{quantity}</cbc:InvoicedQuantity>
    <cbc:LineExtensionAmount currencyID="EUR">{amount}</cbc:LineExtensionAmount>
    <cac:Item>
      <cbc:Description>Lieferung gem\u00e4\u00df Rahmenvertrag, Position {n}, mit Pr\u00fcfprotokoll</cbc:Description>
      <cbc:Name>{name}</cbc:Name>
      <cac:SellersItemIdentification>
        <cbc:ID>ART-{n}</cbc:ID>
      </cac:SellersItemIdentification>
      <cac:ClassifiedTaxCategory>
        <cbc:ID>S</cbc:ID>
        <cbc:Percent>{percent}</cbc:Percent>
        <cac:TaxScheme>
          <cbc:ID>VAT</cbc:ID>
        </cac:TaxScheme>
      </cac:ClassifiedTaxCategory>
    </cac:Item>
    <cac:Price>
      <cbc:PriceAmount currencyID="EUR">{price}</cbc:PriceAmount>
    </cac:Price>
  </cac:InvoiceLine>
"""

FOOTER = """  <cac:LegalMonetaryTotal>
    <cbc:LineExtensionAmount currencyID="EUR">{net}</cbc:LineExtensionAmount>
    <cbc:TaxExclusiveAmount currencyID="EUR">{net}</cbc:TaxExclusiveAmount>
    <cbc:TaxInclusiveAmount currencyID="EUR">{gross}</cbc:TaxInclusiveAmount>
    <cbc:AllowanceTotalAmount currencyID="EUR">0.00</cbc:AllowanceTotalAmount>
    <cbc:PrepaidAmount currencyID="EUR">0.00</cbc:PrepaidAmount>
    <cbc:PayableAmount currencyID="EUR">{gross}</cbc:PayableAmount>
  </cac:LegalMonetaryTotal>
</ubl:Invoice>
"""


def invoice(lines):
    parts = [HEADER.format(lines=lines)]
    net_cents = 0
    tax_cents = 0
    for n in range(1, lines + 1):
        price_cents = 150 + (n * 37) % 9000
        quantity = 1 + n % 12
        amount_cents = price_cents * quantity
        percent = 7 if n % 5 == 0 else 19
        net_cents += amount_cents
        tax_cents += amount_cents * percent  # in hundredths of cents
        # Every third name runs past the 45 characters of the name column.
        name = "Kugellager Typ %d" % n
        if n % 3 == 0:
            name += ", rostfrei, mit beidseitiger Dichtung und Schmierung"
        parts.append(
            LINE.format(
                n=n,
                unit="C62" if n % 4 else "H87",
                quantity=quantity,
                amount="%d.%02d" % divmod(amount_cents, 100),
                name=name,
                percent="%d.00" % percent,
                price="%d.%02d" % divmod(price_cents, 100),
            )
        )
    gross_cents = net_cents + round(tax_cents / 100)
    parts.append(
        FOOTER.format(net="%d.%02d" % divmod(net_cents, 100), gross="%d.%02d" % divmod(gross_cents, 100))
    )
    return "".join(parts)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    text = invoice(int(sys.argv[1])).replace("\n", "\r\n")
    with open(sys.argv[2], "wb") as out:
        out.write(text.encode("utf-8"))


if __name__ == "__main__":
    main()
