#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bw {

// The text a row's sub-items live in. Changing a value moves what follows it
// once and copies the value once, with no filling in between: a contents row
// is changed four or five times as its record is read. A text of a usual
// row's length lies in the row itself, so that reading a row reads one block
// of memory and making or freeing one costs no allocation.
class RowText {
public:
    static constexpr std::size_t inlineBytes = 72;

    RowText() = default;
    RowText(const RowText& other) { assign(other.view()); }
    RowText(RowText&& other) noexcept { take(other); }
    RowText& operator=(const RowText& other)
    {
        if (this != &other)
            assign(other.view());
        return *this;
    }
    RowText& operator=(RowText&& other) noexcept
    {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    ~RowText() { release(); }

    std::string_view view() const { return {m_data, m_size}; }
    std::size_t size() const { return m_size; }
    const char* data() const { return m_data; }

    void clear() { m_size = 0; }
    void assign(std::string_view text);
    void append(std::string_view text);
    // Replaces the length bytes at start by room for count bytes, which the
    // caller fills; returns where the room begins.
    char* splice(std::size_t start, std::size_t length, std::size_t count);

private:
    bool onHeap() const { return m_data != m_inline; }
    void release()
    {
        if (onHeap())
            delete[] m_data;
    }
    // Takes other's text and leaves other empty.
    void take(RowText& other) noexcept;
    // A new buffer for at least n bytes, which becomes the capacity; the
    // caller moves the text over and frees the old one.
    char* allocate(std::size_t n);

    char* m_data = m_inline;
    std::uint32_t m_size = 0; // the row's ends are 32 bits too
    std::uint32_t m_capacity = inlineBytes;
    char m_inline[inlineBytes];
};

// One list row: a caption and text sub-items (sub-item k shows in column
// k + 1). Values are log bytes as cut, never decoded.
//
// The sub-items live in one text, a tab before each but the first, so that
// a row is one block of memory (two for a long text) however many values it
// has: large sections hold rows by the hundred thousand and are read in list
// order. A row fills three cache lines.
struct alignas(64) Row {
    // More than any kind of row has.
    static constexpr std::size_t maxSubItems = 12;

    Row() = default;
    Row(std::string caption, const std::vector<std::string>& subItems)
        : caption(std::move(caption))
    {
        setSubItems(subItems);
    }

    std::string caption;

    std::size_t subItemCount() const { return m_count; }
    // Sub-item k; empty past the last.
    std::string_view subItem(std::size_t k) const
    {
        if (k >= m_count)
            return {};
        const std::size_t start = startOf(k);
        return m_items.view().substr(start, m_ends[k] - start);
    }
    // Sub-item k takes the value; past the last nothing changes. Views of
    // this row's values are not valid afterwards.
    void setSubItem(std::size_t k, std::string_view value);
    // Sub-items first, first + 1, ... take the values in one change of the
    // text (a record line sets neighbouring values together); those past the
    // last are left out.
    void setSubItemsFrom(std::size_t first, std::initializer_list<std::string_view> values);
    // Sets every sub-item, the first maxSubItems of them.
    void setSubItems(const std::vector<std::string>& items);
    void copySubItems(const Row& from);
    std::vector<std::string> subItems() const;
    // Every sub-item in order, each after the first behind a tab.
    std::string_view subItemsJoined() const { return m_items.view(); }

    // Column 0 is the caption, column k + 1 sub-item k; missing ones read empty.
    std::string_view column(int index) const
    {
        return index <= 0 ? std::string_view(caption) : subItem(static_cast<std::size_t>(index - 1));
    }

    // Kept by the RowStore that holds the row, so that taking a row back for
    // assembly never searches the list; nothing else reads it.
    struct StorePlace {
        std::uint64_t sequence = 0; // when the row last entered the queue to be placed
        std::uint32_t slot = 0;     // its index in the store's queue
        std::uint8_t state = 0;
    };
    StorePlace place = {};
    bool checked = false;

private:
    std::size_t startOf(std::size_t k) const { return k == 0 ? 0 : m_ends[k - 1] + 1; }
    // Sub-items first to first + count - 1, as many as there are.
    void setRun(std::size_t first, const std::string_view* values, std::size_t count);

    std::uint8_t m_count = 0;
    std::array<std::uint32_t, maxSubItems> m_ends = {};
    RowText m_items;
};

} // namespace bw
