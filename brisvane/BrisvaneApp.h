#pragma once

// The application object: every common control class, then the main window, modally.
class CBrisvaneApp {
public:
    int Run();
};
