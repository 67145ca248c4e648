#include "app/mainwindow/FindBar.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace bw {

FindBar::FindBar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("findBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("Fi&nd:"));
    m_text = new QLineEdit;
    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setClearButtonEnabled(true);
    m_text->setToolTip(tr("Rows whose text contains this, without regard to letter case"));
    label->setBuddy(m_text);
    m_previous = new QToolButton;
    m_previous->setObjectName(QStringLiteral("findPrevious"));
    m_previous->setText(tr("Previous"));
    m_previous->setToolTip(tr("The previous row found (Shift+F3)"));
    m_next = new QToolButton;
    m_next->setObjectName(QStringLiteral("findNext"));
    m_next->setText(tr("Next"));
    m_next->setToolTip(tr("The next row found (F3)"));
    m_result = new QLabel;
    m_result->setObjectName(QStringLiteral("findResult"));
    m_close = new QToolButton;
    m_close->setObjectName(QStringLiteral("findClose"));
    m_close->setAutoRaise(true);
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_close->setToolTip(tr("Close the find bar (Escape)"));
    layout->addWidget(label);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_result);
    layout->addStretch(0);
    layout->addWidget(m_close);
    // "Not found" and "200000 of 200000" take the same room, so the text box
    // keeps its width as results come.
    m_result->setMinimumWidth(
        std::max(m_result->fontMetrics().horizontalAdvance(tr("Not found")),
                 m_result->fontMetrics().horizontalAdvance(tr("%1 of %2").arg(888888).arg(888888))));

    connect(m_text, &QLineEdit::textChanged, this, &FindBar::textChanged);
    connect(m_text, &QLineEdit::returnPressed, this, [this] {
        // Shift+Enter goes back, as in most find bars.
        if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier)
            emit previousRequested();
        else
            emit nextRequested();
    });
    connect(m_next, &QToolButton::clicked, this, &FindBar::nextRequested);
    connect(m_previous, &QToolButton::clicked, this, &FindBar::previousRequested);
    connect(m_close, &QToolButton::clicked, this, &FindBar::closeRequested);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FindBar::closeRequested);
}

QString FindBar::text() const
{
    return m_text->text();
}

void FindBar::showResult(int number, int count)
{
    if (text().isEmpty())
        m_result->clear();
    else if (count == 0)
        m_result->setText(tr("Not found"));
    else
        m_result->setText(tr("%1 of %2").arg(number).arg(count));
}

} // namespace bw
