#include "feed_station.h"
#include "wire/messages.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString kFuzzDir = QStringLiteral(QUILLET_FUZZ_DIR);

QList<QFileInfo> inputsIn(const QString &folder)
{
    return QDir(kFuzzDir + u'/' + folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray contents(const QFileInfo &file)
{
    QFile in(file.filePath());
    if (!in.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.filePath()));
    return in.readAll();
}

} // namespace

// Every seed of the fuzz target and every input that ever broke a station,
// each followed by a chat line the station must still show on its own.
class FuzzReplay final : public QObject
{
    Q_OBJECT
private slots:
    void replay_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        for (const QString &folder : {QStringLiteral("corpus"), QStringLiteral("regressions")})
            for (const QFileInfo &file : inputsIn(folder))
                QTest::newRow(qPrintable(folder + u'/' + file.fileName())) << contents(file);
    }

    void replay()
    {
        QFETCH(QByteArray, datagram);
        feedStation(datagram);
        // Only the probe shows: the input's own lines went with it, and the
        // station still reads and shows what a peer says.
        const QString probe = QStringLiteral("[bob,10:00:00]> still here");
        QCOMPARE(feedStation(wire::encode(wire::workLine(probe))), QStringList{probe});
    }
};

QTEST_MAIN(FuzzReplay)
#include "fuzz_replay.moc"
