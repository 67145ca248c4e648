#include "app/lists/ListHeader.h"

#include <QApplication>
#include <QImage>
#include <QStandardItemModel>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace bw;

namespace {

// Counts the headings it paints itself rather than from its picture.
class CountingHeader : public ListHeader {
public:
    using ListHeader::ListHeader;
    mutable int painted = 0;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        ++painted;
        ListHeader::paintSection(painter, rect, logicalIndex);
    }
};

struct List {
    QStandardItemModel model{0, 4};
    QTreeView view;

    explicit List(QHeaderView* header = nullptr)
    {
        model.setHorizontalHeaderLabels({"User Name", "User FID", "InBox", "Flag"});
        if (header)
            view.setHeader(header);
        view.setModel(&model);
        view.header()->setSectionsClickable(true);
        view.setGeometry(100, 100, 500, 200); // away from the pointer
        view.show();
    }

    QImage heading() { return view.header()->viewport()->grab().toImage(); }
};

void settle()
{
    // A paint, then the picture taken after it.
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

} // namespace

TEST(ListHeader, LooksLikeAPlainHeaderAfterEveryChangeAndRepaintsRowsFromItsPicture)
{
    auto* header = new CountingHeader;
    List list(header);
    List plain; // the list's own header
    const auto both = [&](const auto& change) {
        change(list);
        change(plain);
        settle();
        EXPECT_EQ(list.heading(), plain.heading());
        EXPECT_EQ(list.view.header()->sectionSize(3), plain.view.header()->sectionSize(3));
    };
    both([](List&) {});

    // Rows coming and going leave the headings as they are: no heading is
    // painted again, though the list has its header repaint.
    const int painted = header->painted;
    for (int i = 0; i < 5; ++i) {
        both([](List& l) { l.model.appendRow({new QStandardItem("AL"), new QStandardItem("a1")}); });
        both([](List& l) { l.model.removeRows(0, l.model.rowCount()); });
    }
    EXPECT_EQ(header->painted, painted);

    both([](List& l) { l.view.header()->setSortIndicatorShown(true); });
    both([](List& l) { l.view.header()->setSortIndicator(2, l.view.header()->sortIndicatorOrder()); });
    both([](List& l) { l.view.header()->setSortIndicator(2, Qt::AscendingOrder); });
    both([](List& l) { l.view.header()->setSortIndicator(2, Qt::DescendingOrder); });
    both([](List& l) { l.view.header()->resizeSection(0, 150); });
    both([](List& l) { l.view.resize(620, 200); }); // the last column takes the width
    both([](List& l) { l.view.header()->moveSection(1, 3); });
    both([](List& l) { l.model.setHeaderData(1, Qt::Horizontal, "FID"); });
    both([](List& l) { l.view.setEnabled(false); });
    // A column fitted to its contents still follows the rows.
    both([](List& l) { l.view.header()->setSectionResizeMode(1, QHeaderView::ResizeToContents); });
    both([](List& l) { l.model.appendRow({new QStandardItem("AL"), new QStandardItem("a very long file ID")}); });
    EXPECT_EQ(list.view.header()->sectionSize(1), plain.view.header()->sectionSize(1));
    EXPECT_GT(list.view.header()->sectionSize(1), list.view.fontMetrics().horizontalAdvance("a very long file ID"));
    EXPECT_GT(header->painted, painted);
}
