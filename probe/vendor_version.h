#pragma once
#include <cstdint>

#include "toolkit/shared_text.h"

// The plug-in's own version number (its effGetVendorVersion answer) as dotted
// text. Plug-ins encode it in several ways, told apart by its range: single
// decimal digits up to 9999, the top four decimal digits up to 65535, bytes
// (0x00MMmmbb) below 0x650000, and MMmmrrbbb-style decimal fields above. 0 is
// no version at all and gives the empty text.
CWideString FormatVendorVersion(int32_t version);
