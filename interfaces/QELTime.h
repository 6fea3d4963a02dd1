// The common library's clock.
#pragma once

#include "ZyvoExport.h"

class ZYVO_API QELTime {
public:
    static void Sleep(int milliseconds);
};
