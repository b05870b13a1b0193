#include <windows.h>

#include "brisvane/BrisvaneApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CBrisvaneApp app;
    return app.Run();
}
