// Feeds arbitrary datagrams to a whole station, as a hostile peer could:
// nothing it receives may crash or hang it.
#include "feed_station.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    feedStation(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    return 0;
}
