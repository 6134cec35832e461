// Menu and accelerator command ids of the demo host's main window.
#pragma once

enum HostCommand : unsigned short {
    kCommandOpenGame = 100,
    kCommandCloseGame,
    kCommandExit,
    kCommandModule,
    kCommandCascade,
    kCommandTileHorizontally,
    kCommandTileVertically,
    kCommandArrangeIcons,
    kCommandAbout,
    // MDI numbers its children, and the Window menu's entries for them, from here on.
    kFirstMdiChild = 1000,
};
