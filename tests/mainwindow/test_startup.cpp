#include "look/look.h"
#include "mainwindow/mainwindow.h"
#include "net/messages.h"
#include "net/wire.h"

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include <algorithm>

namespace {

// Notes, for each datagram sent, how many widgets the window had by then.
class RecordingLink final : public DatagramLink
{
public:
    const QObject *window = nullptr;
    QList<QByteArray> sent;
    QList<int> widgetsAtSend;

    void send(const QByteArray &datagram) override
    {
        sent << datagram;
        widgetsAtSend << int(window->findChildren<QWidget *>().size());
    }
    bool isOwnAddress(const QHostAddress &) const override { return false; }
};

// Which of the wanted names appear among the libraries this process has mapped.
QStringList mappedLibraries(const QStringList &wanted)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {"/proc/self/maps unreadable"};
    const QString text = QString::fromLatin1(maps.readAll());
    QStringList found;
    std::copy_if(wanted.begin(), wanted.end(), std::back_inserter(found),
                 [&text](const QString &name) { return text.contains(name); });
    return found;
}

} // namespace

// Start-up as the program does it, in a process of its own: the first
// broadcast before the window, and no image-format plugin for the first frame.
class TestStartup final : public QObject
{
    Q_OBJECT
private slots:
    void startUp();
};

void TestStartup::startUp()
{
    QApplication::setStyle(look::createStyle());
    RecordingLink link;
    qputenv("USERNAME", "alice");
    MainWindow window(link);
    link.window = &window;
    window.start();
    // Sent before a single widget exists; the availability box's first selection sends nothing.
    QCOMPARE(link.sent, (QList<QByteArray>{wire::encode(wire::presence("alice")),
                                           wire::encode(wire::availability("alice", 0))}));
    QCOMPARE(link.widgetsAtSend, (QList<int>{0, 0}));
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    QCOMPARE(mappedLibraries({"libQt6Svg", "/imageformats/", "/iconengines/"}), QStringList());

    // The menu bar's extension button still has its icon when it is drawn.
    auto *extension = window.menuBar()->findChild<QToolButton *>();
    QVERIFY(extension);
    QVERIFY(!extension->icon().pixmap(16).isNull());
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
