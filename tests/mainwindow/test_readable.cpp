#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "mainwindow/aboutbox.h"
#include "othello/othellowindow.h"
#include "puissance4/puissance4window.h"
#include "support/stations.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTest>

#include <cmath>

namespace {

// WCAG 2 relative luminance of an sRGB colour.
double luminance(QRgb rgb)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The width a control gives its text, measured with the style that draws it.
int textRoom(const QWidget &control)
{
    if (const auto *label = qobject_cast<const QLabel *>(&control))
        return label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
    if (const auto *button = qobject_cast<const QPushButton *>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.features = button->isDefault() ? QStyleOptionButton::DefaultButton : QStyleOptionButton::None;
        int room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
        if (!button->icon().isNull())
            room -= button->iconSize().width() + 4;
        return room;
    }
    if (const auto *combo = qobject_cast<const QComboBox *>(&control)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        // The label is drawn one pixel inside the edit field on each side.
        return combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).width()
               - 2;
    }
    if (const auto *edit = qobject_cast<const QLineEdit *>(&control)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
        const QMargins margins = edit->textMargins();
        // QLineEdit keeps one more pixel clear on each side of its text.
        return edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() - margins.left()
               - margins.right() - 2;
    }
    return -1;
}

// Every text a control shows whole: a button's caption without its mnemonic
// mark, a label's text, each item of a combo box, a read-only field's text.
QStringList shownTexts(const QWidget &control)
{
    if (const auto *label = qobject_cast<const QLabel *>(&control))
        return label->wordWrap() || label->text().isEmpty() ? QStringList() : QStringList{label->text()};
    if (const auto *button = qobject_cast<const QPushButton *>(&control))
        return {QString(button->text()).remove(QRegularExpression(QStringLiteral("&(?!&)")))};
    if (const auto *combo = qobject_cast<const QComboBox *>(&control)) {
        QStringList items;
        for (int index = 0; index < combo->count(); ++index)
            items << combo->itemText(index);
        return items;
    }
    const auto *edit = qobject_cast<const QLineEdit *>(&control);
    return edit && edit->isReadOnly() && !edit->text().isEmpty() ? QStringList{edit->text()} : QStringList();
}

// How far the darkest-drawn pixel of a glyph may lie from the text colour:
// small glyphs are smoothed, and few of their pixels are wholly covered.
constexpr int kInkTolerance = 48;

enum class Window { Main, Writing, Received, OthelloProposal, Puissance4Proposal, About, Othello, Puissance4 };

} // namespace

Q_DECLARE_METATYPE(Window)

// Text that can be read: every control shows its whole text with the fonts
// the system really has, and the status bar's text stands out from the
// picture behind it.
class TestReadable final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyTextFits_data();
    void everyTextFits();
    void statusBarContrast_data();
    void statusBarContrast();

private:
    QWidget *open(Window window);

    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<MainWindow> m_alice;
};

void TestReadable::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_alice = startStation(*m_lan, "alice");
    QTRY_COMPARE(userList(*m_alice), QString("alice:1"));
}

void TestReadable::cleanup()
{
    delete AboutBox::instance();
    m_alice.reset();
    m_lan.reset();
}

QWidget *TestReadable::open(Window window)
{
    Station &station = m_alice->station();
    switch (window) {
    case Window::Main:
        return m_alice.get();
    case Window::Writing:
    case Window::Received: {
        auto *message = new MessageWindow(station, m_alice.get());
        if (window == Window::Writing)
            message->openToWrite(QStringLiteral("bob"));
        else
            message->openReceived(QStringLiteral("bob"), QStringLiteral("hello"), QStringLiteral("14:03:27"));
        return message;
    }
    case Window::OthelloProposal:
    case Window::Puissance4Proposal: {
        auto *proposal = new ProposalWindow(station, window == Window::OthelloProposal ? Game::Othello : Game::Puissance4,
                                            QStringLiteral("bob"), m_alice.get());
        proposal->open();
        return proposal;
    }
    case Window::About:
        AboutBox::open(m_alice.get());
        return AboutBox::instance();
    case Window::Othello: // starting a game builds and opens its window
        station.startGame(Game::Othello, QStringLiteral("bob"));
        return m_alice->gameWindow(Game::Othello);
    case Window::Puissance4:
        station.startGame(Game::Puissance4, QStringLiteral("bob"));
        return m_alice->gameWindow(Game::Puissance4);
    }
    return nullptr;
}

void TestReadable::everyTextFits_data()
{
    QTest::addColumn<Window>("window");
    QTest::newRow("main window") << Window::Main;
    QTest::newRow("message window, writing") << Window::Writing;
    QTest::newRow("message window, received") << Window::Received;
    QTest::newRow("Othello proposal") << Window::OthelloProposal;
    QTest::newRow("Puissance 4 proposal") << Window::Puissance4Proposal;
    QTest::newRow("About box") << Window::About;
    QTest::newRow("Othello window") << Window::Othello;
    QTest::newRow("Puissance 4 window") << Window::Puissance4;
}

// Each text's advance in its control's own font against the room the control
// gives it, and the font's line height against the control's height.
void TestReadable::everyTextFits()
{
    QFETCH(Window, window);
    QWidget *shown = open(window);
    QVERIFY(shown && shown->isVisible());
    // The status bar lays its panels out once it is shown.
    QCoreApplication::processEvents();

    QStringList clipped;
    int measured = 0;
    for (const QWidget *control : shown->findChildren<QWidget *>()) {
        if (!control->isVisibleTo(shown) || control->window() != shown)
            continue;
        const int room = textRoom(*control);
        const QFontMetrics metrics = control->fontMetrics();
        const int height = control->contentsRect().height();
        for (const QString &text : shownTexts(*control)) {
            ++measured;
            const QString where = QStringLiteral("%1 \"%2\": ").arg(control->objectName(), text);
            if (const int need = metrics.horizontalAdvance(text); need > room)
                clipped << where + QStringLiteral("%1 px in %2").arg(need).arg(room);
            if (metrics.height() > height)
                clipped << where + QStringLiteral("%1 px high in %2").arg(metrics.height()).arg(height);
        }
    }
    QVERIFY(measured > 0);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
}

void TestReadable::statusBarContrast_data()
{
    QTest::addColumn<QByteArray>("panel");
    QTest::addColumn<QString>("text");
    QTest::newRow("user count") << QByteArray("StatusPanel1") << QString();
    QTest::newRow("clock") << QByteArray("StatusPanel2") << QString();
    QTest::newRow("notice") << QByteArray("noticePanel")
                            << QStringLiteral("Another station on this network uses the name alice");
}

// The text colour the label paints with against every pixel of what lies
// under its text, as the window renders it: the picture, and any backing.
void TestReadable::statusBarContrast()
{
    QFETCH(QByteArray, panel);
    QFETCH(QString, text);
    if (!text.isEmpty())
        m_alice->setNotice(MainWindow::Notice::Alone, text);
    auto *label = control<QLabel>(*m_alice, panel.constData());
    QCoreApplication::processEvents();
    QVERIFY(label->isVisible() && !label->text().isEmpty());

    const QRect area(label->mapTo(m_alice.get(), QPoint()), label->size());
    const QImage withText = m_alice->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    const QString shownText = label->text();
    label->setText(QStringLiteral(" "));
    const QImage background = m_alice->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    label->setText(shownText);
    QCOMPARE(withText.size(), background.size());

    // The text's own pixels are where the two pictures differ.
    QRect textBox;
    for (int y = 0; y < withText.height(); ++y)
        for (int x = 0; x < withText.width(); ++x)
            textBox |= withText.pixel(x, y) != background.pixel(x, y) ? QRect(x, y, 1, 1) : QRect();
    QVERIFY2(!textBox.isEmpty(), "no text drawn");

    const QRgb ink = label->palette().color(label->foregroundRole()).rgb();
    bool inkUsed = false;
    double worst = 21.0;
    for (int y = textBox.top(); y <= textBox.bottom(); ++y) {
        for (int x = textBox.left(); x <= textBox.right(); ++x) {
            worst = std::min(worst, contrast(ink, background.pixel(x, y)));
            const QRgb drawn = withText.pixel(x, y);
            inkUsed |= std::max({std::abs(qRed(drawn) - qRed(ink)), std::abs(qGreen(drawn) - qGreen(ink)),
                                 std::abs(qBlue(drawn) - qBlue(ink))})
                       <= kInkTolerance;
        }
    }
    // The colour measured is the one the glyphs are drawn in, give or take smoothing.
    QVERIFY(inkUsed);
    qInfo("%s: %.2f : 1", panel.constData(), worst);
    QVERIFY2(worst >= 4.5, qPrintable(QStringLiteral("%1 : 1").arg(worst, 0, 'f', 2)));
}

QTEST_MAIN(TestReadable)
#include "test_readable.moc"
