#pragma once

#include <QColor>
#include <QWidget>

// The round marker above the name of the colour to move, in both game windows.
class TurnMarker final : public QWidget
{
    Q_OBJECT
public:
    explicit TurnMarker(QWidget *parent);

    QColor FillColor() const { return m_fill; }
    void setFillColor(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill{Qt::black};
};
