// Parses its command line with the installed library and opens the device.
#include <zyvodiag>

int main(int argc, char* argv[]) {
    ZyvoDiagUserCommands commands;
    if (!commands.parseCmdLineArgs(argc, argv)) {
        return 1;
    }
    ZyvoDiagDevice device;
    bool opened = device.open();
    device.close();
    return opened && commands.mVideoFormat == ZYVO_VideoFormat_720p_50 ? 0 : 1;
}
