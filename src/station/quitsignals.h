#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT (a logout, a shutdown, Ctrl+C) into a Qt signal,
// so the station can close its window the normal way and say goodbye.
class QuitSignals final : public QObject
{
    Q_OBJECT
public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

signals:
    void quitRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
