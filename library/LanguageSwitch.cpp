// Switching the index language, and with it optionally the texts of all windows.
#include "library/LanguageSwitch.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/Ids.h"
#include "library/IndexTree.h"
#include "library/core/SearchCandidates.h"
#include "library/core/UiTexts.h"
#include "toolkit/MessageBox.h"

namespace library {
namespace {

namespace gid = app::gadget_id;
namespace item = app::menu_item;

// Where a text goes.
enum class Target {
  Text,      // a label, check box, frame title or button text
  Selector,  // the items of a combo box, from tab-separated fields
  InfoMenu,  // an entry of the info menu
};

struct TextPlace {
  const char* identifier;
  Target target;
  int id;  // gadget or menu item
  // A selector's fourth item where it has one: its German text.
  const char* fourthItemGerman = nullptr;
};

// In the order they are applied.
constexpr TextPlace kTexts[] = {
    {"#Cnf_LabelHint", Target::Text, gid::kHintLabel},
    {"#Cnf_LabelLib", Target::Text, gid::kLibraryLabel},
    {"#Cnf_LabelTitle", Target::Text, gid::kTitleLabel},
    {"#Cnf_SearchFailHint", Target::Selector, gid::kHintBox},
    {"#Cnf_WinData2Pref", Target::Text, gid::kGeometryBox},
    {"#Cnf_DyeNews", Target::Text, gid::kNewsBox},
    {"#Cnf_DarkMode", Target::Text, gid::kDarkBox},
    {"#Cnf_LangLabel", Target::Text, gid::kLanguageLabel},
    {"#Cnf_LabelDB", Target::Text, gid::kDatabaseLabel},
    {"#Cnf_Frame1", Target::Text, gid::kPathsFrame},
    {"#Cnf_Frame2", Target::Text, gid::kProgramFrame},
    {"#DbA_LabelFile", Target::Text, gid::kInfoFileLabel},
    {"#DbA_LabelEnt", Target::Text, gid::kInfoEntriesLabel},
    {"#Cnf_LangFont", Target::Text, gid::kFontLabel},
    {"#Cnf_LabelMark", Target::Text, gid::kMarkingLabel},
    {"#Cnf_Language", Target::Selector, gid::kLanguageBox},
    {"#Cnf_FontChoose", Target::Text, gid::kFontChooseButton},
    {"#DbA_LabelDb", Target::Text, gid::kInfoDatabaseLabel},
    {"#DbA_LabelSrcForm", Target::Text, gid::kInfoCodeFormatLabel},
    {"#Cnf_SearchMode", Target::Selector, gid::kSearchModeBox, kCodeScopeGermanItem},
    {"#DbA_LabelTop", Target::Text, gid::kInfoTopicsLabel},
    {"#Cnf_CodeMarking", Target::Selector, gid::kMarkingBox},
    {"#Cnf_Paths2Pref", Target::Text, gid::kSavePathsBox},
    {"#DbA_LabelExeForm", Target::Text, gid::kInfoExecutableFormatLabel},
    {"#Cnf_FileNameLen", Target::Selector, gid::kTitleBox},
    {"#DbA_LabelLib", Target::Text, gid::kInfoLibraryLabel},
    {"#DbA_LabelCont", Target::Text, gid::kInfoContentLabel},
    {"#Cnf_LabelSearch", Target::Text, gid::kSearchModeLabel},
    {"#DbA_Frame1", Target::Text, gid::kInfoDatabaseFrame},
    {"#DbA_Frame2", Target::Text, gid::kInfoFileFrame},
    {"#Upt_LabelAppGtk2", Target::Text, gid::kUpdateGtk2Label},
    {"#Upt_LabelAppGtk3", Target::Text, gid::kUpdateGtk3Label},
    {"#Upt_LabelXml", Target::Text, gid::kUpdateLibraryLabel},
    {"#PuInf_OpnCode", Target::InfoMenu, item::kOpenWithDefaultApp},
    {"#PuInf_AboutApp", Target::InfoMenu, item::kAbout},
    {"#PuInf_AboutDb", Target::InfoMenu, item::kAboutDatabase},
    {"#PuInf_IsUpdate", Target::InfoMenu, item::kCheckUpdates},
};

struct TooltipPlace {
  const char* identifier;
  int gadget;
};

// In the order they are applied.
constexpr TooltipPlace kTooltips[] = {
    {"#Cnf_Apply", gid::kApplyButton},
    {"#Cnf_FontChoose", gid::kFontChooseButton},
    {"#Main_Info", gid::kInfoButton},
    {"#Cnf_LibChoose", gid::kLibraryChooseButton},
    {"#Main_NodeToggle", gid::kExpandToggle},
    {"#Main_Find", gid::kSearchField},
    {"#Main_Quickcopy", gid::kCopyButton},
    {"#Cnf_SearchMode", gid::kSearchModeBox},
    {"#DbA_ToDb", gid::kInfoLibraryFolderImage},
    {"#Cnf_CodeMarking", gid::kMarkingBox},
    {"#Cnf_Paths2Pref", gid::kSavePathsBox},
    {"#Cnf_FileNameLen", gid::kTitleBox},
    {"#Main_EdDescript", gid::kDescriptionView},
    {"#Cnf_LibShow", gid::kLibraryPathField},
    {"#Main_CbHistory", gid::kHistoryBox},
    {"#Main_Help", gid::kHelpButton},
    {"#Cnf_SearchFailHint", gid::kHintBox},
    {"#Cnf_WinData2Pref", gid::kGeometryBox},
    {"#Cnf_DarkMode", gid::kDarkBox},
    {"#Cnf_DyeNews", gid::kNewsBox},
    {"#Cnf_DbChoose", gid::kDatabaseChooseButton},
    {"#Cnf_OkSave", gid::kSaveButton},
    {"#Cnf_Cancel", gid::kCancelButton},
    {"#Main_Setting", gid::kSettingsButton},
    {"#DbA_CopyFile", gid::kInfoCopyImage},
    {"#Cnf_DbShow", gid::kDatabasePathField},
    {"#Cnf_Fontname", gid::kFontNameDisplay},
    {"#Cnf_Language", gid::kLanguageBox},
};

// The names screen readers announce for the gadgets that have neither label
// nor tooltip; the German name stands in where the language file has none.
struct NamePlace {
  const char* identifier;
  int gadget;
  const char* german;
};

constexpr NamePlace kAccessibleNames[] = {
    {"#Main_IndexName", gid::kIndexTree, "Index der Beispiele"},
    {"#Main_CodeName", gid::kCodeView, "Code des gewählten Eintrags"},
};

void PutText(app::AppState& app, const TextPlace& place, const std::string& text) {
  toolkit::Ui& ui = app.ui;
  switch (place.target) {
    case Target::Text:
      ui.SetGadgetText(place.id, text);
      break;
    case Target::Selector: {
      // A fourth item came later than the language files: where a file
      // has no text for it, the built-in German one stays.
      const bool fourth = place.fourthItemGerman != nullptr;
      std::vector<std::string> items = SelectorItems(text, fourth ? 4 : 3);
      if (fourth && items[3].empty()) items[3] = place.fourthItemGerman;
      for (std::size_t i = 0; i < items.size(); ++i) {
        ui.SetGadgetItemText(place.id, static_cast<int>(i), items[i]);
      }
      break;
    }
    case Target::InfoMenu:
      if (toolkit::PopupMenu* menu = ui.FindMenu(app::menu_id::kInfo)) {
        menu->SetItemText(place.id, text);
      }
      break;
  }
}

}  // namespace

std::string UiText(app::AppState& app, std::string_view identifier, bool tooltip,
                   std::string code) {
  UiTexts& texts = app.uiTexts;
  if (!texts.Loaded() && !texts.LoadFile(app.programDirectory + app.languageFileName)) {
    if (!texts.warned) {
      texts.warned = true;
      toolkit::ShowMessageBox("", "Language-File not found!");
    }
    return {};
  }
  if (code.empty()) code = LanguageCodeOfLang(std::getenv("LANG"));
  return texts.Lookup(identifier, tooltip, code);
}

void ApplyUiTexts(app::AppState& app, const std::string& code) {
  for (const TextPlace& place : kTexts) {
    PutText(app, place, UiText(app, place.identifier, false, code));
  }
  for (const TooltipPlace& place : kTooltips) {
    app.ui.SetGadgetTooltip(place.gadget, UiText(app, place.identifier, true, code));
  }
  for (const NamePlace& place : kAccessibleNames) {
    const std::string name = UiText(app, place.identifier, false, code);
    app.ui.SetGadgetAccessibleName(place.gadget, name.empty() ? place.german : name);
  }
}

void ApplyLanguage(app::AppState& app, bool withTexts) {
  if (IndexLanguage(app) == app.settings.language) return;
  // The refill ends on row 0 and takes the new language into the settings.
  RefillIndexTree(app, RefillSelection::FirstRow);
  if (withTexts) ApplyUiTexts(app, LanguageCode(app.settings.language));
}

}  // namespace library
