#include "mainwindow/readmewindow.h"

#include "look/look.h"
#include "look/names.h"
#include "look/placement.h"
#include "look/translations.h"
#include "mainwindow/findbar.h"

#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

// The read-me is laid out for a fixed-pitch font, its lines under 80 columns;
// 30 of them show at once.
constexpr int kColumns = 82;
constexpr int kLines = 30;

} // namespace

ReadmeWindow::ReadmeWindow(QWidget *owner)
    : QWidget(owner, Qt::Window)
    , m_text(look::named(new QPlainTextEdit(this), "readmeText"))
    , m_findBar(new FindBar([this] { return m_text; }, tr("Find in the read-me"), this))
{
    setObjectName(QStringLiteral("readmeWindow"));
    setWindowTitle(tr("Quillet Read-me"));
    setWindowIcon(look::sailIcon());
    setAttribute(Qt::WA_DeleteOnClose);

    m_text->setReadOnly(true);
    m_text->setUndoRedoEnabled(false);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setPlainText(readmeText());
    const QFontMetrics metrics(m_text->font());
    m_text->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('M')) * kColumns, metrics.lineSpacing() * kLines);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_findBar);
    m_text->setFocus();
}

QString ReadmeWindow::readmeText()
{
    // In the language of the windows where there is one, else in English.
    const QString language = look::translationLanguage();
    QFile file(QStringLiteral(":/readme/Readme_%1.txt").arg(language));
    if (language.isEmpty() || !file.exists())
        file.setFileName(QLatin1String(kResource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void ReadmeWindow::open()
{
    if (!m_placed) {
        adjustSize();
        look::centreOn(*this, parentWidget());
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

bool ReadmeWindow::find(const QString &text, bool backward)
{
    return m_findBar->find(text, backward);
}

void ReadmeWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (m_findBar->isVisible())
            m_findBar->putAway();
        else
            close();
        return;
    }
    QWidget::keyPressEvent(event);
}
