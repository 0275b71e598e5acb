#include "dialogs/limitedtextedit.h"

#include <QKeyEvent>
#include <QMimeData>

namespace {

// The first n characters, without cutting a surrogate pair in two.
QString fitting(const QString &text, int n)
{
    if (n <= 0)
        return {};
    if (n >= text.size())
        return text;
    if (text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

} // namespace

LimitedTextEdit::LimitedTextEdit(int maxLength, QWidget *parent)
    : QPlainTextEdit(parent)
    , m_maxLength(maxLength)
{
}

int LimitedTextEdit::room() const
{
    const QTextCursor cursor = textCursor();
    const int length = document()->characterCount() - 1;
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    return m_maxLength - (length - selected);
}

void LimitedTextEdit::keyPressEvent(QKeyEvent *event)
{
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = event->text();
    const bool printable = !text.isEmpty() && (text.at(0).isPrint() || text.at(0) == u'\t');
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if ((lineBreak || (printable && !shortcut)) && room() < qMax(1, int(text.size()))) {
        // A key that types several characters (a compose sequence) keeps what fits.
        if (!lineBreak && room() > 0)
            insertPlainText(fitting(text, room()));
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (commit.size() <= room()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent trimmed(event->preeditString(), event->attributes());
    trimmed.setCommitString(fitting(commit, room()), event->replacementStart(),
                            event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&trimmed);
    event->accept();
}

void LimitedTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    // Count line breaks as the box will hold them, one character each.
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    QMimeData fitted;
    fitted.setText(fitting(text, room()));
    QPlainTextEdit::insertFromMimeData(&fitted);
}
