// The texts of the string-resource library that the feature handlers fix in their code. Feature,
// option and widget texts come from the databases and are not listed here.
#pragma once

constexpr int kStringDeleteFormCaption = 876;      // caption of the question before a form is deleted
constexpr int kStringDeleteQuestion = 877;         // the question before a form or shortcut is deleted
constexpr int kStringCustomSizeName = 1018;        // the paper option of a free custom size
constexpr int kStringInstalledLabel = 3044;        // put before a date on the support page
constexpr int kStringDefaultConfiguration = 3045;  // configuration status lines of the support page
constexpr int kStringPrinterConfiguration = 3051;
constexpr int kStringInches = 3333;  // unit texts of the paper dimensions
constexpr int kStringMillimetres = 3334;
constexpr int kStringShortcutsCaption = 4255;  // the shortcut delete question and limit message
constexpr int kStringShortcutOverwrite = 5336;
constexpr int kStringShortcutPredefined = 5337;
constexpr int kStringShortcutLimit = 5414;
constexpr int kStringAddedMediaHeading = 5418;   // tree-view heading of the user-added papers
constexpr int kStringAddNewPaper = 5634;         // the media option that starts the add-paper program
constexpr int kStringCustomFormsHeading = 6918;  // tree-view heading of the custom forms
