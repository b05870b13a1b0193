#pragma once

// The application object: the starter's dialog, modally; no message loop of its own.
class CRavelbootApp {
public:
    int Run();
};
