#include "invoice/qpdf_embedded_files.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <cstdio>
#include <set>
#include <stdexcept>
#include <vector>

#include "platform/exceptions.h"
#include "platform/regular_file.h"

namespace lumora {
namespace {

// Name trees of real PDFs are a few levels deep with a few nodes.
constexpr int kDeepestNameTree = 32;
constexpr std::size_t kMostNameTreeNodes = 10000;

// qpdf's own words for what it could not read, without the file name that
// it puts in front (the caller names the file).
std::string reasonOf(const std::exception& error) {
  if (const auto* pdfError = dynamic_cast<const QPDFExc*>(&error)) {
    return pdfError->getMessageDetail();
  }
  return error.what();
}

[[noreturn]] void throwUnreadable(const std::exception& error) {
  if (const auto* pdfError = dynamic_cast<const QPDFExc*>(&error);
      pdfError && pdfError->getErrorCode() == qpdf_e_password) {
    throw Exception(std::string(kPdfEncrypted));
  }
  throw Exception(std::string(kPdfDamaged) + ": " + quotedExcerpt(reasonOf(error)));
}

// Collects decoded bytes and stops the decoding, by throwing, once there
// would be more than the limit: a few kilobytes of deflated zeros would
// otherwise grow into gigabytes.
class BoundedSink final : public Pipeline {
 public:
  BoundedSink() : Pipeline("bounded sink", nullptr) {}
  void write(unsigned char const* data, size_t length) override {
    if (length > kMostEmbeddedFileBytes - bytes.size()) {
      overflowed = true;
      throw std::length_error("embedded file too large");
    }
    bytes.append(reinterpret_cast<const char*>(data), length);
  }
  void finish() override {}

  std::string bytes;
  bool overflowed = false;
};

// The value of `key` in `dictionary`, null when it is no dictionary: qpdf
// would note a warning for that, which is no damage of the file.
QPDFObjectHandle dictionaryKey(QPDFObjectHandle dictionary, const char* key) {
  return dictionary.isDictionary() ? dictionary.getKey(key) : QPDFObjectHandle::newNull();
}

// The name a file entry (the dictionary that describes one embedded file)
// gives: /UF (Unicode), else /F, else `fallback`.
std::string fileEntryName(QPDFObjectHandle entry, const std::string& fallback) {
  for (const char* key : {"/UF", "/F"}) {
    QPDFObjectHandle name = dictionaryKey(entry, key);
    if (name.isString() && !name.getUTF8Value().empty()) return name.getUTF8Value();
  }
  return fallback;
}

// The embedded file stream of a file entry, or null.
QPDFObjectHandle embeddedStream(QPDFObjectHandle entry) {
  QPDFObjectHandle streams = dictionaryKey(entry, "/EF");
  for (const char* key : {"/UF", "/F"}) {
    QPDFObjectHandle stream = dictionaryKey(streams, key);
    if (stream.isStream()) return stream;
  }
  return QPDFObjectHandle::newNull();
}

class QpdfEmbeddedFiles final : public EmbeddedFiles {
 public:
  QpdfEmbeddedFiles() {
    m_pdf.setSuppressWarnings(true);
    m_pdf.setAttemptRecovery(true);
  }

  void open(FILE* file) {
    try {
      m_pdf.processFile("PDF", file, true);
    } catch (const std::exception& error) {
      throwUnreadable(error);
    }
    collect();
  }

  void open(std::string_view bytes) {
    try {
      m_pdf.processMemoryFile("PDF", bytes.data(), bytes.size());
    } catch (const std::exception& error) {
      throwUnreadable(error);
    }
    collect();
  }

  const std::vector<EmbeddedFile>& files() const override { return m_files; }
  const std::string& damage() const override { return m_damage; }

  bool read(std::size_t index, std::string& bytes, std::string& error) const override {
    if (index >= m_files.size()) {
      error = "Die eingebettete Datei " + std::to_string(index + 1) + " gibt es nicht";
      return false;
    }
    const std::string& name = m_files[index].name;
    BoundedSink sink;
    bool decoded = false;
    bool filtered = false;
    try {
      decoded =
          m_streams[index].pipeStreamData(&sink, &filtered, 0, qpdf_dl_specialized, true, false);
    } catch (const std::exception&) {
      decoded = false;
    }
    if (sink.overflowed) {
      error = "Die eingebettete Datei " + quotedExcerpt(name) + " ist größer als " +
              std::to_string(kMostEmbeddedFileBytes / (1024 * 1024)) + " MB";
      return false;
    }
    if (!decoded || !filtered) {
      error = "Die eingebettete Datei " + quotedExcerpt(name) +
              " ist beschädigt und kann nicht gelesen werden";
      return false;
    }
    bytes = std::move(sink.bytes);
    return true;
  }

 private:
  // The name tree first, then the associated files; damage in one of them
  // keeps what was found before it and does not hide the other.
  void collect() {
    QPDFObjectHandle root;
    try {
      root = m_pdf.getRoot();
    } catch (const std::exception& error) {
      throwUnreadable(error);
    }
    try {
      QPDFObjectHandle names = dictionaryKey(root, "/Names");
      QPDFObjectHandle tree = dictionaryKey(names, "/EmbeddedFiles");
      std::set<QPDFObjGen> visited;
      if (tree.isDictionary()) walkNameTree(tree, 0, visited);
    } catch (const std::exception& error) {
      noteDamage(error);
    }
    try {
      QPDFObjectHandle associated = dictionaryKey(root, "/AF");
      if (associated.isArray()) {
        const int count = associated.getArrayNItems();
        for (int i = 0; i < count && m_files.size() < kMostEmbeddedFiles; ++i) {
          add(associated.getArrayItem(i), "");
        }
      }
    } catch (const std::exception& error) {
      noteDamage(error);
    }
    // What qpdf repaired on the way, such as a lost cross-reference table.
    if (m_damage.empty() && m_pdf.anyWarnings()) {
      m_damage = m_pdf.getWarnings().front().getMessageDetail();
    }
  }

  // The name tree's leaves in order. Walked here rather than by qpdf's
  // helper, which follows a chain of a million nodes and holds all of it.
  void walkNameTree(QPDFObjectHandle node, int depth, std::set<QPDFObjGen>& visited) {
    if (depth > kDeepestNameTree || visited.size() >= kMostNameTreeNodes) {
      throw std::runtime_error("EmbeddedFiles name tree too deep or too large");
    }
    if (node.isIndirect() && !visited.insert(node.getObjGen()).second) {
      throw std::runtime_error("loop in the EmbeddedFiles name tree");
    }
    QPDFObjectHandle names = dictionaryKey(node, "/Names");
    const int count = names.isArray() ? names.getArrayNItems() : 0;
    for (int i = 0; i + 1 < count && m_files.size() < kMostEmbeddedFiles; i += 2) {
      QPDFObjectHandle key = names.getArrayItem(i);
      add(names.getArrayItem(i + 1), key.isString() ? key.getUTF8Value() : "");
    }
    QPDFObjectHandle kids = dictionaryKey(node, "/Kids");
    const int kidCount = kids.isArray() ? kids.getArrayNItems() : 0;
    for (int i = 0; i < kidCount && m_files.size() < kMostEmbeddedFiles; ++i) {
      walkNameTree(kids.getArrayItem(i), depth + 1, visited);
    }
  }

  void add(QPDFObjectHandle entry, const std::string& key) {
    QPDFObjectHandle stream = embeddedStream(entry);
    if (stream.isNull() || !m_seen.insert(stream.getObjGen()).second) return;
    std::string subtype;
    if (QPDFObjectHandle type = dictionaryKey(stream.getDict(), "/Subtype"); type.isName()) {
      subtype = type.getName().substr(1);
    }
    m_files.push_back({fileEntryName(entry, key), subtype});
    m_streams.push_back(stream);
  }

  void noteDamage(const std::exception& error) {
    if (m_damage.empty()) m_damage = reasonOf(error);
  }

  mutable QPDF m_pdf;
  std::vector<EmbeddedFile> m_files;
  mutable std::vector<QPDFObjectHandle> m_streams;  // beside m_files
  std::set<QPDFObjGen> m_seen;
  std::string m_damage;
};

}  // namespace

std::unique_ptr<EmbeddedFiles> readPdfEmbeddedFiles(const std::string& path) {
  FILE* file = openRegularFileStream(path);
  auto pdf = std::make_unique<QpdfEmbeddedFiles>();
  pdf->open(file);
  return pdf;
}

std::unique_ptr<EmbeddedFiles> readPdfEmbeddedFilesFromMemory(std::string_view bytes) {
  auto pdf = std::make_unique<QpdfEmbeddedFiles>();
  pdf->open(bytes);
  return pdf;
}

}  // namespace lumora
