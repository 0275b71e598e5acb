#include "mainwindow/logactions.h"
#include "mainwindow/roomlog.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

// The shown room's log: saved as the user asks, cleared with a moment to
// take it back, and searched with Ctrl+F.
class TestLogActions final : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_window = std::make_unique<QMainWindow>();
        m_rooms = new QTabWidget(m_window.get());
        m_logs = {new RoomLog, new RoomLog};
        m_rooms->addTab(m_logs[0], u"Work room"_s);
        m_rooms->addTab(m_logs[1], u"Tea room"_s);
        m_window->setCentralWidget(m_rooms);
        m_actions = new LogActions(*m_rooms, m_logs, *m_window->statusBar());
        for (const QString &line : {u"w1"_s, u"Δημήτρης: γεια σου"_s, u"two\nlines"_s})
            m_logs[0]->appendLine(line);
        m_logs[1]->appendLine(u"t1"_s);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // The file holds the shown log's text as UTF-8, a line each.
    void saveAsWritesTheShownLog_data()
    {
        QTest::addColumn<int>("room");
        QTest::newRow("work room, beyond Latin") << 0;
        QTest::newRow("tea room") << 1;
    }
    void saveAsWritesTheShownLog()
    {
        QFETCH(int, room);
        m_rooms->setCurrentIndex(room);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"log.txt"_s);
        m_actions->saveShownLog();
        auto *dialog = m_window->findChild<QFileDialog *>(u"saveLogDialog"_s);
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(dialog->selectedFiles().value(0).endsWith(m_rooms->tabText(room) + u' '
                                                          + QDate::currentDate().toString(Qt::ISODate) + u".txt"_s));
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), m_logs[room]->toPlainText() + u'\n');
    }

    // Undo puts the cleared lines back before those that came since; once
    // its time is up the lines are gone for good.
    void clearOffersUndo()
    {
        auto *undo = m_window->findChild<QToolButton *>(u"undoClearLog"_s);
        m_actions->clearShownLog();
        QVERIFY(m_logs[0]->text().isEmpty() && undo->isVisible());
        m_logs[0]->appendLine(u"w2"_s);
        QTest::mouseClick(undo, Qt::LeftButton);
        QCOMPARE(m_logs[0]->text(), u"w1\nΔημήτρης: γεια σου\ntwo↵lines\nw2"_s);
        QVERIFY(undo->isHidden());

        m_actions->clearShownLog();
        m_window->findChild<QTimer *>(u"undoClearTimer"_s)->start(0);
        QTRY_VERIFY(undo->isHidden());
        m_actions->undoClear();
        QVERIFY(m_logs[0]->text().isEmpty());
    }

    // Ctrl+F finds in the log shown, going round at its end.
    void ctrlFFindsInTheShownLog()
    {
        m_rooms->setCurrentIndex(1);
        QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier);
        auto *field = m_window->findChild<QLineEdit *>(u"findField"_s);
        QVERIFY(field->isVisible() && field->hasFocus());
        QTest::keyClicks(field, u"t1"_s);
        QCOMPARE(m_logs[1]->textCursor().selectedText(), u"t1"_s);
        m_rooms->setCurrentIndex(0);
        QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(field, u"w"_s);
        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(m_logs[0]->textCursor().selectedText(), u"w"_s);
        QCOMPARE(m_logs[0]->textCursor().blockNumber(), 0);
    }

private:
    std::unique_ptr<QMainWindow> m_window;
    QTabWidget *m_rooms = nullptr;
    std::array<RoomLog *, 2> m_logs{};
    LogActions *m_actions = nullptr;
};

QTEST_MAIN(TestLogActions)
#include "test_logactions.moc"
