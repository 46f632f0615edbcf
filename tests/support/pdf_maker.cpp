#include "pdf_maker.h"

#include <algorithm>

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace lumora::test {
namespace {

void addBlankPage(QPDF& pdf) {
  QPDFObjectHandle page = pdf.makeIndirectObject(
      QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 595 842] /Resources << >> >>"));
  QPDFPageDocumentHelper(pdf).addPage(page, false);
}

std::string written(QPDF& pdf, unsigned shape = 0, const std::string& userPassword = "") {
  QPDFWriter writer(pdf);
  writer.setOutputMemory();
  writer.setStaticID(true);
  if (shape & kObjectStreams) writer.setObjectStreamMode(qpdf_o_generate);
  if (shape & kEncrypted) {
    writer.setR6EncryptionParameters(userPassword.c_str(), "owner", true, true, true, true, true,
                                     true, qpdf_r3p_full, true);
  }
  writer.write();
  const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
  return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
}

}  // namespace

std::string makePdf(const std::vector<Attachment>& attachments, unsigned shape,
                    const std::string& userPassword) {
  QPDF pdf;
  pdf.emptyPDF();
  addBlankPage(pdf);
  QPDFObjectHandle associated = QPDFObjectHandle::newArray();
  for (const Attachment& attachment : attachments) {
    QPDFEFStreamObjectHelper stream =
        QPDFEFStreamObjectHelper::createEFStream(pdf, attachment.bytes);
    if (!attachment.subtype.empty()) stream.setSubtype(attachment.subtype);
    QPDFFileSpecObjectHelper entry =
        QPDFFileSpecObjectHelper::createFileSpec(pdf, attachment.name, stream);
    if (shape & kNameTree) {
      QPDFEmbeddedFileDocumentHelper(pdf).replaceEmbeddedFile(attachment.name, entry);
    }
    associated.appendItem(entry.getObjectHandle());
  }
  if (shape & kAssociatedFiles) pdf.getRoot().replaceKey("/AF", associated);
  return written(pdf, shape, userPassword);
}

std::string makeInflatingPdf(const std::string& name, std::size_t size) {
  Pl_Buffer deflated("deflated");
  Pl_Flate deflate("deflate", &deflated, Pl_Flate::a_deflate);
  const std::string block(1 << 20, '\0');
  for (std::size_t done = 0; done < size; done += block.size()) {
    deflate.write(reinterpret_cast<const unsigned char*>(block.data()),
                  std::min(block.size(), size - done));
  }
  deflate.finish();
  QPDF pdf;
  pdf.emptyPDF();
  addBlankPage(pdf);
  QPDFEFStreamObjectHelper stream = QPDFEFStreamObjectHelper::createEFStream(pdf, "");
  stream.getObjectHandle().replaceStreamData(deflated.getBufferSharedPointer(),
                                             QPDFObjectHandle::newName("/FlateDecode"),
                                             QPDFObjectHandle::newNull());
  QPDFEmbeddedFileDocumentHelper(pdf).replaceEmbeddedFile(
      name, QPDFFileSpecObjectHelper::createFileSpec(pdf, name, stream));
  return written(pdf);
}

std::string makeLoopingNameTreePdf() {
  QPDF pdf;
  pdf.emptyPDF();
  addBlankPage(pdf);
  QPDFObjectHandle tree = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
  tree.replaceKey("/Kids", QPDFObjectHandle::newArray({tree}));
  QPDFObjectHandle names = QPDFObjectHandle::newDictionary();
  names.replaceKey("/EmbeddedFiles", tree);
  pdf.getRoot().replaceKey("/Names", names);
  return written(pdf);
}

}  // namespace lumora::test
