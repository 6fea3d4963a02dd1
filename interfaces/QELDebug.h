// The common library's debug facility.
#pragma once

#include "ZyvoExport.h"

class ZYVO_API QELDebug {
public:
    // Above 0 when the debug facility is ready.
    static int Open();
    static int Close();
};
