#include "look/look.h"

#include <QImage>
#include <QTest>
#include <QWidget>

Q_DECLARE_METATYPE(look::Picture)

// Window backgrounds: the picture from the top-left corner, the back colour
// beyond it, and one picture per kind however many windows show it.
class TestBackground final : public QObject
{
    Q_OBJECT
private slots:
    void pictureThenBackColour_data();
    void pictureThenBackColour();
    void filledChildStartsAtThePictureCorner();
};

void TestBackground::pictureThenBackColour_data()
{
    QTest::addColumn<look::Picture>("kind");
    QTest::addColumn<QSize>("size");
    QTest::newRow("warm") << look::Picture::Warm << QSize(700, 350);
    QTest::newRow("pale") << look::Picture::Pale << QSize(500, 200);
    QTest::newRow("navy") << look::Picture::Navy << QSize(300, 350);
}

void TestBackground::pictureThenBackColour()
{
    QFETCH(look::Picture, kind);
    QFETCH(QSize, size);
    const QColor back(1, 2, 3);
    QWidget window;
    window.setFixedSize(size + QSize(40, 30));
    look::setBackground(window, kind, back);
    const QImage shown = window.grab().toImage();
    const QImage picture = look::picture(kind).toImage();
    QCOMPARE(picture.size(), size);

    const int right = size.width() - 1;
    const int bottom = size.height() - 1;
    for (const QPoint at : {QPoint(0, 0), QPoint(right, 0), QPoint(right / 2, bottom / 3), QPoint(right, bottom)})
        QCOMPARE(shown.pixelColor(at), picture.pixelColor(at));
    // The picture is a gradient from dark to light, not a flat colour.
    QVERIFY(picture.pixelColor(0, 0).lightness() + 100 < picture.pixelColor(right, bottom).lightness());
    for (const QPoint at : {QPoint(right + 1, 0), QPoint(0, bottom + 1), QPoint(right + 39, bottom + 29)})
        QCOMPARE(shown.pixelColor(at), back);

    // Another window of the same kind, another back colour: still the one picture.
    QWidget other;
    look::setBackground(other, kind, Qt::white);
    const qint64 shared = look::picture(kind).cacheKey();
    QCOMPARE(window.palette().window().texture().cacheKey(), shared);
    QCOMPARE(other.palette().window().texture().cacheKey(), shared);
}

// A child that fills its own background (a status bar) shows the picture from
// the picture's corner, not the part of the picture that lies behind it.
void TestBackground::filledChildStartsAtThePictureCorner()
{
    QWidget window;
    window.setFixedSize(640, 337);
    look::setBackground(window, look::Picture::Warm, Qt::black);
    auto *child = new QWidget(&window);
    child->setGeometry(0, 320, 640, 17);
    child->setAutoFillBackground(true);
    const QImage shown = window.grab().toImage();
    const QImage picture = look::picture(look::Picture::Warm).toImage();
    QCOMPARE(shown.pixelColor(0, 320), picture.pixelColor(0, 0));
    QCOMPARE(shown.pixelColor(300, 330), picture.pixelColor(300, 10));
}

QTEST_MAIN(TestBackground)
#include "test_background.moc"
