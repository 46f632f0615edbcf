#pragma once
// Reading the invoice file by plain text search. There is no XML parser:
// getdata finds the raw content of an element in the file (a block, its line
// breaks removed) and getvalue finds the raw text between two markers inside
// such a text. Entities and UTF-8 stay as the file has them; only the output
// decodes them.
//
// Markers are "<" + opentag + ">" and "</" + closetag + ">", matched byte for
// byte; opentag may carry attributes exactly as the file must hold them.
//
// Every read gives what a read of the whole file from its start would give;
// behind that, the reader remembers where the closing markers lie and the
// last few blocks while the file stays the same, so the item table's reads
// cost one element each and the fields of one element cost one read.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "invoice/closing_marker_index.h"
#include "invoice/recent_blocks.h"
#include "platform/text_file.h"

namespace lumora {

class InvoiceReader {
 public:
  // Path of the invoice file; every getdata opens it anew.
  std::string xmlfile;
  // Which occurrence getdata returns, counted from 1 (1 or less: the first).
  std::int32_t datanr = 1;
  // Which occurrence getvalue returns, counted from 1 (1 or less: the first).
  std::int32_t valuenr = 1;

  // The datanr-th block of the element in xmlfile; "" when there is none.
  // Throws InOutError when the file cannot be opened or read.
  std::string getdata(std::string_view opentag, std::string_view closetag) const {
    return readBlock(opentag, closetag, datanr);
  }

  // The valuenr-th tag value of the element in `source`. Never fails.
  std::string getvalue(std::string_view source, std::string_view opentag,
                       std::string_view closetag) const {
    return findValue(source, opentag, closetag, valuenr);
  }

  // The `occurrence`-th block of the element in xmlfile (1 or less: the
  // first); "" when there is none. Throws InOutError when the file cannot be
  // opened or read, and Exception when it changed during a run.
  std::string readBlock(std::string_view opentag, std::string_view closetag,
                        std::int32_t occurrence) const;

  // The `occurrence`-th tag value of the element in `source` (1 or less: the
  // first). Never fails.
  static std::string findValue(std::string_view source, std::string_view opentag,
                               std::string_view closetag, std::int32_t occurrence);

  // A render run begins: from its first read on, the invoice file must stay
  // the file it was then. A read that finds it replaced or changed raises
  // "Die E-Rechnung wurde während der Verarbeitung geändert".
  void beginRun();

 private:
  void checkUnchangedInRun(const FileIdentity& identity) const;

  // Remembered between reads; none of it changes a result.
  mutable ClosingMarkerIndex m_closingMarkers;
  mutable RecentBlocks m_recentBlocks;
  // The run's invoice and its identity at the run's first read.
  bool m_inRun = false;
  mutable std::optional<std::string> m_runFile;
  mutable FileIdentity m_runIdentity;
};

}  // namespace lumora
