// The library's version as the loaded shared object knows it.
#include <zyvodiag_version.h>

const char* zyvodiagLibraryVersion() {
    return ZYVODIAG_VERSION_STRING;
}
