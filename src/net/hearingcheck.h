#pragma once

// Whether anyone can hear this station, judged at the end of each broadcast
// period from what came back. On a working network a station hears its own
// presence within milliseconds; when it does not, nothing it sends reaches
// anyone (no network, every send failing, a firewall on the chat port).
class HearingCheck final
{
public:
    enum class State { Heard, NobodyHears, Alone };

    // Periods without the station's own presence coming back before nobody
    // is said to hear it. One lost echo is no cause for alarm; two in a row
    // on a segment that loses nothing else are.
    static constexpr int kSilentPeriods = 2;
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
