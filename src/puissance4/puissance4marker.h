#pragma once

#include <QColor>
#include <QWidget>

// The turn marker `Shape1`: a filled circle with a light grey outline.
class Puissance4Marker final : public QWidget
{
    Q_OBJECT
public:
    explicit Puissance4Marker(QWidget *parent);

    QColor fill() const { return m_fill; }
    void setFill(const QColor &fill);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
};
