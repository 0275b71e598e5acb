// The floor Quillet's start-up and memory are compared with: the least a Qt
// program with the same kind of window can do. A main window with a plain
// text log and a status-bar label, and one presence broadcast at start, as a
// station sends. --plain leaves the text log out.
#include <QApplication>
#include <QHostAddress>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStringEncoder>
#include <QUdpSocket>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool plain = app.arguments().contains(QStringLiteral("--plain"));

    QMainWindow window;
    if (!plain)
        window.setCentralWidget(new QPlainTextEdit(&window));
    window.statusBar()->addWidget(new QLabel(QStringLiteral("floor"), &window));
    window.resize(640, 480);
    window.show();

    // The same presence a station named "floor" sends, in the same code page.
    QStringEncoder encoder("windows-1252");
    const QByteArray presence = encoder.encode(QStringLiteral("3§floor§"));
    QUdpSocket socket;
    socket.writeDatagram(presence, QHostAddress::Broadcast, 31313);

    return app.exec();
}
