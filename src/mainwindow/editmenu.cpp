#include "mainwindow/editmenu.h"

#include "look/names.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace {

// Text controls offer a selection: line edits, both kinds of text edit and
// combo boxes. Picture controls are the widgets that hold a picture of their
// own: a label's pixmap and a button's icon. Everything else is neither.
enum class Kind { Neither, Text, Picture };

// An editable combo box is edited through its line edit.
QWidget *textTarget(QWidget *control)
{
    if (auto *combo = qobject_cast<QComboBox *>(control); combo && combo->lineEdit())
        return combo->lineEdit();
    return control;
}

Kind classify(QWidget *control)
{
    if (!control)
        return Kind::Neither;
    if (qobject_cast<QLineEdit *>(control) || qobject_cast<QTextEdit *>(control)
        || qobject_cast<QPlainTextEdit *>(control) || qobject_cast<QComboBox *>(control))
        return Kind::Text;
    if (qobject_cast<QLabel *>(control) || qobject_cast<QAbstractButton *>(control))
        return Kind::Picture;
    return Kind::Neither;
}

// Whether the control takes text typed or pasted: a read-only log and a
// drop-down list offer their text to copy, nothing more.
bool takesText(QWidget *control)
{
    QWidget *target = textTarget(control);
    if (auto *line = qobject_cast<QLineEdit *>(target))
        return !line->isReadOnly();
    if (auto *edit = qobject_cast<QTextEdit *>(target))
        return !edit->isReadOnly();
    if (auto *edit = qobject_cast<QPlainTextEdit *>(target))
        return !edit->isReadOnly();
    return false;
}

QString fragmentText(const QTextCursor &cursor)
{
    return cursor.selection().toPlainText();
}

QString selectedText(QWidget *control)
{
    QWidget *target = textTarget(control);
    if (auto *line = qobject_cast<QLineEdit *>(target))
        return line->selectedText();
    if (auto *edit = qobject_cast<QTextEdit *>(target))
        return fragmentText(edit->textCursor());
    if (auto *edit = qobject_cast<QPlainTextEdit *>(target))
        return fragmentText(edit->textCursor());
    // A drop-down list selects its whole current entry.
    if (auto *combo = qobject_cast<QComboBox *>(target))
        return combo->currentText();
    return {};
}

QString wholeText(QWidget *control)
{
    QWidget *target = textTarget(control);
    if (auto *line = qobject_cast<QLineEdit *>(target))
        return line->text();
    if (auto *edit = qobject_cast<QTextEdit *>(target))
        return edit->toPlainText();
    if (auto *edit = qobject_cast<QPlainTextEdit *>(target))
        return edit->toPlainText();
    if (auto *combo = qobject_cast<QComboBox *>(target))
        return combo->currentText();
    return {};
}

template<typename TextEdit>
void replaceIn(TextEdit *edit, const QString &text)
{
    if (edit->isReadOnly())
        return;
    QTextCursor cursor = edit->textCursor();
    cursor.insertText(text);
    edit->setTextCursor(cursor);
}

// Read-only controls and drop-down lists refuse the change; it is skipped.
void replaceSelection(QWidget *control, const QString &text)
{
    QWidget *target = textTarget(control);
    if (auto *line = qobject_cast<QLineEdit *>(target)) {
        if (!line->isReadOnly())
            line->insert(text);
    } else if (auto *rich = qobject_cast<QTextEdit *>(target)) {
        replaceIn(rich, text);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(target)) {
        replaceIn(plain, text);
    }
}

void selectAll(QWidget *control)
{
    QWidget *target = textTarget(control);
    if (auto *line = qobject_cast<QLineEdit *>(target))
        line->selectAll();
    else if (auto *rich = qobject_cast<QTextEdit *>(target))
        rich->selectAll();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(target))
        plain->selectAll();
}

QImage pictureOf(QWidget *control)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->pixmap().toImage();
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        const QIcon icon = button->icon();
        return icon.isNull() ? QImage() : icon.pixmap(button->iconSize()).toImage();
    }
    return {};
}

void setPicture(QWidget *control, const QImage &image)
{
    const QPixmap pixmap = QPixmap::fromImage(image);
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setPixmap(pixmap);
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setIcon(pixmap.isNull() ? QIcon() : QIcon(pixmap));
}

bool clipboardHasText()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

bool clipboardHasImage()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

// Copying nothing would only wipe what the user had on the clipboard.
void putText(const QString &text)
{
    if (text.isEmpty())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void putImage(const QImage &image)
{
    if (!image.isNull())
        QGuiApplication::clipboard()->setImage(image);
}

} // namespace

EditMenu::EditMenu(QWidget *owner)
    : QObject(owner)
    , m_menu(look::named(new QMenu(tr("&Edit"), owner), "mnuEdit"))
    , m_owner(owner)
{
    const struct {
        Item index;
        const char *caption;
        QKeySequence shortcut;
    } items[] = {
        {kCut, QT_TR_NOOP("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X)},
        {kCopy, QT_TR_NOOP("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C)},
        {kPaste, QT_TR_NOOP("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V)},
        {kSeparator, nullptr, {}},
        {kClear, QT_TR_NOOP("C&lear"), QKeySequence(Qt::Key_Delete)},
        {kSelectAll, QT_TR_NOOP("Select &All"), QKeySequence(Qt::CTRL | Qt::Key_A)},
    };
    for (const auto &item : items) {
        QAction *action = look::named(item.caption ? m_menu->addAction(tr(item.caption)) : m_menu->addSeparator(),
                                      "mnuEditItem");
        action->setData(int(item.index));
        // The window context makes the keys work wherever the main window's
        // menu bar holds this menu, and nowhere else.
        action->setShortcut(item.shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        const Item index = item.index;
        connect(action, &QAction::triggered, this, [this, index] { trigger(index); });
        m_items[index] = action;
    }
    connect(m_menu, &QMenu::aboutToShow, this, qOverload<>(&EditMenu::updateItems));
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && !qobject_cast<QMenuBar *>(now))
            m_lastControl = now;
    });
}

QAction *EditMenu::item(Item index) const
{
    return index >= kCut && index <= kSelectAll ? m_items[index] : nullptr;
}

QWidget *EditMenu::focusedControl() const
{
    // Walking the menu bar with the keyboard lends it the focus; the control
    // meant is the one the user left.
    QWidget *focused = QApplication::focusWidget();
    if (qobject_cast<QMenuBar *>(focused))
        focused = m_lastControl;
    // Only a control of the owner's window is ours to edit.
    return focused && m_owner && focused->window() == m_owner->window() ? focused : nullptr;
}

void EditMenu::updateItems()
{
    updateItems(focusedControl());
}

void EditMenu::updateItems(QWidget *focused)
{
    for (Item index : {kCut, kCopy, kPaste, kClear, kSelectAll})
        m_items[index]->setEnabled(false);

    switch (classify(focused)) {
    case Kind::Neither:
        return;
    case Kind::Text: {
        const bool selection = !selectedText(focused).isEmpty();
        const bool takes = takesText(focused);
        m_items[kCut]->setEnabled(selection && takes);
        m_items[kCopy]->setEnabled(selection);
        m_items[kPaste]->setEnabled(takes && clipboardHasText());
        m_items[kClear]->setEnabled(selection && takes);
        m_items[kSelectAll]->setEnabled(!wholeText(focused).isEmpty());
        break;
    }
    case Kind::Picture: {
        const bool picture = !pictureOf(focused).isNull();
        m_items[kCut]->setEnabled(picture);
        m_items[kCopy]->setEnabled(picture);
        m_items[kPaste]->setEnabled(clipboardHasImage());
        m_items[kClear]->setEnabled(picture);
        break;
    }
    }
}

void EditMenu::trigger(Item index)
{
    trigger(index, focusedControl());
}

void EditMenu::trigger(Item index, QWidget *focused)
{
    switch (classify(focused)) {
    case Kind::Neither:
        return;
    case Kind::Text:
        switch (index) {
        case kCut:
            putText(selectedText(focused));
            replaceSelection(focused, QString());
            break;
        case kCopy:
            putText(selectedText(focused));
            break;
        case kPaste:
            if (clipboardHasText())
                replaceSelection(focused, QGuiApplication::clipboard()->text());
            break;
        case kClear:
            replaceSelection(focused, QString());
            break;
        case kSelectAll:
            selectAll(focused);
            break;
        default:
            break;
        }
        return;
    case Kind::Picture:
        switch (index) {
        case kCut:
            putImage(pictureOf(focused));
            setPicture(focused, QImage());
            break;
        case kCopy:
            putImage(pictureOf(focused));
            break;
        case kPaste:
            // Without an image on the clipboard the picture stays as it was.
            if (clipboardHasImage())
                setPicture(focused, QGuiApplication::clipboard()->image());
            break;
        case kClear:
            setPicture(focused, QImage());
            break;
        default:
            break;
        }
        return;
    }
}
