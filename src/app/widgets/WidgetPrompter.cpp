#include "app/widgets/WidgetPrompter.h"

#include "app/widgets/FolderBrowser.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

#include <memory>

namespace bw {

void WidgetPrompter::message(const QString& text)
{
    QMessageBox::information(m_parent, QApplication::applicationDisplayName(), text);
}

void WidgetPrompter::error(const QString& text)
{
    QMessageBox::critical(m_parent, QApplication::applicationDisplayName(), text);
}

bool WidgetPrompter::messageWithCheckBox(const QString& text, const QString& checkBox)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::Ok, m_parent);
    box.setCheckBox(new QCheckBox(checkBox));
    box.exec();
    return box.checkBox()->isChecked();
}

bool WidgetPrompter::messageWithButton(const QString& text, const QString& extraButton)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::Ok, m_parent);
    QAbstractButton* extra = extraButton.isEmpty() ? nullptr : box.addButton(extraButton, QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    // A box of several lines reads better wider than the box's own limit,
    // which on a small or scaled screen wraps every line.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const QFontMetrics metrics = label->fontMetrics();
        int widest = 0;
        for (const QString& line : text.split(u'\n'))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        int limit = 60 * metrics.averageCharWidth();
        if (const QScreen* screen = box.screen())
            limit = std::min(limit, screen->availableGeometry().width() * 2 / 3);
        label->setMinimumWidth(std::min(widest, limit));
    }
    box.exec();
    return extra && box.clickedButton() == extra;
}

void WidgetPrompter::leftAt(const QString& path)
{
    m_lastFolder = QFileInfo(path).absolutePath();
}

std::optional<QString> WidgetPrompter::openFile(const QString& title, const QString& filters, const QString& startPath)
{
    QFileDialog dialog(m_parent, title, startIn(startPath), filters);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    leftAt(dialog.selectedFiles().constFirst());
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> WidgetPrompter::saveFile(const QString& title, const QString& filters, const QString& startFolder,
                                                const QString& suggestedName)
{
    QFileDialog dialog(m_parent, title, startIn(startFolder), filters);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (!suggestedName.isEmpty())
        dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    leftAt(dialog.selectedFiles().constFirst());
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> WidgetPrompter::chooseFolder(const QString& title, const QString& startFolder)
{
    // The window's own browser, with its captions and settings; a plain one
    // for a prompter that serves no window.
    FolderBrowser* browser =
        m_parent ? m_parent->findChild<FolderBrowser*>(QStringLiteral("FolderBrowseDialog1")) : nullptr;
    std::unique_ptr<FolderBrowser> plain;
    if (!browser) {
        plain = std::make_unique<FolderBrowser>(*this, m_parent);
        browser = plain.get();
    }
    if (!title.isEmpty())
        browser->setDialogTitle(title);
    browser->setFolder(startFolder);
    if (!browser->execute())
        return std::nullopt;
    return browser->folder();
}

std::optional<QString> WidgetPrompter::textInput(const QString& title, const QString& label, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, label, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

bool WidgetPrompter::askYesNo(const QString& title, const QString& question)
{
    return QMessageBox::question(m_parent, title, question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<Prompter::SaveChoice> WidgetPrompter::saveFileAs(const QString& title, const QStringList& filters,
                                                               const QString& defaultSuffix)
{
    QFileDialog dialog(m_parent, title, m_lastFolder);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    leftAt(dialog.selectedFiles().constFirst());
    const int entry = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return SaveChoice{QDir::toNativeSeparators(dialog.selectedFiles().constFirst()), std::max(entry, 1)};
}

} // namespace bw
