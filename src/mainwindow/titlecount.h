#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Room lines that arrive while the main window is minimised or not the
// active window: counted in its title, "(3) Quillet", and the window asks
// the desktop for attention (the task bar's urgency hint). Both clear as
// soon as the user looks at the window. Needs no tray.
class TitleCount final : public QObject
{
    Q_OBJECT
public:
    explicit TitleCount(QWidget &window);

    void lineArrived();
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isLookedAt() const;
    void clear();

    QWidget &m_window;
    QString m_title; // the title without the count
    int m_count = 0;
};
