#pragma once

#include <QStringList>

namespace bw {

// The installed printers in the system's order, as PrintJob's printer index
// counts them, with the default among them and a current entry.
class SystemPrinterList {
public:
    // Reads the system's list once; it does not follow later changes.
    SystemPrinterList();

    const QStringList& names() const { return m_names; }
    int count() const { return static_cast<int>(m_names.size()); }
    bool isEmpty() const { return m_names.isEmpty(); }

    // -1 when the list is empty.
    int printerIndex() const { return m_current; }
    // Requests outside the list are ignored.
    void setPrinterIndex(int index);
    void setToDefault();

private:
    QStringList m_names;
    int m_default = -1; // the default printer's position; -1 when there is none
    int m_current = -1;
};

} // namespace bw
