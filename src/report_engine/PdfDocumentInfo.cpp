#include "report_engine/PdfDocumentInfo.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <memory>

namespace bw {

std::string PdfDocumentInfo::apply(const std::string& pdf, const std::string& author, const std::string& title,
                                   const std::string& subject, std::string& error)
{
    try {
        QPDF doc;
        doc.processMemoryFile("report", pdf.data(), pdf.size());
        QPDFObjectHandle trailer = doc.getTrailer();
        QPDFObjectHandle info = trailer.getKey("/Info");
        if (!info.isDictionary()) {
            info = doc.makeIndirectObject(QPDFObjectHandle::newDictionary());
            trailer.replaceKey("/Info", info);
        }
        info.replaceKey("/Author", QPDFObjectHandle::newUnicodeString(author));
        info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title));
        info.replaceKey("/Subject", QPDFObjectHandle::newUnicodeString(subject));
        QPDFWriter writer(doc);
        writer.setOutputMemory();
        writer.write();
        const std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
        return std::string(reinterpret_cast<const char*>(out->getBuffer()), out->getSize());
    } catch (const std::exception& e) {
        error = e.what();
        return {};
    }
}

} // namespace bw
