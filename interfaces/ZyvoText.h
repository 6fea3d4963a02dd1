// Display names of the device library's enumerations.
#pragma once

#include "ZyvoExport.h"
#include "ZyvoTypes.h"

#include <map>
#include <string>

class ZYVO_API ZyvoText {
public:
    // The process-wide text tables, or null when they are not available.
    static ZyvoText* GetInstance();

    std::map<ZyvoVideoFormat, std::string> mVideoFormatNames;
    std::map<ZyvoVideoStandard, std::string> mVideoStandardNames;
    std::map<ZyvoVideoRate, std::string> mVideoRateNames;
    std::map<ZyvoPixelFormat, std::string> mPixelFormatNames;

private:
    ZyvoText();
};
