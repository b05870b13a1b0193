#include <windows.h>

#include "varnholt/app/VarnholtApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CVarnholtApp app;
    return app.Run();
}
