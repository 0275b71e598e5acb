#include "mainwindow/preferencesdialog.h"
#include "wire/messages.h"
#include "support/stations.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList filesUnder(const QString &path)
{
    QStringList files;
    for (QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        files << it.next();
    return files;
}

QPushButton *okButton(const QWidget &dialog)
{
    return dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
}

} // namespace

// The preferences: kept only when changed, a name the wire cannot carry
// refused, a new name told to every station, USERNAME still first.
class TestPreferences final : public QObject
{
    Q_OBJECT
private slots:
    // A fresh home for the whole run: Qt reads where settings go only once.
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(u".config"_s)));
        qputenv("USER", "bob");
    }

    // Starting, looking at the preferences and leaving with OK or Cancel
    // writes nothing at all.
    void unchangedWritesNothing()
    {
        LocalLan lan;
        auto bob = startListed(lan, u"bob"_s);
        for (const auto button : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
            bob->findChild<QAction *>(u"mnuPreferences"_s)->trigger();
            auto *dialog = bob->findChild<PreferencesDialog *>();
            QVERIFY(dialog && dialog->isVisible());
            QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(button), Qt::LeftButton);
            QTRY_VERIFY(!bob->findChild<PreferencesDialog *>());
        }
        bob->close();
        bob.reset();
        QCOMPARE(filesUnder(m_home.path()), QStringList());
    }

    // Refused with the characters shown, as the chat line marks them.
    void nameThatCannotTravel_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refused"); // empty: taken
        QTest::newRow("Greek letters") << "Δημήτρης" << "Δ η μ ή τ ρ ς";
        QTest::newRow("the field separator") << "bob§x" << "§";
        QTest::newRow("Latin with accents") << "José Müller" << "";
    }
    void nameThatCannotTravel()
    {
        QFETCH(QString, name);
        QFETCH(QString, refused);
        PreferencesDialog dialog({}, u"bob"_s, {}, false, nullptr);
        dialog.show();
        control<QLineEdit>(dialog, "preferencesName")->insert(name); // as pasted: keys type Latin-1 only
        const auto *note = control<QLabel>(dialog, "nameRefused");
        QCOMPARE(note->isVisible(), !refused.isEmpty());
        QVERIFY(refused.isEmpty() || note->text().endsWith(refused));
        QCOMPARE(okButton(dialog)->isEnabled(), refused.isEmpty());
        QVERIFY(!control<QCheckBox>(dialog, "preferencesTray")->isEnabled()); // no tray here
    }

    // USERNAME names the station for scripts whatever was chosen.
    void usernameOverrides_data()
    {
        QTest::addColumn<QByteArray>("username");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("named");
        QTest::newRow("USERNAME over the choice") << QByteArray("script") << "Robert" << "script";
        QTest::newRow("the choice over the login") << QByteArray() << "Robert" << "Robert";
        QTest::newRow("the login when none chosen") << QByteArray() << "" << "bob";
    }
    void usernameOverrides()
    {
        QFETCH(QByteArray, username);
        QFETCH(QString, chosen);
        QFETCH(QString, named);
        qputenv("USERNAME", username);
        QCOMPARE(stationUserName(chosen), named);
    }

    // A new name leaves as the old one and arrives as itself, and is kept.
    void renameIsDepartureThenPresence()
    {
        LocalLan lan;
        auto bob = composeStation(*lan.attach(), QStringLiteral("bob"));
        qunsetenv("USERNAME");
        bob->start();
        QTRY_COMPARE(userList(*bob), u"bob:1"_s);
        lan.clearSent();
        bob->findChild<QAction *>(u"mnuPreferences"_s)->trigger();
        auto *dialog = bob->findChild<PreferencesDialog *>();
        QTest::keyClicks(control<QLineEdit>(*dialog, "preferencesName"), u"Robert"_s);
        QTest::mouseClick(okButton(*dialog), Qt::LeftButton);
        QCOMPARE(lan.sent().mid(0, 2), (QList<QByteArray>{wire::encode(wire::departure(u"bob"_s)),
                                                           wire::encode(wire::presence(u"Robert"_s))}));
        QTRY_COMPARE(userList(*bob), u"Robert:1"_s);
        QCOMPARE(Preferences::load().name, u"Robert"_s);
        QCOMPARE(filesUnder(m_home.path()), QStringList{Preferences::fileName()});
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(TestPreferences)
#include "test_preferences.moc"
