// The version reader over any file: a block found anywhere in the bytes, or
// none, gives values or one of the reader's own errors, never a crash.
#include "FuzzSupport.h"

#include "versioninfo/VersionBlock.h"
#include "versioninfo/VersionInfo.h"
#include "versioninfo/VersionInfoError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const bw::VersionBlock::Location at = bw::VersionBlock::find(bytes);
    if (at.offset >= 0) {
        if (at.offset + at.size > bytes.size())
            __builtin_trap();
        const bw::VersionBlock block(bytes.mid(at.offset, at.size));
        (void)block.query(u"\\VarFileInfo\\Translation");
        (void)block.query(u"\\StringFileInfo\\040904b0\\CompanyName");
    }
    bw::fuzz::writeLog(bytes.toStdString());
    try {
        bw::VersionInfo info;
        info.setFileName(QFile::decodeName(bw::fuzz::logPath().c_str()));
        for (int key = 0; key <= 11; ++key)
            (void)info.value(key);
    } catch (const bw::VersionInfoError&) {
    }
    return 0;
}
