#pragma once

#include <QPlainTextEdit>

// A multi-line text box that holds at most maxLength characters, a line break
// counting as one. Typing, pasting, dropping and input-method text all stop at
// the limit and keep what fits; text set by the program is not limited.
class LimitedTextEdit final : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit LimitedTextEdit(int maxLength, QWidget *parent = nullptr);

    int maxLength() const { return m_maxLength; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // Characters that may still go in, the selection being replaced.
    int room() const;

    int m_maxLength;
};
