// The LTC user commands: each sets up the widgets and runs one LTC operation.
#include <zyvodiag>

bool ZyvoDiagUserCommands::getLTCInput(ZyvoDevice* device, uint32_t& lowWord, uint32_t& highWord) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    return diag.ltcGetInputValue(lowWord, highWord);
}

bool ZyvoDiagUserCommands::setLTCOutput(ZyvoDevice* device, uint32_t firstWord,
                                        uint32_t secondWord) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    return diag.ltcSetOutputValue(firstWord, secondWord);
}

bool ZyvoDiagUserCommands::getLTCIOMode(ZyvoDevice* device, ZyvoLTCIOWidget::LTCModeType& mode) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    return diag.ltcGetMode(mode);
}

bool ZyvoDiagUserCommands::setLTCIOMode(ZyvoDevice* device, ZyvoLTCIOWidget::LTCModeType mode) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    return diag.ltcSetMode(mode);
}

bool ZyvoDiagUserCommands::setLTCFrameRate(ZyvoDevice* device, ZyvoVideoRate rate) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    return diag.ltcFrameRateSet(rate);
}

bool ZyvoDiagUserCommands::captureLTCinput(ZyvoDevice* device) {
    ZyvoDiag diag;
    diag.mpDevice = device;
    diag.WidgetsInit(mVideoFormat, mPixelFormat);
    // -r names the rate the input is expected to carry.
    return diag.ltcInputTest(mVideoRate);
}
