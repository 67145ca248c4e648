#include "app/dialogs/PathMappingsDialog.h"

#include "base/Prompter.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace bw {

namespace {

const QString title = QStringLiteral("Path Mappings");

QSettings settings()
{
    return QSettings(QStringLiteral("Brindlewick"), QStringLiteral("Brindlewick"));
}

} // namespace

PathMappingsDialog::PathMappingsDialog(const PathMappings& mappings, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("PathMappingsDialog"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("Paths in a log that begin with a prefix are looked up in its local folder "
                                "(letter case and \\ or / do not matter)."));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* row = new QHBoxLayout;
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("mappingList"));
    m_list->setHeaderLabels({tr("Log Path Prefix"), tr("Local Folder")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setStretchLastSection(true);
    m_list->header()->resizeSection(0, fontMetrics().horizontalAdvance(QStringLiteral("\\\\GWSRV01\\MAIL\\PO1xxxx")));
    for (const PathMapping& m : mappings.entries())
        new QTreeWidgetItem(m_list, {m.prefix, m.folder});
    row->addWidget(m_list, 1);
    auto* side = new QVBoxLayout;
    m_add = new QPushButton(tr("&Add..."));
    m_edit = new QPushButton(tr("&Edit..."));
    m_remove = new QPushButton(tr("&Remove"));
    for (QPushButton* b : {m_add, m_edit, m_remove}) {
        b->setAutoDefault(false);
        side->addWidget(b);
    }
    side->addStretch(1);
    row->addLayout(side);
    layout->addLayout(row, 1);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_add, &QPushButton::clicked, this, &PathMappingsDialog::onAddClicked);
    connect(m_edit, &QPushButton::clicked, this, &PathMappingsDialog::onEditClicked);
    connect(m_remove, &QPushButton::clicked, this, &PathMappingsDialog::onRemoveClicked);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &PathMappingsDialog::showButtons);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &PathMappingsDialog::onEditClicked);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    showButtons();
    resize(fontMetrics().averageCharWidth() * 80, fontMetrics().height() * 18);
}

PathMappings PathMappingsDialog::mappings() const
{
    std::vector<PathMapping> entries;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        entries.push_back({item->text(0), item->text(1)});
    }
    return PathMappings(entries);
}

std::optional<PathMapping> PathMappingsDialog::ask(const PathMapping& start)
{
    const auto prefix =
        m_prompter.textInput(title, tr("Path prefix as the log writes it (such as \\\\GWSRV01\\MAIL or G:\\MAIL):"),
                             start.prefix);
    if (!prefix)
        return std::nullopt;
    if (!PathMappings::validPrefix(*prefix)) {
        m_prompter.message(tr("A prefix must name at least one folder or drive."));
        return std::nullopt;
    }
    const auto folder = m_prompter.chooseFolder(tr("Local Folder for %1").arg(*prefix), start.folder);
    if (!folder || folder->isEmpty())
        return std::nullopt;
    return PathMapping{prefix->trimmed(), *folder};
}

void PathMappingsDialog::onAddClicked()
{
    if (const auto m = ask({}))
        m_list->setCurrentItem(new QTreeWidgetItem(m_list, {m->prefix, m->folder}));
}

void PathMappingsDialog::onEditClicked()
{
    QTreeWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    if (const auto m = ask({item->text(0), item->text(1)})) {
        item->setText(0, m->prefix);
        item->setText(1, m->folder);
    }
}

void PathMappingsDialog::onRemoveClicked()
{
    delete m_list->currentItem();
    showButtons();
}

void PathMappingsDialog::showButtons()
{
    const bool current = m_list->currentItem() != nullptr;
    m_edit->setEnabled(current);
    m_remove->setEnabled(current);
}

PathMappings PathMappingsDialog::loadSettings()
{
    QSettings s = settings();
    std::vector<PathMapping> entries;
    const int n = s.beginReadArray(QStringLiteral("pathMappings"));
    for (int i = 0; i < n; ++i) {
        s.setArrayIndex(i);
        entries.push_back({s.value(QStringLiteral("prefix")).toString(), s.value(QStringLiteral("folder")).toString()});
    }
    s.endArray();
    return PathMappings(entries);
}

void PathMappingsDialog::saveSettings(const PathMappings& mappings)
{
    QSettings s = settings();
    s.remove(QStringLiteral("pathMappings"));
    s.beginWriteArray(QStringLiteral("pathMappings"), static_cast<int>(mappings.entries().size()));
    int i = 0;
    for (const PathMapping& m : mappings.entries()) {
        s.setArrayIndex(i++);
        s.setValue(QStringLiteral("prefix"), m.prefix);
        s.setValue(QStringLiteral("folder"), m.folder);
    }
    s.endArray();
}

} // namespace bw
