#pragma once

#include <QColor>
#include <QWidget>

// The round marker above the name of the colour to move, in both game windows.
class TurnMarker final : public QWidget
{
    Q_OBJECT
public:
    enum class Side { First, Second }; // above the first or the second colour's name

    // 135 twips across, standing above the first colour at first.
    explicit TurnMarker(QWidget *parent);

    QColor fillColour() const { return m_fill; }
    void setFillColour(const QColor &colour);
    void showOver(Side side, const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill{Qt::black};
};
