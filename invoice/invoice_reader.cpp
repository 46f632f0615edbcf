#include "invoice/invoice_reader.h"

#include <expat.h>

#include <array>
#include <cctype>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "invoice/path_tree.h"
#include "platform/codepage.h"
#include "platform/exceptions.h"
#include "platform/substring.h"
#include "platform/text_file.h"

namespace lumora {
namespace {

constexpr char kEndOfFile = 26;
constexpr std::size_t kBlockSize = 64 * 1024;

bool isXmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// An element's text as a field shows it, made in place from `raw`: the ends
// trimmed, and each run of whitespace that holds a line break one blank.
// Returns the new length; the text is never longer than before.
std::size_t makeFieldText(char* raw, std::size_t length) {
  std::size_t at = 0;
  while (at < length && isXmlSpace(raw[at])) ++at;
  std::size_t end = length;
  while (end > at && isXmlSpace(raw[end - 1])) --end;
  std::size_t out = 0;
  while (at < end) {
    if (!isXmlSpace(raw[at])) {
      raw[out++] = raw[at++];
      continue;
    }
    std::size_t runEnd = at;
    bool lineBreak = false;
    while (isXmlSpace(raw[runEnd])) {
      lineBreak |= raw[runEnd] == '\n' || raw[runEnd] == '\r';
      ++runEnd;
    }
    if (lineBreak) {
      raw[out++] = ' ';
    } else {
      while (at < runEnd) raw[out++] = raw[at++];
    }
    at = runEnd;
  }
  return out;
}

// DD.MM.YYYY from the positions of the syntax's date form; empty stays empty.
std::string displayDate(std::string_view raw, DateForm form) {
  if (raw.empty()) return {};
  const bool iso = form == DateForm::Iso;
  std::string date(substring(raw, iso ? 9 : 7, 2));
  date += '.';
  date += substring(raw, iso ? 6 : 5, 2);
  date += '.';
  date += substring(raw, 1, 4);
  return date;
}

// Files that declare Windows-1252, as invoicing software on Windows may
// write them, are read by the code page's table; the parser itself knows
// only UTF-8, UTF-16, ISO-8859-1 and US-ASCII.
int XMLCALL windows1252(void*, const XML_Char* name, XML_Encoding* encoding) {
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower != "windows-1252" && lower != "cp1252") return XML_STATUS_ERROR;
  for (int byte = 0; byte < 256; ++byte) {
    encoding->map[byte] = cp1252ToUnicode(static_cast<unsigned char>(byte));
  }
  encoding->data = nullptr;
  encoding->convert = nullptr;
  encoding->release = nullptr;
  return XML_STATUS_OK;
}

std::string notWellFormed(XML_Parser parser) {
  return "Die Datei ist kein wohlgeformtes XML: Zeile " +
         std::to_string(XML_GetCurrentLineNumber(parser)) + ", Spalte " +
         std::to_string(XML_GetCurrentColumnNumber(parser) + 1);
}

}  // namespace

struct InvoiceParser::State {
  XML_Parser parser = XML_ParserCreateNS(nullptr, kNameSeparator);
  const InvoiceSyntax* syntax = nullptr;
  const PathTree* tree = nullptr;
  bool anyElement = false;
  bool documentEnded = false;
  bool ctrlZPending = false;  // a byte 26 held back: the end, unless more follows
  Invoice invoice;
  InvoiceLine line;
  // The path node of each open element of the invoice; kNone off the paths.
  std::vector<int> open;
  // Elements whose text is being gathered: where their text and their list
  // of targets begin.
  struct Capture {
    std::size_t depth;
    std::size_t textFrom;
    std::size_t targetsFrom;
  };
  std::vector<Capture> captures;
  std::vector<int> capturedTargets;
  std::string text;
  std::vector<char> matched;  // per target: its first element has been seen
  std::array<int, kFieldCount> rankOf{};
  std::string choiceKey;
  std::string choiceValue;
  AttachmentContents attachmentContents = AttachmentContents::Skip;
  // The depth of the open attached document's element, 0 when none is open.
  std::size_t attachmentDepth = 0;

  State() {
    if (!parser) throw std::bad_alloc();
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &State::onStart, &State::onEnd);
    XML_SetCharacterDataHandler(parser, &State::onText);
    XML_SetUnknownEncodingHandler(parser, &windows1252, nullptr);
  }
  ~State() { XML_ParserFree(parser); }

  void beginDocument(const InvoiceSyntax& known) {
    syntax = &known;
    tree = &pathTreeOf(known);
    invoice.kind = known.kind;
    matched.assign(tree->targetCount(), 0);
    rankOf.fill(INT_MAX);
    open.push_back(PathTree::kRoot);
  }

  static bool attributeHolds(const XML_Char** attributes, const PathTarget& target) {
    if (target.attribute.empty()) return true;
    for (const XML_Char** a = attributes; *a; a += 2) {
      if (target.attribute == a[0]) return target.attributeValue == a[1];
    }
    return false;
  }

  void start(const XML_Char* name, const XML_Char** attributes) {
    anyElement = true;
    if (open.empty()) {
      if (documentEnded) return;
      for (const InvoiceSyntax* known : knownSyntaxes()) {
        if (documentElementName(*known) == name) return beginDocument(*known);
      }
      return;
    }
    const int parent = open.back();
    const int node = parent == PathTree::kNone ? parent : tree->child(parent, name);
    open.push_back(node);
    if (node == PathTree::kNone) return;
    const PathNode& here = tree->node(node);
    if (here.attachment) beginAttachment(attributes);
    if (here.line) {
      line = {};
      for (const int target : tree->lineTargets()) matched[static_cast<std::size_t>(target)] = 0;
    }
    if (here.choice >= 0) {
      choiceKey.clear();
      choiceValue.clear();
      for (const int target : tree->choiceTargets()) matched[static_cast<std::size_t>(target)] = 0;
    }
    const std::size_t targetsFrom = capturedTargets.size();
    for (const int target : here.targets) {
      char& seen = matched[static_cast<std::size_t>(target)];
      if (seen || !attributeHolds(attributes, tree->target(target))) continue;
      seen = 1;
      capturedTargets.push_back(target);
    }
    if (capturedTargets.size() > targetsFrom) {
      captures.push_back({open.size(), text.size(), targetsFrom});
    }
  }

  void beginAttachment(const XML_Char** attributes) {
    Attachment attachment;
    for (const XML_Char** a = attributes; *a; a += 2) {
      if (std::string_view(a[0]) != "filename") continue;
      attachment.name = a[1];
      attachment.name.resize(makeFieldText(attachment.name.data(), attachment.name.size()));
    }
    if (attachment.name.empty()) {
      attachment.name = "Anlage " + std::to_string(invoice.attachments.size() + 1);
    }
    invoice.attachments.push_back(std::move(attachment));
    attachmentDepth = open.size();
  }

  // Base64 text with line breaks: beyond this it cannot fit the limit.
  static constexpr std::size_t kMostAttachmentText = kMostAttachmentBytes / 3 * 4 * 2;

  void attachmentText(const XML_Char* data, std::size_t length) {
    Attachment& attachment = invoice.attachments.back();
    if (attachment.tooLarge) return;
    if (attachment.base64.size() + length > kMostAttachmentText) {
      attachment.tooLarge = true;
      attachment.base64.clear();
      attachment.base64.shrink_to_fit();
      return;
    }
    attachment.base64.append(data, length);
  }

  void deliver(Field field, int rank, std::string value) {
    if (value.empty()) return;
    if (isLineField(field)) {
      // A line's fields have no fallbacks: the first match is the one.
      fieldText(line, field) = std::move(value);
      return;
    }
    int& best = rankOf[static_cast<std::size_t>(field)];
    if (rank >= best) return;
    best = rank;
    fieldText(invoice, field) = std::move(value);
  }

  void end() {
    if (open.empty()) return;
    if (!captures.empty() && captures.back().depth == open.size()) {
      const Capture capture = captures.back();
      captures.pop_back();
      // The outermost text is handed over whole: a long note is not copied.
      const std::size_t length =
          makeFieldText(text.data() + capture.textFrom, text.size() - capture.textFrom);
      std::string value;
      if (capture.textFrom == 0) {
        text.resize(length);
        value = std::exchange(text, {});
      } else {
        value = text.substr(capture.textFrom, length);
        text.resize(capture.textFrom);
      }
      for (std::size_t i = capture.targetsFrom; i < capturedTargets.size(); ++i) {
        const PathTarget& target = tree->target(capturedTargets[i]);
        // The last target takes the text itself, the others a copy.
        std::string piece = i + 1 == capturedTargets.size() ? std::move(value) : value;
        if (target.kind == PathTarget::Kind::ChoiceKey) {
          choiceKey = std::move(piece);
        } else if (target.kind == PathTarget::Kind::ChoiceValue) {
          choiceValue = std::move(piece);
        } else {
          deliver(target.field, target.rank, std::move(piece));
        }
      }
      capturedTargets.resize(capture.targetsFrom);
    }
    if (attachmentDepth == open.size()) attachmentDepth = 0;
    const int node = open.back();
    open.pop_back();
    if (node != PathTree::kNone) {
      const PathNode& here = tree->node(node);
      if (here.line) invoice.lines.push_back(std::move(line));
      if (here.choice >= 0) {
        const FieldChoice& choice = syntax->choices[static_cast<std::size_t>(here.choice)];
        deliver(choiceKey == choice.key ? choice.whenKey : choice.otherwise, 0, choiceValue);
      }
    }
    if (open.empty()) documentEnded = true;
  }

  static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char** attributes) {
    static_cast<State*>(self)->start(name, attributes);
  }
  static void XMLCALL onEnd(void* self, const XML_Char*) { static_cast<State*>(self)->end(); }
  static void XMLCALL onText(void* self, const XML_Char* data, int length) {
    auto* state = static_cast<State*>(self);
    if (!state->captures.empty()) state->text.append(data, static_cast<std::size_t>(length));
    if (state->attachmentDepth != 0 && state->attachmentContents == AttachmentContents::Keep) {
      state->attachmentText(data, static_cast<std::size_t>(length));
    }
  }

  void parse(const char* data, std::size_t length, bool last) {
    if (XML_Parse(parser, data, static_cast<int>(length), last) == XML_STATUS_OK) return;
    // Nothing but whitespace or comments: no element at all.
    if (XML_GetErrorCode(parser) == XML_ERROR_NO_ELEMENTS && !anyElement) {
      throw Exception(std::string(kNotAnInvoice));
    }
    throw Exception(notWellFormed(parser));
  }
};

InvoiceParser::InvoiceParser(AttachmentContents contents) : m_state(std::make_unique<State>()) {
  m_state->attachmentContents = contents;
}
InvoiceParser::~InvoiceParser() = default;

void InvoiceParser::feed(std::string_view bytes) {
  State& s = *m_state;
  // Bytes 26 at the very end, among whitespace, are held back: the end of an
  // old-style text file. Anything after them makes them part of the text,
  // where they are not allowed.
  std::size_t tail = bytes.size();
  while (tail > 0 && (isXmlSpace(bytes[tail - 1]) || bytes[tail - 1] == kEndOfFile)) --tail;
  if (s.ctrlZPending) {
    if (tail == 0) return;
    s.ctrlZPending = false;
    s.parse(&kEndOfFile, 1, false);
  }
  std::size_t keep = bytes.find(kEndOfFile, tail);
  if (keep == std::string_view::npos) {
    keep = bytes.size();
  } else {
    s.ctrlZPending = true;
  }
  // Large inputs go in blocks: the parser's own int lengths.
  for (std::size_t at = 0; at < keep; at += kBlockSize) {
    s.parse(bytes.data() + at, std::min(kBlockSize, keep - at), false);
  }
}

Invoice InvoiceParser::finish() {
  State& s = *m_state;
  s.parse(nullptr, 0, true);
  if (!s.syntax) throw Exception(std::string(kNotAnInvoice));
  Invoice& invoice = s.invoice;
  for (std::string* date : {&invoice.issueDate, &invoice.dueDate, &invoice.deliveryDate}) {
    *date = displayDate(*date, s.syntax->dates);
  }
  return std::move(invoice);
}

Invoice readInvoice(std::string_view bytes, AttachmentContents contents) {
  InvoiceParser parser(contents);
  parser.feed(bytes);
  return parser.finish();
}

Invoice readInvoiceFile(const std::string& path, AttachmentContents contents) {
  ByteFileReader file(path);
  InvoiceParser parser(contents);
  std::vector<char> block(kBlockSize);
  while (const std::size_t got = file.read(block.data(), block.size())) {
    parser.feed(std::string_view(block.data(), got));
  }
  return parser.finish();
}

}  // namespace lumora
