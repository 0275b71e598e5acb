#pragma once

// Whether anyone can hear this station, judged at the end of each broadcast
// period from what came back. On a working network a station hears its own
// presence within milliseconds; when it does not, nothing it sends reaches
// anyone (no network, every send failing, a firewall on the chat port).
class HearingCheck final
{
public:
    enum class State { Heard, NobodyHears, Alone };

    // Periods whose presence did not come back before nobody is said to
    // hear the station. The computer hands a broadcast's own copy back to
    // itself, so it goes missing only when nothing leaves at all; one period
    // is enough, and a station cut off says so within two periods. The next
    // echo clears it at once.
    static constexpr int kSilentPeriods = 1;
    // Periods without any other station's presence before the station says
    // it is alone. Every station announces itself each period, so three
    // quiet periods mean nobody else is there, not a lost datagram.
    static constexpr int kAlonePeriods = 3;

    void restart() { *this = HearingCheck(); }
    void ownPresenceHeard();
    void otherStationHeard();
    void periodEnded();
    State state() const;

private:
    int m_periodsWithoutEcho = 0;
    int m_periodsWithoutOthers = 0;
    bool m_echoThisPeriod = false;
    bool m_othersThisPeriod = false;
};
