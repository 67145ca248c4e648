#include "app/WidgetPrompter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace bw {

void WidgetPrompter::message(const QString& text)
{
    QMessageBox::information(m_parent, QApplication::applicationDisplayName(), text);
}

void WidgetPrompter::error(const QString& text)
{
    QMessageBox::critical(m_parent, QApplication::applicationDisplayName(), text);
}

std::optional<QString> WidgetPrompter::openFile(const QString& title, const QString& filters, const QString& startPath)
{
    QFileDialog dialog(m_parent, title, startPath, filters);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace bw
