#pragma once

#include <QWidget>

class FindBar;
class QPlainTextEdit;

// The read-me in a window of the program's own: plain text, scrollable, and
// searchable with Ctrl+F (Enter or F3 finds the next match, Shift the previous,
// Esc puts the search away). It needs nothing from the desktop.
class ReadmeWindow final : public QWidget
{
    Q_OBJECT
public:
    // The read-me built into the program, so it matches this version wherever
    // the program lies.
    static constexpr char kResource[] = ":/readme/Readme.txt";

    // owner only places the window; it closes with it.
    explicit ReadmeWindow(QWidget *owner);

    // The read-me's text, empty if the program was built without it.
    static QString readmeText();

    // Shows the window, or brings it forward when it is already shown.
    void open();

    // Finds the text from the current match on, going round at the end;
    // false when it is nowhere in the read-me.
    bool find(const QString &text, bool backward = false);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPlainTextEdit *const m_text;
    FindBar *const m_findBar;
    bool m_placed = false;
};
