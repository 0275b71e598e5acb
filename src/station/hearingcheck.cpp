#include "station/hearingcheck.h"

void HearingCheck::ownPresenceHeard()
{
    m_echoThisPeriod = true;
    m_periodsWithoutEcho = 0;
}

void HearingCheck::otherStationHeard()
{
    m_othersThisPeriod = true;
    m_periodsWithoutOthers = 0;
}

void HearingCheck::periodEnded()
{
    m_periodsWithoutEcho = m_echoThisPeriod ? 0 : m_periodsWithoutEcho + 1;
    m_periodsWithoutOthers = m_othersThisPeriod ? 0 : m_periodsWithoutOthers + 1;
    m_echoThisPeriod = false;
    m_othersThisPeriod = false;
}

HearingCheck::State HearingCheck::state() const
{
    if (m_periodsWithoutEcho >= kSilentPeriods)
        return State::NobodyHears;
    if (m_periodsWithoutOthers >= kAlonePeriods)
        return State::Alone;
    return State::Heard;
}
