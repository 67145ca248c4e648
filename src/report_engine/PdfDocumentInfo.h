#pragma once

#include <string>

namespace bw {

// Sets a PDF's document information with qpdf. Kept to the standard
// library: qpdf's headers build as C++17 only under Clang, so this file is
// compiled on its own.
class PdfDocumentInfo {
public:
    // The PDF with author, title and subject (UTF-8) in its document
    // information; empty, with error set, when the PDF cannot be read.
    static std::string apply(const std::string& pdf, const std::string& author, const std::string& title,
                             const std::string& subject, std::string& error);
};

} // namespace bw
