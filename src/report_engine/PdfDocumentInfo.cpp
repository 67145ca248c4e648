#include "report_engine/PdfDocumentInfo.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace bw {

bool PdfDocumentInfo::apply(const std::string& from, const std::string& to, const std::string& author,
                            const std::string& title, const std::string& subject, std::string& error)
{
    try {
        QPDF doc;
        doc.processFile(from.c_str());
        QPDFObjectHandle trailer = doc.getTrailer();
        QPDFObjectHandle info = trailer.getKey("/Info");
        if (!info.isDictionary()) {
            info = doc.makeIndirectObject(QPDFObjectHandle::newDictionary());
            trailer.replaceKey("/Info", info);
        }
        info.replaceKey("/Author", QPDFObjectHandle::newUnicodeString(author));
        info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title));
        info.replaceKey("/Subject", QPDFObjectHandle::newUnicodeString(subject));
        QPDFWriter writer(doc, to.c_str());
        writer.write();
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

} // namespace bw
