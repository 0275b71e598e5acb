#include "mainwindow/readmewindow.h"

#include "look/look.h"
#include "look/names.h"
#include "look/placement.h"
#include "look/translations.h"

#include <QAction>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

// The read-me is laid out for a fixed-pitch font, its lines under 80 columns;
// 30 of them show at once.
constexpr int kColumns = 82;
constexpr int kLines = 30;

} // namespace

ReadmeWindow::ReadmeWindow(QWidget *owner)
    : QWidget(owner, Qt::Window)
    , m_text(look::named(new QPlainTextEdit(this), "readmeText"))
    , m_findField(look::named(new QLineEdit(this), "findField"))
    , m_notFound(look::named(new QLabel(tr("Not found"), this), "findStatus"))
{
    setObjectName(QStringLiteral("readmeWindow"));
    setWindowTitle(tr("Quillet Read-me"));
    setWindowIcon(look::sailIcon());
    setAttribute(Qt::WA_DeleteOnClose);

    m_text->setReadOnly(true);
    m_text->setUndoRedoEnabled(false);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setPlainText(readmeText());
    const QFontMetrics metrics(m_text->font());
    m_text->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('M')) * kColumns, metrics.lineSpacing() * kLines);

    m_findField->setPlaceholderText(tr("Find in the read-me"));
    m_findField->setClearButtonEnabled(true);
    m_notFound->setTextFormat(Qt::PlainText);
    connect(m_findField, &QLineEdit::textEdited, this, &ReadmeWindow::findAsTyped);
    m_findField->installEventFilter(this);

    auto *findBar = new QHBoxLayout;
    findBar->addWidget(m_findField, 1);
    findBar->addWidget(m_notFound);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(findBar);
    m_findField->hide();
    m_notFound->hide();

    // Shortcuts of the window, so they work from the text as from the field.
    const auto addShortcut = [this](const QKeySequence &keys, auto handler) {
        auto *action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    addShortcut(QKeySequence::Find, [this] { showFindBar(); });
    addShortcut(QKeySequence::FindNext, [this] { findAgain(false); });
    addShortcut(QKeySequence::FindPrevious, [this] { findAgain(true); });
    m_text->setFocus();
}

QString ReadmeWindow::readmeText()
{
    // In the language of the windows where there is one, else in English.
    const QString language = look::translationLanguage();
    QFile file(QStringLiteral(":/readme/Readme_%1.txt").arg(language));
    if (language.isEmpty() || !file.exists())
        file.setFileName(QLatin1String(kResource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void ReadmeWindow::open()
{
    if (!m_placed) {
        adjustSize();
        look::centreOn(*this, parentWidget());
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

bool ReadmeWindow::find(const QString &text, bool backward)
{
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (m_text->find(text, flags))
        return true;
    // Round the end: start again from the other end of the text.
    const QTextCursor kept = m_text->textCursor();
    m_text->moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
    if (m_text->find(text, flags))
        return true;
    m_text->setTextCursor(kept);
    return false;
}

void ReadmeWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (m_findField->isVisible())
            hideFindBar();
        else
            close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool ReadmeWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_findField && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            findAgain(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ReadmeWindow::showFindBar()
{
    m_findField->show();
    m_findField->setFocus();
    m_findField->selectAll();
}

void ReadmeWindow::hideFindBar()
{
    m_findField->hide();
    m_notFound->hide();
    m_text->setFocus();
}

void ReadmeWindow::findAsTyped()
{
    // Each letter typed refines the match in place rather than moving past it.
    QTextCursor cursor = m_text->textCursor();
    cursor.setPosition(cursor.selectionStart());
    m_text->setTextCursor(cursor);
    const QString text = m_findField->text();
    m_notFound->setVisible(!text.isEmpty() && !find(text));
}

void ReadmeWindow::findAgain(bool backward)
{
    if (!m_findField->isVisible()) {
        showFindBar();
        return;
    }
    const QString text = m_findField->text();
    m_notFound->setVisible(!text.isEmpty() && !find(text, backward));
}
