// Times Find on a Contents list of 200,000 rows shown in a real view
// (offscreen): one search over every row's shown columns, the selection and
// the scroll to the row found, and the repaint. Texts that hit near the top,
// near the end, nowhere, and one beyond ASCII (matched on the text shown).
// The peer, measured in the same run, is a case-sensitive std::string_view
// find over the same cells.
#include "app/lists/RowListModel.h"
#include "app/mainwindow/RowFinder.h"
#include "lists/ContentsCompare.h"
#include "lists/RowStore.h"
#include "session/KindProfile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <random>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const int rowCount = 200000;
    bw::SortState sort;
    bw::RowStore rows(bw::contentsCompare, sort, bw::contentsSortKey);
    std::mt19937 rng(7);
    for (int i = 0; i < rowCount; ++i) {
        const auto n = [&] { return std::to_string(rng() % 100000); };
        rows.add("user." + std::to_string(rng() % 10000000), {"a1b", n(), n(), n(), n(), n(), "Z", "N/A", "N/A",
                                                              "Sales", "12/10/03 13:45"});
    }
    rows.settle();
    const bw::KindProfile& profile = bw::kindProfile(bw::ScanKind::Contents);
    bw::RowListModel model(profile, rows);
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setModel(&model);
    view.resize(700, 400);
    view.show();
    QApplication::processEvents();
    const int columns = model.columnCount();

    const std::string last = rows.at(rows.placedCount() - 1).caption;
    const QString texts[] = {QStringLiteral("USER.1"), QString::fromStdString(last).toUpper(),
                             QStringLiteral("nowhere"), QString::fromUtf8("m\xc3\xbcller")};
    double worst = 0;
    for (const QString& text : texts) {
        QElapsedTimer t;
        t.start();
        const bw::RowFinder finder(text);
        const bw::RowFinder::Hit hit = finder.find(rows, model.rowCount(), columns, 0, true);
        const double findMs = static_cast<double>(t.nsecsElapsed()) / 1e6;
        if (hit.row >= 0) {
            const QModelIndex index = model.index(hit.row, 0);
            view.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            view.scrollTo(index);
        }
        QApplication::processEvents();
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        worst = std::max(worst, ms);
        std::printf("  \"%s\": row %d, %d of %d; find %.1f ms, with the view %.1f ms\n", text.toUtf8().constData(),
                    hit.row, hit.number, hit.count, findMs, ms);
    }

    QElapsedTimer t;
    t.start();
    std::size_t found = 0;
    for (std::size_t i = 0; i < rows.placedCount(); ++i) {
        const bw::Row& row = rows.at(i);
        for (int c = 0; c < columns; ++c)
            found += row.column(c).find("nowhere") != std::string_view::npos;
    }
    const double peer = static_cast<double>(t.nsecsElapsed()) / 1e6;
    std::printf("find on %d rows: worst %.1f ms with the view; peer case-sensitive find over the same cells %.1f ms (%zu)\n",
                rowCount, worst, peer, found);
    return 0;
}
