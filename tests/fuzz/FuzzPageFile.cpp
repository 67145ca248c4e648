// A page file of any bytes loads or is refused with a reason; every page a
// loaded file claims can be read back.
#include "FuzzSupport.h"

#include "report_engine/PageList.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    bw::fuzz::writeLog(std::string(reinterpret_cast<const char*>(data), size));
    bw::PageList pages;
    QString error;
    if (!pages.loadFromFile(QFile::decodeName(bw::fuzz::logPath().c_str()), &error)) {
        if (error.isEmpty())
            __builtin_trap();
        return 0;
    }
    for (int i = 1; i <= pages.pageCount(); ++i)
        (void)pages.page(i);
    return 0;
}
