#pragma once

#include <QFlags>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QModelIndex;
class QPushButton;
class QTreeView;
class QWidget;

namespace bw {

class Prompter;

// A folder chooser with a caption picked by the user's locale, the selected
// path shown shortened in a status line, an initial selection, centring on
// the screen and an optional new-folder button. It holds its settings between
// openings; each execute builds the dialog window afresh.
class FolderBrowser : public QObject {
    Q_OBJECT
public:
    // The values are the Windows browse options they stand for. Here only
    // OnlyFileSystem and ShowPath change anything: the tree holds folders only.
    enum Option : unsigned {
        OnlyFileSystem = 0x1,
        OnlyDomains = 0x2,
        ShowPath = 0x4,
        OnlyAncestors = 0x8,
        OnlyComputers = 0x1000,
        OnlyPrinters = 0x2000,
    };
    Q_DECLARE_FLAGS(Options, Option)

    // The tree's root. Those with a folder of their own here show that
    // folder's contents; the rest, like DesktopExpanded, the whole tree.
    enum class Root {
        Desktop,
        DesktopExpanded,
        Programs,
        ControlPanel,
        Printers,
        Personal,
        Favorites,
        Startup,
        Recent,
        Sendto,
        RecycleBin,
        StartMenu,
        DesktopFolder,
        MyComputer,
        Network,
        NetworkNeighborhood,
        Fonts,
        Templates,
    };

    using InitializedHandler = std::function<void(FolderBrowser& sender, QDialog& dialogHandle)>;
    // itemIdList is the tree's item, invalid for one that is not in the tree.
    using SelectionChangedHandler = std::function<void(FolderBrowser& sender, QDialog& dialogHandle,
                                                      const QModelIndex& itemIdList, const QString& folder)>;

    static constexpr int defaultNewFolderWidth = 75;
    static constexpr int statusPathLength = 50;

    // The width the dialog opens at: its caption whole in a title bar, at
    // least the designed width grown with the font.
    static int titleBarWidth(const QWidget& dialog);

    // The prompter asks for a new folder's name.
    explicit FolderBrowser(Prompter& prompter, QObject* owner = nullptr);
    ~FolderBrowser() override;

    QString folder() const { return m_folder; }
    void setFolder(const QString& folder) { m_folder = folder; }
    Options options() const { return m_flags; }
    void setOptions(Options flags) { m_flags = flags; }
    Root rootFolder() const { return m_rootFolder; }
    void setRootFolder(Root root) { m_rootFolder = root; }
    bool newFolderVisible() const { return m_newFolderVisible; }
    void setNewFolderVisible(bool visible);
    bool newFolderEnabled() const { return m_newFolderEnabled; }
    void setNewFolderEnabled(bool enabled);
    int newFolderWidth() const { return m_newFolderWidth; }
    void setNewFolderWidth(int pixels);
    QStringList labelCaptions() const { return m_labelCaptions; }
    void setLabelCaptions(const QStringList& lines);
    QStringList newFolderCaptions() const { return m_newFolderCaptions; }
    void setNewFolderCaptions(const QStringList& lines);
    void setOnInitialized(InitializedHandler handler) { m_onInitialized = std::move(handler); }
    void setOnSelectionChanged(SelectionChangedHandler handler) { m_onSelectionChanged = std::move(handler); }
    // The window's title; the platform's browser had one of its own.
    QString dialogTitle() const { return m_dialogTitle; }
    void setDialogTitle(const QString& title) { m_dialogTitle = title; }

    QString localeKey() const { return m_localeKey; }
    // For tests and for a locale chosen in the program: the captions follow.
    void setLocaleKey(const QString& key);
    QString titleText() const { return m_titleText; }
    QString newFolderText() const { return m_newFolderText; }

    // True when the user closed the dialog with OK; folder then holds the
    // chosen item's path, empty for an item without one.
    bool execute();

    // The open dialog and its parts, while execute runs; null otherwise.
    QDialog* dialog() const { return m_dialog; }
    QTreeView* tree() const { return m_tree; }
    QLabel* statusLabel() const { return m_status; }
    QPushButton* newFolderButton() const { return m_newFolderButton; }
    QPushButton* okButton() const;

    // What the tree reports when its current item changes: the item's
    // file-system path (empty if it has none) and the name that shows when
    // it has none. The tree calls it; tests may for an item it cannot hold.
    void browseSelectionChanged(const QModelIndex& item, const QString& path, const QString& parsingName);

    // The locale key of a locale: its Windows locale identifier as four
    // upper-case hexadecimal digits, empty for one the table lacks.
    static QString localeKeyFor(const QLocale& locale);
    // The text of a caption list for a key: the entry whose key equals it
    // (letter case aside), else the "Default" entry, else the first entry.
    static QString chooseCaption(const QStringList& lines, const QString& key);
    // The path cut to at most maxLength characters, folders near its start
    // giving way to "..." first. separator is '\' for the paths of the
    // platform the rule was made on.
    static QString shortenPath(const QString& path, int maxLength, QChar separator = u'\\');
    // The two built-in caption lists, used when the owner gives none.
    static QStringList builtInLabelCaptions();
    static QStringList builtInNewFolderCaptions();

private:
    void browseInitialized();
    void onNewFolderClicked();
    void chooseCaptions();
    QString rootPath() const;
    void buildDialog(QWidget* owner);
    void showNewFolderButton();

    Prompter& m_prompter;
    QString m_folder;
    Options m_flags = ShowPath;
    Root m_rootFolder = Root::DesktopExpanded;
    bool m_newFolderVisible = true;
    bool m_newFolderEnabled = true;
    int m_newFolderWidth = defaultNewFolderWidth;
    QStringList m_labelCaptions;
    QStringList m_newFolderCaptions;
    InitializedHandler m_onInitialized;
    SelectionChangedHandler m_onSelectionChanged;
    QString m_dialogTitle;

    QString m_localeKey;
    QString m_titleText;
    QString m_newFolderText;
    QString m_browseSelection;
    bool m_selectionHasPath = true;
    bool m_itemSelected = false;
    bool m_followSelection = false; // keep the start folder in view while the tree loads
    bool m_reopenPending = false;

    QDialog* m_dialog = nullptr;
    QFileSystemModel* m_model = nullptr;
    QTreeView* m_tree = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_newFolderButton = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(FolderBrowser::Options)

} // namespace bw
