#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "games/gamewindow.h"
#include "puissance4/puissance4match.h"
#include "support/stations.h"

#include <QtTest>
#include <QtWidgets>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// What the network does while carol types in her chat line.
enum class Path { Board, Message, Proposal, Decline };

template <typename Reply>
using XReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_connection_t *x11()
{
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// The top-level window the X server sends key strokes to now, as Qt knows it.
// The round trip also lets the server handle every request Qt made before.
QWindow *keyboardWindow()
{
    const XReply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(x11(), xcb_get_input_focus(x11()), nullptr), &std::free);
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (focus && window->handle() && window->winId() == focus->focus)
            return window;
    }
    return nullptr;
}

// Whether a window manager would leave the keyboard where it is when this
// window maps: the desktop's rule is a user time of 0; none at all reads as
// "give it the focus".
bool asksToBeLeftUnfocused(const QWidget &window)
{
    static constexpr char kName[] = "_NET_WM_USER_TIME";
    const XReply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(x11(), xcb_intern_atom(x11(), 1, sizeof kName - 1, kName), nullptr), &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const XReply<xcb_get_property_reply_t> time(
        xcb_get_property_reply(x11(), xcb_get_property(x11(), 0, window.winId(), atom->atom, XCB_ATOM_CARDINAL, 0, 1),
                               nullptr),
        &std::free);
    return time && xcb_get_property_value_length(time.get()) == 4
        && *static_cast<const quint32 *>(xcb_get_property_value(time.get())) == 0;
}

} // namespace

// Under a real X server: nothing the network opens or brings forward takes
// the keyboard from the line the user is typing in.
class TestFocus final : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server: run through tests/support/under-xvfb.sh");
    }

    void cleanup() { qDeleteAll(QApplication::topLevelWidgets()); }

    void typingGoesOnWhereItWas_data()
    {
        QTest::addColumn<Path>("path");
        QTest::newRow("the opponent's move brings the game forward") << Path::Board;
        QTest::newRow("a private message opens its window") << Path::Message;
        QTest::newRow("a proposal opens its window") << Path::Proposal;
        QTest::newRow("a decline opens its box") << Path::Decline;
    }
    void typingGoesOnWhereItWas()
    {
        QFETCH(Path, path);
        LocalLan lan;
        auto bob = startListed(lan, u"bob"_s);
        auto carol = startListed(lan, u"carol"_s);
        const Puissance4Game &board = carol->station().match<Puissance4Match>().game();
        if (path == Path::Board) {
            // A game on, its window closed: carol went back to the rooms.
            bob->station().proposeGame(Game::Puissance4, u"carol"_s);
            QTRY_VERIFY(carol->proposalWindow(Game::Puissance4));
            QTest::mouseClick(control<QPushButton>(*carol->proposalWindow(Game::Puissance4), "Command1"), Qt::LeftButton);
            QTRY_VERIFY(bob->station().match<Puissance4Match>().isPlaying());
            carol->gameWindow(Game::Puissance4)->close();
        }
        carol->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(carol.get()));
        auto *chatLine = control<QLineEdit>(*carol, "Text3");
        chatLine->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), u"meet at"_s);
        const int discs = board.discCount();

        QWidget *opened = nullptr;
        switch (path) {
        case Path::Board:
            bob->station().match<Puissance4Match>().drop(1);
            QTRY_VERIFY((opened = carol->gameWindow(Game::Puissance4))->isVisible());
            break;
        case Path::Message:
            bob->station().sendPrivateMessage(u"carol"_s, u"lunch?"_s);
            QTRY_VERIFY((opened = carol->messageWindow()));
            break;
        case Path::Proposal:
            bob->station().proposeGame(Game::Othello, u"carol"_s);
            QTRY_VERIFY((opened = carol->proposalWindow(Game::Othello)));
            break;
        case Path::Decline:
            carol->station().proposeGame(Game::Othello, u"bob"_s);
            bob->station().declineProposal(u"carol"_s);
            QTRY_VERIFY((opened = carol->findChild<QMessageBox *>(u"Declined"_s)));
            break;
        }
        QVERIFY(QTest::qWaitForWindowExposed(opened));
        QVERIFY2(asksToBeLeftUnfocused(*opened), "a window manager would give it the keyboard");
        // Once Qt has heard where the server put the keyboard, keys go where Qt says.
        QTRY_COMPARE(QGuiApplication::focusWindow(), keyboardWindow());
        QTest::keyClicks(QApplication::focusWidget(), u" 3pm"_s);

        QCOMPARE(chatLine->text(), u"meet at 3pm"_s);
        QCOMPARE(QApplication::focusWidget(), chatLine);
        QCOMPARE(board.discCount(), discs + (path == Path::Board ? 1 : 0)); // bob's disc, never one of carol's
    }
};

QTEST_MAIN(TestFocus)
#include "test_focus.moc"
