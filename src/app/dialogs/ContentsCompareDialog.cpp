#include "app/dialogs/ContentsCompareDialog.h"

#include "base/DisplayText.h"
#include "base/ExportFile.h"
#include "base/Prompter.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QColor>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace bw {

// The compared users as a table; the sort role holds numbers as numbers.
class ComparisonModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setUsers(ContentsComparison::Users users)
    {
        beginResetModel();
        m_users = std::move(users);
        endResetModel();
    }
    const ContentsComparison::Users& users() const { return m_users; }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_users.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(ContentsComparison::columnNames().size());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return ContentsComparison::columnNames().value(section);
        return {};
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const ContentsComparison::User& u = m_users[static_cast<std::size_t>(index.row())];
        const int column = index.column();
        if (role == Qt::DisplayRole)
            return displayText(ContentsComparison::values(u)[static_cast<std::size_t>(column)]);
        if (role == Qt::UserRole) {
            const auto number = [](const std::optional<std::int64_t>& v) {
                return v ? QVariant(static_cast<qlonglong>(*v)) : QVariant();
            };
            switch (column) {
            case 2:
                return number(u.oldTotal);
            case 3:
                return number(u.newTotal);
            case 4:
                return number(u.change());
            case 5: {
                const auto c = u.change();
                return c && *u.oldTotal != 0 ? QVariant(static_cast<double>(*c) / static_cast<double>(*u.oldTotal))
                                             : QVariant();
            }
            default:
                return displayText(ContentsComparison::values(u)[static_cast<std::size_t>(column)]);
            }
        }
        if (role == Qt::ForegroundRole && (column == 4 || column == 5)) {
            const auto c = u.change();
            if (c && *c > 0)
                return QBrush(QColor(0xB0, 0x00, 0x00));
            if (c && *c < 0)
                return QBrush(QColor(0x00, 0x80, 0x00));
        }
        if (role == Qt::FontRole && u.state != ContentsComparison::State::Both) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        if (role == Qt::TextAlignmentRole && column >= 2 && column <= 5)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }

private:
    ContentsComparison::Users m_users;
};

namespace {

// Values without one sort after all that have one, whichever the direction.
class ComparisonSort : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& a, const QModelIndex& b) const override
    {
        const QVariant va = a.data(Qt::UserRole), vb = b.data(Qt::UserRole);
        if (va.isValid() != vb.isValid())
            return sortOrder() == Qt::AscendingOrder ? va.isValid() : !va.isValid();
        if (!va.isValid())
            return false;
        if (va.typeId() == QMetaType::QString)
            return QString::compare(va.toString(), vb.toString(), Qt::CaseInsensitive) < 0;
        return QVariant::compare(va, vb) == QPartialOrdering::Less;
    }
};

QByteArray nativeName(const QString& text)
{
    return QFile::encodeName(text);
}

} // namespace

ContentsCompareDialog::ContentsCompareDialog(Prompter& prompter, const QString& newLog, QWidget* parent)
    : QDialog(parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("ContentsCompareDialog"));
    setWindowTitle(tr("Compare Contents Logs"));
    auto* layout = new QVBoxLayout(this);
    auto* files = new QGridLayout;
    m_oldLog = new QLineEdit;
    m_oldLog->setObjectName(QStringLiteral("oldLog"));
    m_newLog = new QLineEdit(newLog);
    m_newLog->setObjectName(QStringLiteral("newLog"));
    auto* oldPick = new QPushButton(tr("B&rowse..."));
    auto* newPick = new QPushButton(tr("Br&owse..."));
    auto* oldLabel = new QLabel(tr("&Older log:"));
    auto* newLabel = new QLabel(tr("&Newer log:"));
    oldLabel->setBuddy(m_oldLog);
    newLabel->setBuddy(m_newLog);
    files->addWidget(oldLabel, 0, 0);
    files->addWidget(m_oldLog, 0, 1);
    files->addWidget(oldPick, 0, 2);
    files->addWidget(newLabel, 1, 0);
    files->addWidget(m_newLog, 1, 1);
    files->addWidget(newPick, 1, 2);
    layout->addLayout(files);

    auto* actions = new QHBoxLayout;
    m_compare = new QPushButton(tr("&Compare"));
    m_compare->setObjectName(QStringLiteral("compareButton"));
    m_compare->setDefault(true);
    m_progress = new QProgressBar;
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_progress->setVisible(false);
    m_export = new QPushButton(tr("&Export..."));
    m_export->setObjectName(QStringLiteral("exportButton"));
    m_export->setEnabled(false);
    actions->addWidget(m_compare);
    actions->addWidget(m_progress, 1);
    actions->addStretch();
    actions->addWidget(m_export);
    layout->addLayout(actions);

    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    m_model = new ComparisonModel(this);
    m_sorted = new ComparisonSort(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole);
    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("comparisonTable"));
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table, 1);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Close);
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(oldPick, &QPushButton::clicked, this, [this] { pick(m_oldLog, tr("Select the Older Contents Log")); });
    connect(newPick, &QPushButton::clicked, this, [this] { pick(m_newLog, tr("Select the Newer Contents Log")); });
    connect(m_compare, &QPushButton::clicked, this, &ContentsCompareDialog::onCompareClicked);
    connect(m_export, &QPushButton::clicked, this, &ContentsCompareDialog::onExportClicked);
    const QFontMetrics fm = fontMetrics();
    resize(fm.horizontalAdvance(QLatin1Char('x')) * 110, fm.height() * 30);
}

ContentsCompareDialog::~ContentsCompareDialog()
{
    stopWorker();
}

void ContentsCompareDialog::pick(QLineEdit* box, const QString& title)
{
    const QString start = box->text().isEmpty() ? m_newLog->text() : box->text();
    if (const auto path = m_prompter.openFile(title, tr("Log Files (*.log);;All Files (*)"), start))
        box->setText(*path);
}

void ContentsCompareDialog::stopWorker()
{
    if (!m_worker)
        return;
    m_work->stop = true;
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
}

void ContentsCompareDialog::onCompareClicked()
{
    if (m_worker)
        return;
    if (m_oldLog->text().isEmpty() || m_newLog->text().isEmpty()) {
        m_prompter.message(tr("Select both logs to compare"));
        return;
    }
    m_work = std::make_unique<Work>();
    m_work->before = nativeName(m_oldLog->text());
    m_work->after = nativeName(m_newLog->text());
    Work* work = m_work.get();
    m_worker = QThread::create([work] {
        const auto half = [work](int base) {
            return [work, base](double share) {
                work->permille = base + static_cast<int>(share * 500);
                return !work->stop.load();
            };
        };
        work->ok = ContentsComparison::readRun(work->before, work->old, work->error, half(0)) &&
                   ContentsComparison::readRun(work->after, work->now, work->error, half(500));
    });
    m_compare->setEnabled(false);
    m_export->setEnabled(false);
    m_progress->setValue(0);
    m_progress->setVisible(true);
    m_summary->setText(tr("Scanning the logs..."));
    auto* timer = new QTimer(this);
    timer->setInterval(50);
    connect(timer, &QTimer::timeout, this, [this] { m_progress->setValue(m_work->permille); });
    connect(m_worker, &QThread::finished, timer, &QObject::deleteLater);
    connect(m_worker, &QThread::finished, this, &ContentsCompareDialog::finish);
    timer->start();
    m_worker->start();
}

void ContentsCompareDialog::finish()
{
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    m_progress->setVisible(false);
    m_compare->setEnabled(true);
    if (!m_work->ok) {
        m_summary->clear();
        if (!m_work->error.isEmpty())
            m_prompter.error(m_work->error);
        return;
    }
    const std::int64_t then = m_work->old.total, now = m_work->now.total;
    ContentsComparison::Users users = ContentsComparison::compare(m_work->old, std::move(m_work->now));
    int both = 0, added = 0, gone = 0;
    for (const auto& u : users)
        (u.state == ContentsComparison::State::Both ? both : u.state == ContentsComparison::State::New ? added : gone)++;
    m_summary->setText(tr("%1 users in both, %2 new, %3 gone. Total Size: %4 then, %5 now, change %6%7")
                           .arg(both)
                           .arg(added)
                           .arg(gone)
                           .arg(then)
                           .arg(now)
                           .arg(now - then > 0 ? QStringLiteral("+") : QString())
                           .arg(now - then));
    m_sorted->sort(-1);
    m_model->setUsers(std::move(users));
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_export->setEnabled(true);
}

void ContentsCompareDialog::onExportClicked()
{
    const auto path = m_prompter.saveFile(tr("Enter Name for the Comparison Export File"), QString(),
                                          QFileInfo(m_newLog->text()).path(), QStringLiteral("compare.txt"));
    if (!path)
        return;
    // The rows as the table shows them now.
    std::string bytes = ContentsComparison::columnNames().join(u'\t').toStdString() + "\r\n";
    const auto& users = m_model->users();
    for (int r = 0; r < m_sorted->rowCount(); ++r) {
        ContentsComparison::appendTsv(users[static_cast<std::size_t>(m_sorted->mapToSource(m_sorted->index(r, 0)).row())],
                                      bytes);
        bytes += "\r\n";
    }
    const QString error = ExportFile::save(*path, bytes);
    if (!error.isEmpty())
        m_prompter.error(error);
}

} // namespace bw
