// Written by scripts/make-brisvane-language.py from its table: the numbers of the
// entries of 0020trl.ini by name. Edit the table, not this file.
#pragma once

namespace txt {

inline constexpr int kSelectLanguage = 1;  // Please select your language
inline constexpr int kLanguageName = 2;  // English
inline constexpr int kMessageCaption = 5;  // Quorvexsoft Brisvane
inline constexpr int kIntroduction = 10;  // Click a module to start it, or let the 1-Click Cleaning t...
inline constexpr int kDescribeFlintrask = 15;  // Flintrask removes temporary and needless files from your...
inline constexpr int kDescribeWickerlume = 20;  // Wickerlume finds and mends broken entries in the system's...
inline constexpr int kDescribeOstrelle = 25;  // Ostrelle wipes the traces of your work: histories, caches...
inline constexpr int kDescribePembrast = 30;  // Pembrast shows what fills your disks and helps you to fre...
inline constexpr int kDescribeVarnholt = 35;  // Varnholt finds duplicate files and helps you to remove them.
inline constexpr int kMenuFile = 200;  // &File
inline constexpr int kMenuLanguage = 210;  // &Language Selection
inline constexpr int kMenuExit = 212;  // E&xit
inline constexpr int kMenuModules = 215;  // &Modules
inline constexpr int kMenuFlintrask = 217;  // &Flintrask
inline constexpr int kMenuWickerlume = 218;  // &Wickerlume
inline constexpr int kMenuOstrelle = 219;  // &Ostrelle
inline constexpr int kMenuPembrast = 220;  // &Pembrast
inline constexpr int kMenuVarnholt = 221;  // &Varnholt
inline constexpr int kMenuTressivon = 222;  // &Tressivon
inline constexpr int kMenuHelp = 245;  // &Help
inline constexpr int kMenuHelpFileFor = 250;  // Show &help file for ...
inline constexpr int kMenuWebsite = 255;  // Go to Quorvexsoft &website
inline constexpr int kMenuAbout = 260;  // &About ...
inline constexpr int kCancel = 400;  // Cancel
inline constexpr int kStep1Group = 405;  // Step 1 - Flintrask: temporary and needless files
inline constexpr int kStep2Group = 410;  // Step 2 - Wickerlume: entries of the system's settings
inline constexpr int kStep3Group = 415;  // Step 3 - Ostrelle: traces of your work
inline constexpr int kStep1Status = 420;  // Flintrask is looking for needless files. Please wait ...
inline constexpr int kStep2Status = 422;  // Wickerlume is checking the system's settings. Please wait...
inline constexpr int kStep3Status = 424;  // Ostrelle is wiping the traces of your work. Please wait ...
inline constexpr int kOneClickGroup = 430;  // 1-Click Cleaning
inline constexpr int kUseDefaultSettings = 435;  // Use default settings
inline constexpr int kUseModuleSettings = 440;  // Use module settings
inline constexpr int kStart = 445;  // Start!
inline constexpr int kOneClickCancelled = 450;  // The 1-Click Cleaning was cancelled.
inline constexpr int kOneClickFinished = 455;  // The 1-Click Cleaning has finished.
inline constexpr int kRanWithDefaults = 460;  // The modules worked with the default settings.
inline constexpr int kRanWithModuleSettings = 465;  // The modules worked with their own settings.
inline constexpr int kMenuStartScreen = 470;  // &Start Screen
inline constexpr int kHeadlineFinished = 500;  // 1-Click Cleaning finished
inline constexpr int kHeadlineRunning = 505;  // 1-Click Cleaning is running
inline constexpr int kMenuOneClickSettings = 510;  // &1-Click Settings
inline constexpr int kSearchLimitGroup = 515;  // 1-Click Cleaning search limitation
inline constexpr int kSearchLimitExplained = 520;  // Stop when this amount of items were checked
inline constexpr int kModuleNotStarted = 600;  // The module %1 could not be started: its program "%2" is m...
inline constexpr int kModuleDidNotAnswer = 605;  // The module %1 did not report its progress. Its step of th...
inline constexpr int kModuleStoreUnusable = 610;  // The settings of %1 could not be read or written; they wer...
inline constexpr int kModuleStoreEightBit = 615;  // The settings of %1 keep one byte per character and cannot...
inline constexpr int kAboutCaption = 620;  // About Quorvexsoft Brisvane
inline constexpr int kAboutVersion = 625;  // Quorvexsoft Brisvane Version 7
inline constexpr int kAboutText = 630;  // The shell of the Quorvexsoft suite.
inline constexpr int kSystemDefaultLanguage = 635;  // System default language
inline constexpr int kFileError = 640;  // The file "%1" could not be opened or written.
inline constexpr int kInvalidArgumentError = 645;  // An invalid argument was given to an operation.
inline constexpr int kFailureError = 650;  // The operation could not be carried out.
inline constexpr int kUnexpectedError = 655;  // An unexpected error stopped the operation.
inline constexpr int kEightBitFileError = 660;  // The file "%1" keeps one byte per character and cannot hol...

}  // namespace txt
