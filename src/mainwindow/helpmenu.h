#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QMenu;
class QMessageBox;
class QUrl;
class QWidget;
class ReadmeWindow;

// The main window's Help menu: the read-me, the home page and the About box.
class HelpMenu final : public QObject
{
    Q_OBJECT

public:
    static constexpr char kHomePage[] = "https://quillet.example.org/";

    // Hands an address to the desktop; false when nothing could be started.
    using UrlOpener = std::function<bool(const QUrl &)>;

    explicit HelpMenu(QWidget *owner);

    QMenu *menu() const { return m_menu; }

    // QDesktopServices::openUrl unless replaced, as tests do to play a
    // desktop without a browser.
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

    // The open read-me window and the home-page note, or nullptr.
    ReadmeWindow *readmeWindow() const;
    QMessageBox *homePageNote() const;

private:
    void openContents();
    void openHomePage();

    QMenu *const m_menu;
    QWidget *const m_owner;
    UrlOpener m_openUrl;
    QPointer<ReadmeWindow> m_readme;
    QPointer<QMessageBox> m_homePageNote;
};
