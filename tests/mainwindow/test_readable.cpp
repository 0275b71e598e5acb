#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "look/translations.h"
#include "mainwindow/aboutbox.h"
#include "othello/othellowindow.h"
#include "puissance4/puissance4window.h"
#include "support/stations.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>

namespace {

// WCAG 2 contrast ratio of two sRGB colours, from their relative luminance.
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb rgb) {
        const auto channel = [](int value) {
            const double c = value / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every text a control shows whole (a button's caption without its mnemonic
// mark, a label's text, each item of a combo box, a read-only field's text),
// and the width the control gives it, measured with the style that draws it.
std::pair<QStringList, int> shownTexts(const QWidget &control)
{
    const QStyle *style = control.style();
    if (const auto *label = qobject_cast<const QLabel *>(&control)) {
        const int room = label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
        return {label->wordWrap() || label->text().isEmpty() ? QStringList() : QStringList{label->text()}, room};
    }
    if (const auto *button = qobject_cast<const QPushButton *>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.features = button->isDefault() ? QStyleOptionButton::DefaultButton : QStyleOptionButton::None;
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return {{QString(button->text()).remove(QRegularExpression(QStringLiteral("&(?!&)")))},
                style->subElementRect(QStyle::SE_PushButtonContents, &option, button).width() - icon};
    }
    if (const auto *combo = qobject_cast<const QComboBox *>(&control)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        QStringList items;
        for (int index = 0; index < combo->count(); ++index)
            items << combo->itemText(index);
        // The label is drawn one pixel inside the edit field on each side.
        return {items, style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).width() - 2};
    }
    const auto *edit = qobject_cast<const QLineEdit *>(&control);
    if (!edit || !edit->isReadOnly() || edit->text().isEmpty())
        return {};
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QMargins margins = edit->textMargins();
    // QLineEdit keeps one more pixel clear on each side of its text.
    return {{edit->text()},
            style->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() - margins.left() - margins.right() - 2};
}

// What a language's translation says of the texts shown: the English texts
// it gives another text for, and its texts cut short with a full stop where
// the English has none ("Schw." for "Black"), as a word that did not fit is.
struct Translation {
    QSet<QString> english;
    QSet<QString> abbreviated;
};

Translation readTranslation(const QByteArray &language)
{
    QFile file(QStringLiteral(QUILLET_TRANSLATIONS "/quillet_%1.ts").arg(QString::fromLatin1(language)));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no translation file for %s", language.constData());
    Translation read;
    QXmlStreamReader ts(&file);
    QString source;
    const QRegularExpression mnemonic(QStringLiteral("&(?!&)"));
    while (ts.readNextStartElement() || !ts.atEnd()) {
        if (ts.isStartElement() && ts.name() == QLatin1String("source")) {
            source = ts.readElementText();
        } else if (ts.isStartElement() && ts.name() == QLatin1String("translation")) {
            // A plural translation holds its forms as elements of their own.
            const QString translation = ts.readElementText(QXmlStreamReader::IncludeChildElements);
            if (translation != source)
                read.english << QString(source).remove(mnemonic);
            if (translation.endsWith(u'.') && !source.endsWith(u'.'))
                read.abbreviated << QString(translation).remove(mnemonic);
        } else if (!ts.isStartElement()) {
            ts.readNext();
        }
    }
    return read;
}

// Room a title bar takes beside its caption on common desktops: the window's
// icon (about 24 px), its minimise and close buttons (about 28 px each) and
// their margins.
constexpr int kTitleBarControls = 104;

// How far the darkest-drawn pixel of a glyph may lie from the text colour:
// small glyphs are smoothed, and few of their pixels are wholly covered.
constexpr int kInkTolerance = 48;

} // namespace

// Text that can be read: every control shows its whole text with the fonts
// the system really has, and the status bar's text stands out from the
// picture behind it.
class TestReadable final : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        // Rows of the fit test name their language: the windows are built in it.
        const QByteArray tag = QTest::currentDataTag();
        const QByteArray language = tag.contains(':') ? tag.left(tag.indexOf(':')) : QByteArray("C");
        look::installTranslations(QLocale(QString::fromLatin1(language)));
        m_lan = std::make_unique<LocalLan>();
        m_alice = startStation(*m_lan, QStringLiteral("alice"));
        QTRY_COMPARE(userList(*m_alice), QStringLiteral("alice:1"));
    }

    void cleanup()
    {
        delete AboutBox::instance();
        m_alice.reset();
        m_lan.reset();
    }

    void everyTextFits_data()
    {
        QTest::addColumn<QByteArray>("window");
        for (const char *language : {"C", "fr", "de"}) {
            for (const char *window : {"main window", "main window, name in use", "main window, name not carried",
                                       "main window, proposal waiting", "message window, writing", "message window, received",
                                       "Othello proposal", "Puissance 4 proposal", "About box", "Othello game",
                                       "Puissance 4 game"})
                QTest::addRow("%s: %s", language, window) << QByteArray(window);
        }
    }

    // Each text's advance in its control's own font against the room the control
    // gives it, and the font's line height against the control's height.
    void everyTextFits()
    {
        QFETCH(QByteArray, window);
        QWidget *shown = open(window);
        QVERIFY(shown && shown->isVisible());
        // The status bar lays its panels out once it is shown.
        QCoreApplication::processEvents();

        // In French or German, no text shown is English that has a translation.
        const QByteArray tag = QTest::currentDataTag();
        const Translation translation = tag.startsWith("C:") ? Translation() : readTranslation(tag.left(2));
        const QSet<QString> &english = translation.english;
        QStringList clipped;
        if (english.contains(shown->windowTitle()))
            clipped << QLatin1String("untranslated caption: ") + shown->windowTitle();
        // Desktops draw captions bold in about the application's font.
        QFont captionFont = QApplication::font();
        captionFont.setBold(true);
        if (const int need = QFontMetrics(captionFont).horizontalAdvance(shown->windowTitle()) + kTitleBarControls;
            need > shown->width())
            clipped << QStringLiteral("caption \"%1\": %2 px in %3").arg(shown->windowTitle()).arg(need).arg(shown->width());
        int measured = 0;
        for (const QWidget *control : shown->findChildren<QWidget *>()) {
            if (!control->isVisibleTo(shown) || control->window() != shown)
                continue;
            const auto [texts, room] = shownTexts(*control);
            for (const QString &text : texts) {
                if (english.contains(text))
                    clipped << QStringLiteral("%1 \"%2\": untranslated").arg(control->objectName(), text);
                if (translation.abbreviated.contains(text))
                    clipped << QStringLiteral("%1 \"%2\": cut short").arg(control->objectName(), text);
            }
            const QFontMetrics metrics = control->fontMetrics();
            const int height = control->contentsRect().height();
            for (const QString &text : texts) {
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

    void statusBarContrast_data()
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
    void statusBarContrast()
    {
        QFETCH(QByteArray, panel);
        QFETCH(QString, text);
        if (!text.isEmpty())
            m_alice->notices().set(StatusNotices::Notice::Alone, text);
        auto *label = control<QLabel>(*m_alice, panel.constData());
        QCoreApplication::processEvents();
        QVERIFY(label->isVisible() && !label->text().isEmpty());

        // The window rendered with the text and without it: the text's own
        // pixels are where the two pictures differ.
        const QRect area(label->mapTo(m_alice.get(), QPoint()), label->size());
        const auto render = [&] { return m_alice->grab(area).toImage().convertToFormat(QImage::Format_RGB32); };
        const QImage withText = render();
        const QString shownText = label->text();
        label->setText(QStringLiteral(" "));
        const QImage background = render();
        label->setText(shownText);
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

private:
    // Opens a window by its row's name.
    QWidget *open(const QByteArray &window)
    {
        Station &station = m_alice->station();
        const QString bob = QStringLiteral("bob");
        if (window.startsWith("message")) {
            auto *message = new MessageWindow(station, m_alice.get());
            if (window.endsWith("writing"))
                message->openToWrite(bob);
            else
                message->openReceived(bob, QStringLiteral("hello"), QStringLiteral("14:03:27"));
            return message;
        }
        const Game game = window.startsWith("Othello") ? Game::Othello : Game::Puissance4;
        if (window.endsWith("proposal")) {
            auto *proposal = new ProposalWindow(station, game, bob, {}, m_alice.get());
            proposal->open();
            return proposal;
        }
        if (window == "About box") {
            AboutBox::open(m_alice.get());
            return AboutBox::instance();
        }
        if (window.endsWith("name in use"))
            m_alice->notices().set(StatusNotices::Notice::NameInUse,
                               QCoreApplication::translate("StatusNotices", "Another station on this network uses the name %1")
                                   .arg(QStringLiteral("alice")));
        if (window.endsWith("not carried"))
            m_alice->notices().set(StatusNotices::Notice::NameNotCarried,
                               QCoreApplication::translate("StatusNotices",
                                                           "Others see your name as %1: choose another in Tools > Preferences")
                                   .arg(QStringLiteral("????????")));
        if (window.endsWith("waiting"))
            station.proposeGame(Game::Puissance4, bob);
        if (!window.endsWith("game"))
            return m_alice.get();
        station.startGame(game, bob); // which builds and opens the game's window
        return m_alice->gameWindow(game);
    }

    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<MainWindow> m_alice;
};

QTEST_MAIN(TestReadable)
#include "test_readable.moc"
