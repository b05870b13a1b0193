#pragma once

// The application object: common controls, then the main window, modally.
class CVarnholtApp {
public:
    int Run();
};
