#pragma once

#include <string>

namespace bw {

// Sets a PDF's document information with qpdf. Kept to the standard
// library: qpdf's headers build as C++17 only under Clang, so this file is
// compiled on its own.
class PdfDocumentInfo {
public:
    // Reads the PDF at from and writes it to to with author, title and
    // subject (UTF-8) in its document information; false, with error set,
    // when the PDF cannot be read or written. Files, so that a large report
    // is never held in memory.
    static bool apply(const std::string& from, const std::string& to, const std::string& author,
                      const std::string& title, const std::string& subject, std::string& error);
};

} // namespace bw
