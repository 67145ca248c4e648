#include "report_engine/SystemPrinterList.h"

#include <QPrinterInfo>

namespace bw {

SystemPrinterList::SystemPrinterList()
{
    // The same list PrintJob::printerAt indexes.
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    for (const QPrinterInfo& info : printers) {
        if (info.printerName() == defaultName)
            m_default = static_cast<int>(m_names.size());
        m_names << info.printerName();
    }
    // Without a default the first printer stands in for it, as a job with
    // printer index -1 would print there too.
    setToDefault();
}

void SystemPrinterList::setPrinterIndex(int index)
{
    if (index >= 0 && index < count())
        m_current = index;
}

void SystemPrinterList::setToDefault()
{
    m_current = m_default >= 0 ? m_default : (isEmpty() ? -1 : 0);
}

} // namespace bw
