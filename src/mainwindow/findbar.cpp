#include "mainwindow/findbar.h"

#include "look/names.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

FindBar::FindBar(std::function<QPlainTextEdit *()> text, const QString &placeholder, QWidget *parent)
    : QWidget(parent)
    , m_text(std::move(text))
    , m_field(look::named(new QLineEdit(this), "findField"))
    , m_notFound(look::named(new QLabel(tr("Not found"), this), "findStatus"))
{
    setObjectName(QStringLiteral("findBar"));
    m_field->setPlaceholderText(placeholder);
    m_notFound->setTextFormat(Qt::PlainText);
    connect(m_field, &QLineEdit::textEdited, this, &FindBar::findAsTyped);
    m_field->installEventFilter(this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_notFound);
    m_notFound->hide();
    hide();

    // Shortcuts of the whole window, so they work from the text as from the field.
    const auto addShortcut = [this, parent](const QKeySequence &keys, auto handler) {
        auto *action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        parent->window()->addAction(action);
    };
    addShortcut(QKeySequence::Find, [this] { open(); });
    addShortcut(QKeySequence::FindNext, [this] { findAgain(false); });
    addShortcut(QKeySequence::FindPrevious, [this] { findAgain(true); });
}

bool FindBar::find(const QString &text, bool backward)
{
    QPlainTextEdit *view = m_text();
    if (text.isEmpty() || !view)
        return false;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (view->find(text, flags))
        return true;
    // Round the end: start again from the other end of the text.
    const QTextCursor kept = view->textCursor();
    view->moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
    if (view->find(text, flags))
        return true;
    view->setTextCursor(kept);
    return false;
}

void FindBar::open()
{
    // Asked for on first use: its icon may come from the desktop's theme as
    // an SVG, whose plugin a window that never searches should not load.
    m_field->setClearButtonEnabled(true);
    show();
    m_field->setFocus();
    m_field->selectAll();
}

void FindBar::putAway()
{
    hide();
    m_notFound->hide();
    if (QPlainTextEdit *view = m_text())
        view->setFocus();
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            findAgain(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            putAway();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FindBar::findAsTyped()
{
    QPlainTextEdit *view = m_text();
    if (!view)
        return;
    // Each letter typed refines the match in place rather than moving past it.
    QTextCursor cursor = view->textCursor();
    cursor.setPosition(cursor.selectionStart());
    view->setTextCursor(cursor);
    const QString text = m_field->text();
    m_notFound->setVisible(!text.isEmpty() && !find(text));
}

void FindBar::findAgain(bool backward)
{
    if (isHidden()) {
        open();
        return;
    }
    const QString text = m_field->text();
    m_notFound->setVisible(!text.isEmpty() && !find(text, backward));
}
