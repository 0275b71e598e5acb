#include "look/look.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTest>

namespace {

using IconFunction = QIcon (*)();

bool hasInk(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

} // namespace

// The icons are PNGs rendered from the SVG sources at build time.
class TestIcons final : public QObject
{
    Q_OBJECT

private slots:
    void shownSizes_data()
    {
        QTest::addColumn<IconFunction>("icon");
        QTest::addColumn<int>("size"); // logical pixels, as a window shows it

        QTest::newRow("sail, title bar and tray") << &look::sailIcon << 16;
        QTest::newRow("sail, large tray") << &look::sailIcon << 24;
        QTest::newRow("sail, task bar") << &look::sailIcon << 32;
        QTest::newRow("sail, switcher") << &look::sailIcon << 48;
        QTest::newRow("envelope, title bar") << &look::envelopeIcon << 16;
        QTest::newRow("envelope, large title bar") << &look::envelopeIcon << 24;
        QTest::newRow("envelope, task bar") << &look::envelopeIcon << 32;
        QTest::newRow("sun, title bar") << &look::sunIcon << 16;
        QTest::newRow("sun, large title bar") << &look::sunIcon << 24;
        QTest::newRow("sun, task bar") << &look::sunIcon << 32;
        QTest::newRow("lit bulb, user list") << &look::bulbOnIcon << 16;
        QTest::newRow("unlit bulb, user list") << &look::bulbOffIcon << 16;
    }

    // Every size a window shows comes rendered at that size, and at twice it
    // for high-DPI screens, never scaled from another size.
    void shownSizes()
    {
        QFETCH(IconFunction, icon);
        QFETCH(int, size);
        const QIcon shown = icon();
        for (const int ratio : {1, 2}) {
            const QSize pixels(size * ratio, size * ratio);
            QVERIFY2(shown.availableSizes().contains(pixels),
                     qPrintable(QStringLiteral("no %1 px rendering").arg(size * ratio)));
            const QPixmap pixmap = shown.pixmap(QSize(size, size), ratio);
            QCOMPARE(pixmap.size(), pixels);
            QVERIFY2(hasInk(pixmap.toImage()), "the rendering is blank");
        }
    }

    void bulbsDiffer()
    {
        const QImage on = look::bulbOnIcon().pixmap(16).toImage();
        const QImage off = look::bulbOffIcon().pixmap(16).toImage();
        QVERIFY(!on.isNull());
        QVERIFY(on != off);
    }

    // The point of rendering at build time: showing the icons maps no SVG code.
    void noSvgLibrary()
    {
        for (const IconFunction icon : {&look::sailIcon, &look::envelopeIcon, &look::sunIcon,
                                        &look::bulbOnIcon, &look::bulbOffIcon})
            QVERIFY(!icon().pixmap(32).isNull());
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly))
            QSKIP("/proc/self/maps is not readable here");
        const QByteArray mapped = maps.readAll();
        QVERIFY2(!mapped.contains("Svg") && !mapped.contains("svg"), "an SVG library was loaded");
    }
};

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
