#include "look/look.h"

#include <QImage>
#include <QTest>
#include <QWidget>

// Window backgrounds: the picture from the top-left corner, the back colour
// beyond it, and one picture per kind however many windows show it. That the
// status bar's text reads well on what is drawn behind it is test_readable's.
class TestBackground final : public QObject
{
    Q_OBJECT
private slots:
    void pictureThenBackColour()
    {
        const QColor back(1, 2, 3);
        for (const look::Picture kind : {look::Picture::Warm, look::Picture::Pale, look::Picture::Navy}) {
            const QImage picture = look::picture(kind).toImage();
            const QPoint corner(picture.width() - 1, picture.height() - 1);
            QWidget window;
            window.setFixedSize(picture.size() + QSize(40, 30));
            look::setBackground(window, kind, back);
            const QImage shown = window.grab().toImage();
            for (const QPoint at : {QPoint(0, 0), corner / 2, corner})
                QCOMPARE(shown.pixelColor(at), picture.pixelColor(at));
            // A gradient from dark to light, not a flat colour.
            QVERIFY(picture.pixelColor(0, 0).lightness() + 100 < picture.pixelColor(corner).lightness());
            for (const QPoint at : {QPoint(corner.x() + 1, 0), QPoint(0, corner.y() + 1), corner + QPoint(39, 29)})
                QCOMPARE(shown.pixelColor(at), back);
            // Another window of the same kind, another back colour: still the one picture.
            QWidget other;
            look::setBackground(other, kind, Qt::white);
            QCOMPARE(other.palette().window().texture().cacheKey(), window.palette().window().texture().cacheKey());
        }
    }
};

QTEST_MAIN(TestBackground)
#include "test_background.moc"
