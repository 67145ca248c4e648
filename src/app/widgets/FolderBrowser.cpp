#include "app/widgets/FolderBrowser.h"

#include "base/Prompter.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace bw {

namespace {

struct LocaleId {
    QLocale::Language language;
    QLocale::Territory territory; // AnyTerritory: the language's neutral identifier
    unsigned id;
};

// Windows locale identifiers: every key of the caption lists, the neutral
// ones of their languages, and a few more common ones.
constexpr LocaleId localeIds[] = {
    {QLocale::Danish, QLocale::Denmark, 0x0406},
    {QLocale::Danish, QLocale::AnyTerritory, 0x0006},
    {QLocale::German, QLocale::Germany, 0x0407},
    {QLocale::German, QLocale::Switzerland, 0x0807},
    {QLocale::German, QLocale::Austria, 0x0C07},
    {QLocale::German, QLocale::Luxembourg, 0x1007},
    {QLocale::German, QLocale::Liechtenstein, 0x1407},
    {QLocale::German, QLocale::AnyTerritory, 0x0007},
    {QLocale::English, QLocale::UnitedStates, 0x0409},
    {QLocale::English, QLocale::UnitedKingdom, 0x0809},
    {QLocale::English, QLocale::Australia, 0x0C09},
    {QLocale::English, QLocale::Canada, 0x1009},
    {QLocale::English, QLocale::NewZealand, 0x1409},
    {QLocale::English, QLocale::Ireland, 0x1809},
    {QLocale::English, QLocale::SouthAfrica, 0x1C09},
    {QLocale::English, QLocale::Jamaica, 0x2009},
    {QLocale::English, QLocale::Belize, 0x2809},
    {QLocale::English, QLocale::TrinidadAndTobago, 0x2C09},
    {QLocale::English, QLocale::Zimbabwe, 0x3009},
    {QLocale::English, QLocale::Philippines, 0x3409},
    {QLocale::English, QLocale::India, 0x4009},
    {QLocale::English, QLocale::Malaysia, 0x4409},
    {QLocale::English, QLocale::Singapore, 0x4809},
    {QLocale::English, QLocale::AnyTerritory, 0x0009},
    {QLocale::Italian, QLocale::Italy, 0x0410},
    {QLocale::Italian, QLocale::Switzerland, 0x0810},
    {QLocale::Italian, QLocale::AnyTerritory, 0x0010},
    {QLocale::Dutch, QLocale::Netherlands, 0x0413},
    {QLocale::Dutch, QLocale::Belgium, 0x0813},
    {QLocale::Dutch, QLocale::AnyTerritory, 0x0013},
    {QLocale::Portuguese, QLocale::Brazil, 0x0416},
    {QLocale::Portuguese, QLocale::Portugal, 0x0816},
    {QLocale::Portuguese, QLocale::AnyTerritory, 0x0016},
    {QLocale::French, QLocale::France, 0x040C},
    {QLocale::French, QLocale::Belgium, 0x080C},
    {QLocale::French, QLocale::Canada, 0x0C0C},
    {QLocale::French, QLocale::Switzerland, 0x100C},
    {QLocale::French, QLocale::Luxembourg, 0x140C},
    {QLocale::French, QLocale::AnyTerritory, 0x000C},
    {QLocale::Spanish, QLocale::Spain, 0x0C0A},
    {QLocale::Spanish, QLocale::Mexico, 0x080A},
    {QLocale::Spanish, QLocale::AnyTerritory, 0x000A},
    {QLocale::Swedish, QLocale::Sweden, 0x041D},
    {QLocale::Swedish, QLocale::AnyTerritory, 0x001D},
    {QLocale::NorwegianBokmal, QLocale::Norway, 0x0414},
    {QLocale::Finnish, QLocale::Finland, 0x040B},
    {QLocale::Polish, QLocale::Poland, 0x0415},
    {QLocale::Japanese, QLocale::Japan, 0x0411},
    {QLocale::Chinese, QLocale::China, 0x0804},
    {QLocale::Chinese, QLocale::Taiwan, 0x0404},
};

QStringList builtInList(bool label)
{
    // Key by key, so that the order of the lines is the lists' own.
    static const char* const order[] = {"Default", "0009", "0406", "0407", "0409", "0410", "0413", "0416",
                                        "0807",    "0809", "0810", "0C07", "0C09", "1007", "1009", "1407",
                                        "1409",    "1809", "1C09", "2009", "2809", "2C09"};
    QStringList lines;
    for (const char* key : order) {
        const QString k = QString::fromLatin1(key);
        const char* text = nullptr;
        if (k == u"0406")
            text = label ? "Valgt mappe:" : "Ny mappe";
        else if (k.endsWith(u"07"))
            text = label ? "Ausgewählter Ordner:" : "Neuer Ordner";
        else if (k.endsWith(u"10"))
            text = label ? "Cartella selezionata:" : "Nuova Cartella";
        else if (k == u"0413")
            text = label ? "Huidige map" : "Nieuwe map";
        else if (k == u"0416")
            text = label ? "Pasta Atual:" : "Nova Pasta";
        else
            text = label ? "Current folder:" : "New folder";
        lines << k + u'=' + QString::fromUtf8(text);
    }
    return lines;
}

QString keyOf(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq);
}

QString valueOf(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.mid(eq + 1);
}

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

// A name that is not plain 8-bit text shows as nothing.
QString eightBit(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return QString();
    }
    return text;
}

// The sizes were laid out for an 8-point font at 96 dots per inch.
double designScale(const QWidget& widget)
{
    constexpr double designPixels = 8.0 * 96.0 / 72.0;
    return std::max(1.0, QFontInfo(widget.font()).pixelSize() / designPixels);
}

int scaled(double scale, int designPixels)
{
    return static_cast<int>(std::lround(designPixels * scale));
}

} // namespace

int FolderBrowser::titleBarWidth(const QWidget& dialog)
{
    // Title bars draw their caption in a bold font, beside an icon and
    // three buttons about a line high each; folder names need the room too.
    QFont bold = dialog.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return std::max(scaled(designScale(dialog), 420),
                    metrics.horizontalAdvance(dialog.windowTitle()) + 8 * metrics.height());
}

namespace {

} // namespace

FolderBrowser::FolderBrowser(Prompter& prompter, QObject* owner)
    : QObject(owner)
    , m_prompter(prompter)
    , m_labelCaptions(builtInLabelCaptions())
    , m_newFolderCaptions(builtInNewFolderCaptions())
    , m_dialogTitle(QStringLiteral("Browse for Folder"))
    , m_localeKey(localeKeyFor(QLocale::system()))
{
    chooseCaptions();
}

FolderBrowser::~FolderBrowser() = default;

QStringList FolderBrowser::builtInLabelCaptions()
{
    return builtInList(true);
}

QStringList FolderBrowser::builtInNewFolderCaptions()
{
    return builtInList(false);
}

QString FolderBrowser::localeKeyFor(const QLocale& locale)
{
    const LocaleId* neutral = nullptr;
    for (const LocaleId& entry : localeIds) {
        if (entry.language != locale.language())
            continue;
        if (entry.territory == locale.territory())
            return QString::asprintf("%04X", entry.id);
        if (entry.territory == QLocale::AnyTerritory)
            neutral = &entry;
    }
    return neutral ? QString::asprintf("%04X", neutral->id) : QString();
}

QString FolderBrowser::chooseCaption(const QStringList& lines, const QString& key)
{
    if (lines.isEmpty())
        return QString();
    auto find = [&lines](const QString& wanted) -> const QString* {
        for (const QString& line : lines) {
            if (keyOf(line).compare(wanted, Qt::CaseInsensitive) == 0)
                return &line;
        }
        return nullptr;
    };
    // An unknown locale matches no line, not even one without a key.
    const QString* line = key.isEmpty() ? nullptr : find(key);
    if (!line)
        line = find(QStringLiteral("Default"));
    return valueOf(line ? *line : lines.constFirst());
}

QString FolderBrowser::shortenPath(const QString& path, int maxLength, QChar separator)
{
    const int m = std::max(0, maxLength);
    if (path.size() <= m || m < 6 || !path.contains(separator))
        return path.left(m);
    if (path.mid(2).count(separator) < 2)
        return path.left(m);
    QString s = path;
    // One or two leading separators (a network path, a POSIX root) stay in
    // front as they are; a first name is never cut into.
    qsizetype lead = 0;
    while (lead < 2 && s.at(lead) == separator)
        ++lead;
    QString result = s.left(lead);
    s.remove(0, lead);
    result += s.left(s.indexOf(separator) + 1) + QStringLiteral("...");
    do
        s.remove(0, s.indexOf(separator) + 1);
    while (result.size() + s.size() + 1 > m && s.contains(separator));
    if (result.size() + s.size() + 1 <= m)
        return result + separator + s;
    return (result + separator + s).left(m - 3) + QStringLiteral("...");
}

void FolderBrowser::setNewFolderVisible(bool visible)
{
    m_newFolderVisible = visible;
    showNewFolderButton();
}

void FolderBrowser::setNewFolderEnabled(bool enabled)
{
    m_newFolderEnabled = enabled;
    showNewFolderButton();
}

void FolderBrowser::setNewFolderWidth(int pixels)
{
    m_newFolderWidth = pixels <= 0 ? defaultNewFolderWidth : pixels;
    showNewFolderButton();
}

void FolderBrowser::setLabelCaptions(const QStringList& lines)
{
    if (lines == m_labelCaptions)
        return;
    m_labelCaptions = lines;
    chooseCaptions();
}

void FolderBrowser::setNewFolderCaptions(const QStringList& lines)
{
    if (lines == m_newFolderCaptions)
        return;
    m_newFolderCaptions = lines;
    chooseCaptions();
}

void FolderBrowser::setLocaleKey(const QString& key)
{
    m_localeKey = key;
    chooseCaptions();
}

void FolderBrowser::chooseCaptions()
{
    m_titleText = chooseCaption(m_labelCaptions, m_localeKey);
    m_newFolderText = chooseCaption(m_newFolderCaptions, m_localeKey);
    if (m_title)
        m_title->setText(m_titleText);
    showNewFolderButton();
}

QPushButton* FolderBrowser::okButton() const
{
    return m_buttons ? m_buttons->button(QDialogButtonBox::Ok) : nullptr;
}

QString FolderBrowser::rootPath() const
{
    QString path;
    switch (m_rootFolder) {
    case Root::Desktop:
    case Root::DesktopFolder:
        path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        break;
    case Root::Programs:
    case Root::StartMenu:
        path = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
        break;
    case Root::Personal:
        path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        break;
    case Root::Fonts:
        path = QStandardPaths::writableLocation(QStandardPaths::FontsLocation);
        break;
    case Root::Templates:
        path = QDir::home().filePath(QStringLiteral("Templates"));
        break;
    case Root::Startup:
        path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
        break;
    case Root::RecycleBin:
        path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash/files");
        break;
    default:
        // The whole tree, and the shell's places that have no folder here.
        break;
    }
    return !path.isEmpty() && QFileInfo(path).isDir() ? path : QString();
}

void FolderBrowser::buildDialog(QWidget* owner)
{
    m_dialog = new QDialog(owner);
    m_dialog->setObjectName(QStringLiteral("FolderBrowser"));
    m_dialog->setWindowTitle(m_dialogTitle);
    m_dialog->setSizeGripEnabled(true);
    const double scale = designScale(*m_dialog);

    auto* layout = new QVBoxLayout(m_dialog);
    m_title = new QLabel(m_titleText);
    m_title->setObjectName(QStringLiteral("TitleText"));
    m_title->setWordWrap(true);
    layout->addWidget(m_title);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("StatusText"));
    m_status->setTextFormat(Qt::PlainText);
    // Room for the longest shortened path, so that it is not cut again.
    m_status->setMinimumWidth(m_status->fontMetrics().horizontalAdvance(QString(statusPathLength, u'n')));
    m_status->setVisible(m_flags.testFlag(ShowPath));
    layout->addWidget(m_status);

    m_model = new QFileSystemModel(m_dialog);
    m_model->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    m_tree = new QTreeView;
    m_tree->setObjectName(QStringLiteral("FolderTree"));
    m_tree->setModel(m_model);
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setSortingEnabled(true);
    m_tree->sortByColumn(0, Qt::AscendingOrder);
    const QString root = rootPath();
    m_model->setRootPath(root.isEmpty() ? QDir::rootPath() : root);
    if (!root.isEmpty())
        m_tree->setRootIndex(m_model->index(root));
    layout->addWidget(m_tree, 1);

    // The new-folder button keeps its place in the lower-left corner, its
    // top a fixed distance above the bottom, OK and Cancel beside it.
    auto* bottom = new QHBoxLayout;
    m_newFolderButton = new QPushButton(m_newFolderText);
    m_newFolderButton->setObjectName(QStringLiteral("NewFolderButton"));
    m_newFolderButton->setAutoDefault(false);
    bottom->addWidget(m_newFolderButton);
    bottom->addStretch(1);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    bottom->addWidget(m_buttons);
    layout->addLayout(bottom);
    const int buttonHeight = std::max(scaled(scale, 23), m_newFolderButton->sizeHint().height());
    for (QPushButton* button : m_buttons->findChildren<QPushButton*>())
        button->setFixedHeight(buttonHeight);
    const QMargins margins = layout->contentsMargins();
    layout->setContentsMargins(scaled(scale, 12), margins.top(), margins.right(),
                               std::max(0, scaled(scale, 36) - buttonHeight));
    showNewFolderButton();

    QObject::connect(m_buttons, &QDialogButtonBox::accepted, m_dialog, &QDialog::accept);
    QObject::connect(m_buttons, &QDialogButtonBox::rejected, m_dialog, &QDialog::reject);
    QObject::connect(m_newFolderButton, &QPushButton::clicked, this, &FolderBrowser::onNewFolderClicked);
    QObject::connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
                     [this](const QModelIndex& current) {
                         if (!current.isValid() || !m_dialog)
                             return;
                         browseSelectionChanged(current, QDir::toNativeSeparators(m_model->filePath(current)),
                                                m_model->fileName(current));
                     });
    // Folders arrive a while after the tree opens and push the start folder
    // out of view; it is brought back until the user moves.
    auto follow = [this] {
        if (m_followSelection && m_tree && m_tree->currentIndex().isValid())
            m_tree->scrollTo(m_tree->currentIndex());
    };
    QObject::connect(m_model, &QAbstractItemModel::layoutChanged, this, follow);
    QObject::connect(m_model, &QAbstractItemModel::rowsInserted, this, follow);
    QObject::connect(m_tree->verticalScrollBar(), &QScrollBar::actionTriggered, this,
                     [this] { m_followSelection = false; });
    okButton()->setEnabled(false);
    m_dialog->resize(m_dialog->sizeHint().expandedTo(QSize(titleBarWidth(*m_dialog), scaled(scale, 400))));
}

void FolderBrowser::showNewFolderButton()
{
    if (!m_newFolderButton)
        return;
    const double scale = designScale(*m_newFolderButton);
    m_newFolderButton->setText(m_newFolderText);
    m_newFolderButton->setFixedSize(std::max(scaled(scale, m_newFolderWidth), m_newFolderButton->sizeHint().width()),
                                    std::max(scaled(scale, 23), m_newFolderButton->sizeHint().height()));
    m_newFolderButton->setVisible(m_newFolderVisible);
    m_newFolderButton->setEnabled(m_selectionHasPath && m_newFolderEnabled);
}

bool FolderBrowser::execute()
{
    m_browseSelection = m_folder;
    QWidget* owner = qobject_cast<QWidget*>(parent());
    if (!owner)
        owner = QApplication::activeWindow();
    bool chosen = false;
    do {
        m_reopenPending = false;
        m_folder = m_browseSelection;
        m_selectionHasPath = true;
        m_itemSelected = false;
        m_followSelection = false;
        buildDialog(owner);
        QPointer<QDialog> dialog = m_dialog;
        browseInitialized();
        chosen = dialog && dialog->exec() == QDialog::Accepted && m_itemSelected;
        // Forgotten before it goes, so that nothing its end sends reaches us.
        m_dialog = nullptr;
        m_model = nullptr;
        m_tree = nullptr;
        m_title = nullptr;
        m_status = nullptr;
        m_newFolderButton = nullptr;
        m_buttons = nullptr;
        delete dialog.data();
    } while (m_reopenPending);
    if (!chosen)
        return false;
    m_folder = m_browseSelection;
    return true;
}

void FolderBrowser::browseInitialized()
{
    // Centred on the screen, whatever window owns it.
    const QScreen* screen = m_dialog->parentWidget() ? m_dialog->parentWidget()->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        // The native window gives the frame its size.
        m_dialog->winId();
        const QRect area = screen->geometry();
        const QSize size = m_dialog->frameGeometry().size();
        m_dialog->move(area.x() + area.width() / 2 - size.width() / 2, area.y() + area.height() / 2 - size.height() / 2);
    }
    showNewFolderButton();
    const QFileInfo start(m_folder);
    if (!m_folder.isEmpty() && start.isDir()) {
        const QModelIndex item = m_model->index(start.absoluteFilePath());
        if (item.isValid()) {
            for (QModelIndex up = item.parent(); up.isValid(); up = up.parent())
                m_tree->expand(up);
            m_tree->setCurrentIndex(item);
            m_tree->scrollTo(item);
            m_followSelection = true;
        }
    }
    if (m_onInitialized)
        m_onInitialized(*this, *m_dialog);
}

void FolderBrowser::browseSelectionChanged(const QModelIndex& item, const QString& path, const QString& parsingName)
{
    if (!m_dialog)
        return;
    // A choice after the start folder's is the user's: the view is theirs.
    m_followSelection = m_followSelection && !m_itemSelected;
    m_browseSelection = path;
    m_itemSelected = true;
    if (m_flags.testFlag(ShowPath)) {
        const QString shown = path.isEmpty() ? eightBit(parsingName) : path;
        m_status->setText(shortenPath(shown, statusPathLength, QDir::separator()));
        m_status->setToolTip(shown);
    }
    m_selectionHasPath = !m_browseSelection.isEmpty();
    okButton()->setEnabled(m_selectionHasPath || !m_flags.testFlag(OnlyFileSystem));
    showNewFolderButton();
    if (m_onSelectionChanged)
        m_onSelectionChanged(*this, *m_dialog, item, m_browseSelection);
}

void FolderBrowser::onNewFolderClicked()
{
    const std::optional<QString> name = m_prompter.textInput(m_newFolderText, QString(), QString());
    if (!name || name->isEmpty() || !m_dialog)
        return;
    QString target = m_browseSelection;
    if (!target.isEmpty() && !isSeparator(target.back()) && !isSeparator(name->front()))
        target += QDir::separator();
    target += *name;
    // A folder that cannot be made is said so, and the dialog stays as it was.
    if (!QDir().mkpath(target)) {
        m_prompter.error(QStringLiteral("Error Creating Directory ") + target);
        return;
    }
    m_reopenPending = true;
    m_browseSelection = target;
    m_dialog->reject();
}

} // namespace bw
