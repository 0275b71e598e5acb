#include "look/look.h"

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

// The icons are PNGs rendered from the SVG sources at build time; that showing
// them maps no SVG code is test_startup's.
class TestIcons final : public QObject
{
    Q_OBJECT

private slots:
    void shownSizes_data()
    {
        QTest::addColumn<IconFunction>("icon");
        QTest::addColumn<QList<int>>("sizes"); // logical pixels, as a window shows it

        QTest::newRow("sail: title bar, tray, task bar, switcher") << &look::sailIcon << QList<int>{16, 24, 32, 48};
        QTest::newRow("envelope: title bar, task bar") << &look::envelopeIcon << QList<int>{16, 24, 32};
        QTest::newRow("sun: title bar, task bar") << &look::sunIcon << QList<int>{16, 24, 32};
        QTest::newRow("lit bulb, user list") << &look::bulbOnIcon << QList<int>{16};
        QTest::newRow("unlit bulb, user list") << &look::bulbOffIcon << QList<int>{16};
    }

    // Every size a window shows comes rendered at that size, and at twice it
    // for high-DPI screens, never scaled from another size.
    void shownSizes()
    {
        QFETCH(IconFunction, icon);
        QFETCH(QList<int>, sizes);
        const QIcon shown = icon();
        for (const int size : sizes) {
            for (const int ratio : {1, 2}) {
                const QSize pixels(size * ratio, size * ratio);
                QVERIFY2(shown.availableSizes().contains(pixels), qPrintable(QStringLiteral("no %1 px").arg(size * ratio)));
                const QPixmap pixmap = shown.pixmap(QSize(size, size), ratio);
                QCOMPARE(pixmap.size(), pixels);
                QVERIFY2(hasInk(pixmap.toImage()), "the rendering is blank");
            }
        }
    }

    void bulbsDiffer()
    {
        QVERIFY(look::bulbOnIcon().pixmap(16).toImage() != look::bulbOffIcon().pixmap(16).toImage());
    }
};

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
