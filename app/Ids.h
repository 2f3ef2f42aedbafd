// Identifiers of windows, gadgets, menus, menu items and fonts. Gadget
// identifiers are unique across all windows; events name objects by them.
#pragma once

namespace app {

namespace window_id {
inline constexpr int kMain = 0;
inline constexpr int kSettings = 1;
inline constexpr int kDatabaseInfo = 2;
inline constexpr int kUpdate = 3;
}  // namespace window_id

namespace gadget_id {
// Main window.
inline constexpr int kExpandToggle = 0;
inline constexpr int kAdminButton = 1;
inline constexpr int kAdminLabel1 = 2;
inline constexpr int kAdminLabel2 = 3;
inline constexpr int kAdminLabel3 = 4;
inline constexpr int kSearchField = 6;
inline constexpr int kSettingsButton = 7;
inline constexpr int kHelpButton = 8;
inline constexpr int kInfoButton = 9;
inline constexpr int kMainSplitter = 10;
inline constexpr int kIndexTree = 11;
inline constexpr int kCodeArea = 12;
inline constexpr int kDescriptionView = 13;
inline constexpr int kCodeView = 14;
inline constexpr int kCopyButton = 15;
inline constexpr int kHistoryBox = 16;

// Settings window.
inline constexpr int kDatabaseLabel = 17;
inline constexpr int kLibraryLabel = 18;
inline constexpr int kDatabasePathField = 19;
inline constexpr int kDatabaseChooseButton = 20;
inline constexpr int kLibraryPathField = 21;
inline constexpr int kLibraryChooseButton = 22;
inline constexpr int kSavePathsBox = 23;
inline constexpr int kApplyButton = 24;
inline constexpr int kLanguageLabel = 25;
inline constexpr int kLanguageBox = 26;
inline constexpr int kFontLabel = 27;
inline constexpr int kFontNameDisplay = 28;
inline constexpr int kFontSizeDisplay = 29;
inline constexpr int kFontChooseButton = 30;
inline constexpr int kSearchModeLabel = 31;
inline constexpr int kSearchModeBox = 32;
inline constexpr int kHintLabel = 33;
inline constexpr int kHintBox = 34;
inline constexpr int kTitleLabel = 35;
inline constexpr int kTitleBox = 36;
inline constexpr int kMarkingLabel = 37;
inline constexpr int kMarkingBox = 38;
inline constexpr int kNewsBox = 39;
inline constexpr int kDarkBox = 40;
inline constexpr int kGeometryBox = 41;
inline constexpr int kPathsFrame = 42;
inline constexpr int kProgramFrame = 43;
inline constexpr int kCancelButton = 44;
inline constexpr int kSaveButton = 45;

// Database-information window.
inline constexpr int kInfoDatabaseLabel = 46;
inline constexpr int kInfoDatabaseField = 47;
inline constexpr int kInfoContentLabel = 48;
inline constexpr int kInfoContentField = 49;
inline constexpr int kInfoLibraryLabel = 50;
inline constexpr int kInfoLibraryField = 51;
inline constexpr int kInfoFileLabel = 52;
inline constexpr int kInfoFileField = 53;
inline constexpr int kInfoCodeFormatLabel = 54;
inline constexpr int kInfoCodeFormatField = 55;
inline constexpr int kInfoExecutableFormatLabel = 56;
inline constexpr int kInfoExecutableFormatField = 57;
inline constexpr int kInfoTopicsLabel = 58;
inline constexpr int kInfoTopicsField = 59;
inline constexpr int kInfoEntriesLabel = 60;
inline constexpr int kInfoEntriesField = 61;
inline constexpr int kInfoDatabaseFrame = 62;
inline constexpr int kInfoFileFrame = 63;
inline constexpr int kInfoLibraryFolderImage = 64;
inline constexpr int kInfoCopyImage = 65;

// Update window.
inline constexpr int kUpdateGtk2Label = 66;
inline constexpr int kUpdateGtk3Label = 67;
inline constexpr int kUpdateLibraryLabel = 68;
inline constexpr int kUpdateGtk2Result = 69;
inline constexpr int kUpdateGtk3Result = 70;
inline constexpr int kUpdateLibraryResult = 71;
}  // namespace gadget_id

namespace menu_id {
inline constexpr int kAdmin = 0;
inline constexpr int kInfo = 1;
}  // namespace menu_id

// Items of the popup menus and the keyboard shortcuts; both arrive as menu events.
namespace menu_item {
inline constexpr int kExportWebPage = 1;
inline constexpr int kExportPostingAll = 2;
inline constexpr int kExportPostingNews = 3;
inline constexpr int kExportFileList = 4;
inline constexpr int kDebugDoubles = 5;
inline constexpr int kEditViewerHelp = 6;
inline constexpr int kCopyCodePath = 7;
inline constexpr int kAbout = 9;
inline constexpr int kAboutDatabase = 10;
inline constexpr int kCheckUpdates = 11;
inline constexpr int kOpenWithDefaultApp = 12;
inline constexpr int kReturn = 13;
inline constexpr int kEscape = 14;
inline constexpr int kHelpKey = 15;
inline constexpr int kSearchNext = 16;
inline constexpr int kToggleWordWrap = 17;
inline constexpr int kToggleLanguage = 18;
inline constexpr int kLanguageGermanG = 19;
inline constexpr int kLanguageEnglish = 20;
inline constexpr int kLanguageGermanD = 21;
inline constexpr int kLanguageFrench = 22;
inline constexpr int kClearSearch = 61535;
}  // namespace menu_item

namespace font_id {
inline constexpr int kCode = 0;
inline constexpr int kBoldUi = 1;
}  // namespace font_id

}  // namespace app
