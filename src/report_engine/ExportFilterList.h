#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace bw {

class ExportFilter;

// The export filters the program offers, in the order they were added:
// each with its name, its extension and how to make one for a file name.
class ExportFilterList {
public:
    struct Entry {
        QString name;
        QString extension;
        std::function<std::unique_ptr<ExportFilter>(const QString& fileName)> create;
    };

    // Adds an entry for as long as the registration lives.
    class Registration {
    public:
        Registration() = default;
        explicit Registration(Entry entry);
        Registration(Registration&& other) noexcept;
        Registration& operator=(Registration&& other) noexcept;
        ~Registration();

    private:
        int m_id = 0;
    };

    static std::vector<Entry> entries();
    // The filter at position (from 0) for the file; nothing outside the list.
    static std::unique_ptr<ExportFilter> create(int position, const QString& fileName);
    // The save dialog's filter text: the page file's entry, then one entry
    // per filter, "Name (*.EXT)|*.EXT", all joined by "|".
    static QString saveDialogFilter();
};

} // namespace bw
