// The suite's version, once for every program's version resource. The templates'
// "Version" says the same ("7.0"): it also names each user's settings folder.
#pragma once

#define SUITE_VERSION_NUMBERS 7, 0, 0, 0
#define SUITE_VERSION_TEXT "7.0"
#define SUITE_COMPANY "Quorvexsoft"
