#include <windows.h>

#include "ravelboot/RavelbootApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CRavelbootApp app;
    return app.Run();
}
