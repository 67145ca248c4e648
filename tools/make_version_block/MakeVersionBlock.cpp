// Build tool: writes a C++ source holding a program's version block as a
// byte array, which the program's executable then carries.
//   make_version_block OUT.cpp VERSION COMPANY COPYRIGHT PRODUCT DESCRIPTION FILE_NAME

#include "versioninfo/VersionBlockWriter.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 8) {
        std::fprintf(stderr,
                     "usage: make_version_block OUT.cpp VERSION COMPANY COPYRIGHT PRODUCT DESCRIPTION FILE_NAME\n");
        return 2;
    }
    // Arguments come from CMake as UTF-8, whatever the build's locale.
    const auto arg = [argv](int i) { return QString::fromUtf8(argv[i]); };
    const QString version = arg(2);
    const QString table = QStringLiteral("040904b0"); // U.S. English, UTF-16
    bw::VersionBlockWriter writer;
    writer.setFileVersion(bw::VersionBlockWriter::versionNumbers(version));
    writer.setProductVersion(bw::VersionBlockWriter::versionNumbers(version));
    writer.addString(table, QStringLiteral("CompanyName"), arg(3));
    writer.addString(table, QStringLiteral("FileDescription"), arg(6));
    writer.addString(table, QStringLiteral("FileVersion"), version);
    writer.addString(table, QStringLiteral("InternalName"), arg(7));
    writer.addString(table, QStringLiteral("LegalCopyright"), arg(4));
    writer.addString(table, QStringLiteral("OriginalFileName"), arg(7));
    writer.addString(table, QStringLiteral("ProductName"), arg(5));
    writer.addString(table, QStringLiteral("ProductVersion"), version);
    writer.addTranslation(0x0409, 0x04b0);
    const QByteArray block = writer.block();

    QByteArray text =
        "// Written by make_version_block at build time.\n"
        "// Kept although nothing refers to it: the version reader finds it in the file.\n"
        "extern const unsigned char brindlewickVersionBlock[];\n"
        "alignas(4) [[gnu::used]] const unsigned char brindlewickVersionBlock[] = {";
    for (qsizetype i = 0; i < block.size(); ++i) {
        text += i % 16 == 0 ? "\n    " : " ";
        text += QByteArray::number(static_cast<unsigned char>(block[i])) + ',';
    }
    text += "\n};\n";

    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out
        || std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), out)
               != static_cast<std::size_t>(text.size())
        || std::fclose(out) != 0) {
        std::fprintf(stderr, "make_version_block: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
