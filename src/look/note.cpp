#include "look/note.h"

#include "look/look.h"
#include "look/names.h"

#include <QLabel>
#include <QWidget>

namespace look {

namespace {
constexpr int kMarginTwips = 120;
} // namespace

QLabel *noteRow(QWidget &window, int designHeightTwips)
{
    auto *note = named(new QLabel(&window), "noteRow");
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    note->setFont(verdana(kSmallPoints));
    note->setAutoFillBackground(true);
    note->setMargin(2);
    QPalette colours = note->palette();
    colours.setColor(QPalette::Window, kPanelGrey);
    colours.setColor(QPalette::WindowText, Qt::black);
    note->setPalette(colours);
    note->move(px(kMarginTwips), px(designHeightTwips));
    note->hide();
    return note;
}

void showNote(QWidget &window, QLabel &note, int designHeightTwips, const QStringList &lines)
{
    QStringList shown = lines;
    shown.removeAll(QString());
    const int width = window.width() - 2 * px(kMarginTwips);
    note.setText(shown.join(u'\n'));
    note.resize(width, note.heightForWidth(width));
    note.setVisible(!shown.isEmpty());
    const int below = shown.isEmpty() ? 0 : note.height() + px(kMarginTwips);
    window.setFixedSize(window.width(), px(designHeightTwips) + below);
}

} // namespace look
