#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

// Finding in a text as one types: Ctrl+F anywhere in the window shows the
// field, Enter or F3 finds the next match, Shift the previous, Esc puts the
// field away. The text searched is asked for at each search, so one bar
// serves a window that shows one of several texts.
class FindBar final : public QWidget
{
    Q_OBJECT
public:
    FindBar(std::function<QPlainTextEdit *()> text, const QString &placeholder, QWidget *parent);

    // Finds the text from the current match on, going round at the end;
    // false when it is nowhere in the text.
    bool find(const QString &text, bool backward = false);
    void open();
    // Puts the field away and gives the focus back to the text.
    void putAway();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void findAsTyped();
    void findAgain(bool backward);

    std::function<QPlainTextEdit *()> m_text;
    QLineEdit *const m_field;
    QLabel *const m_notFound;
};
