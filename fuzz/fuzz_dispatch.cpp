// Feeds arbitrary datagrams to a whole station, as a hostile peer could:
// nothing it receives may crash or hang it.
#include "feed_station.h"

// The sanitizer's own bookkeeping, not the station, is what grows in a long
// run, so it is bounded here; ASAN_OPTIONS still overrides each setting.
// - detect_leaks=0: fontconfig keeps a few bytes for the life of the process.
// - malloc_context_size=2: the allocator's caller only. Qt and the system
//   libraries keep no frame pointers, so deeper frames of the fast unwinder
//   are stray stack words, new ones with every input, and the table of
//   stacks the sanitizer never frees grew by about 1.5 KB an input.
// - quarantine_size_mb=64: a freed block is held back while 64 MB more is
//   freed, a few hundred inputs' worth (an input frees about 240 KB), so a
//   pointer kept past restore() is still caught in the next input; the
//   default 256 MB costs some 250 MB more memory.
extern "C" const char *__asan_default_options()
{
    return "detect_leaks=0:malloc_context_size=2:quarantine_size_mb=64";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    feedStation(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    return 0;
}
