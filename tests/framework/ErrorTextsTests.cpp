// The standard messages follow the texts a program sets, and the path goes where "%1" stands.
#include <gtest/gtest.h>

#include "framework/Errors.h"

TEST(ErrorTexts, MessagesTakeTheProgramsTextsWithThePathFilledIn) {
    const fw::ErrorTexts english = fw::StandardErrorTexts();
    EXPECT_EQ(fw::FileError(L"C:\\a.ini").Message(), L"The file \"C:\\a.ini\" could not be opened or written.");

    fw::StandardErrorTexts() = {L"Die Datei \"%1\" ging nicht.", L"Ungültig.", L"Nicht möglich.", L"Unerwartet.",
                                L"\"%1\": ein Byte."};
    struct Case {
        std::wstring message, expected;
    };
    const Case cases[] = {
        {fw::FileError(L"C:\\a.ini").Message(), L"Die Datei \"C:\\a.ini\" ging nicht."},
        // A path that holds "%1" itself stays as it is.
        {fw::FileError(L"C:\\%1.ini").Message(), L"Die Datei \"C:\\%1.ini\" ging nicht."},
        {fw::InvalidArgumentError().Message(), L"Ungültig."},
        {fw::FailureError().Message(), L"Nicht möglich."},
        {fw::FillIn(fw::StandardErrorTexts().eightBitFile, L"x.ini"), L"\"x.ini\": ein Byte."},
        {fw::FillIn(L"no place", L"x"), L"no place"},
    };
    fw::StandardErrorTexts() = english;
    for (const auto& c : cases) EXPECT_EQ(c.message, c.expected);
}
