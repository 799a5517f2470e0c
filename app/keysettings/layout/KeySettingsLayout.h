// The key settings dialog's face in design coordinates: its size, the pictures of each page,
// the elements every page shares, each page's elements, where the edit boxes and scroll bars
// sit on each page, and the three libraries' list views. Shared by the dialog and the artwork
// generator, so every picture lines up with what the dialog hit-tests.
//
// An element's id tells its page: ids below 100 belong to every page, any other id to page
// id / 100. Element order decides ties, so the tables keep the dialog's order: the shared
// elements, then page 1's, page 2's and so on.
#pragma once

#include "SkinLayout.h"

#include <string>
#include <vector>

namespace keysettings {

constexpr skin::FaceSize kFaceSize{576, 370};
constexpr skin::Rgb kColorKey{255, 0, 0};
constexpr int kPageCount = 7;

// Pages, numbered as currentPage counts them.
enum Page : int {
    kPageSingleCombo = 1,
    kPageMacro = 2,
    kPageEmulation = 3,
    kPageMultimedia = 4,
    kPageMouse = 5,
    kPageFunction = 6,
    kPagePower = 7,
};

// The page an element belongs to: 0 for the shared ones (ids below 100).
constexpr int PageOfId(int id) {
    return id < 100 ? 0 : id / 100;
}

// The three pictures of a page: its whole face, every element hovered, every element selected.
// Only the Function page's face depends on the keyboard model.
struct PageImages {
    int base;
    int hover;
    int selected;
};
PageImages PageImagesFor(int page, int deviceType);
// Every picture the dialog draws from on the model, in loading order.
std::vector<int> ImageIds(int deviceType);

// The shared elements.
enum CommonId : int {
    kIdClear = 86,
    kIdDefault = 87,
    kIdOk = 88,
    kIdCancel = 89,
    kIdFirstTab = 90,  // tab of page p: kIdFirstTab + p - 1
    kIdClose = 97,
    kLabelFirstTab = 30,
    kLabelDefault = 37,
    kLabelOk = 38,
    kLabelCancel = 39,
    kLabelTitle = 40,
    kLabelClear = 41,
};
constexpr int TabId(int page) {
    return kIdFirstTab + page - 1;
}

// Page 1: single keys and combinations.
enum SingleComboId : int {
    kIdSingleSwitch = 101,
    kIdComboSwitch = 102,
    kIdSinglePrompt = 103,
    kIdCaptureSingle = 104,
    kIdNewCombo = 105,
    kIdDeleteCombo = 106,
    kIdRecordCombo = 107,
    kIdVirtualSingle = 108,
    kIdVirtualCombo = 109,
    kIdFirstComboRow = 121,
    kIdFirstRecordRow = 141,
    kLabelSingle = 151,
    kLabelCombo = 152,
    kLabelSinglePrompt = 153,
    kLabelCaptureStart = 154,
    kLabelCaptureStop = 155,
    kLabelNewCombo = 156,
    kLabelDeleteCombo = 157,
    kLabelSingleKey = 158,
    kLabelRecordStart = 159,
    kLabelRecordStop = 160,
    kLabelComboList = 161,
    kLabelRecordList = 162,
    kLabelVirtualSingle = 163,
    kLabelVirtualCombo = 164,
};
constexpr int kRecordRows = 3;  // rows 141..143, under the combination's text box

// Page 2: macros.
enum MacroId : int {
    kIdPlayTimes = 201,      // play mode "Times Play"
    kIdFixedInterval = 203,  // "Auto delay": one interval between all events
    kIdNewMacro = 205,
    kIdDeleteMacro = 206,
    kIdRecordMacro = 207,
    kIdPlayWhileHeld = 208,   // play mode "Press play, release stop"
    kIdPlayToggle = 209,      // play mode "Press to play/stop"
    kIdRecordedDelays = 210,  // "Record delay": the measured delays between events
    kIdFirstMacroRow = 221,
    kIdFirstMacroContentRow = 241,
    kLabelPlayTimes = 261,
    kLabelFixedInterval = 262,  // also the "ms" after the interval edit
    kLabelNewMacro = 265,
    kLabelDeleteMacro = 266,
    kLabelMacroRecordStart = 267,
    kLabelMacroRecordStop = 268,
    kLabelMacroHint = 269,
    kLabelMacroList = 270,
    kLabelMacroRecordList = 271,
    kLabelPlayWhileHeld = 272,
    kLabelPlayToggle = 273,
    kLabelRecordedDelays = 274,
    kLabelTimes = 275,
};

// Page 3: emulations.
enum EmulationId : int {
    kIdEmuDelayBox = 301,  // the box around the interval's caption; no action
    kIdRecordEmu = 302,
    kIdNewEmu = 305,
    kIdDeleteEmu = 306,
    kIdFirstEmuRow = 321,
    kIdFirstEmuContentRow = 341,
    kLabelEmuDelay = 351,  // also the "ms" after the interval edit
    kLabelEmuRecordStart = 352,
    kLabelEmuRecordStop = 353,
    kLabelNewEmu = 355,
    kLabelDeleteEmu = 356,
    kLabelEmuList = 357,
    kLabelEmuRecordList = 358,
};

// A library's list view and its buttons. Row r of the view is element firstRowId + r, row r of
// the content list's view element firstContentRowId + r (0: the page shows its content
// itself). Entry names proposed by New are the name format applied to 1, 2, 3, ...
struct LibrarySpec {
    int page;
    int newId;
    int deleteId;
    int firstRowId;
    int rows;
    int firstContentRowId;
    const char* nameFormatZh;
    const char* nameFormatEn;
};
constexpr LibrarySpec kComboLibrary{kPageSingleCombo, 105,           106, 121, 6, 0,
                                    "组合键%d",       "New Combo %d"};
constexpr LibrarySpec kMacroLibrary{kPageMacro, 205, 206, 221, 9, 241, "宏定义%d", "New Macro %d"};
constexpr LibrarySpec kEmuLibrary{kPageEmulation, 305,         306, 321, 9, 341,
                                  "模拟击键%d",   "New Emu %d"};
// Rows of the content lists of pages 2 and 3.
constexpr int kContentRows = 9;

// The dialog's real controls and what each page does with them.
struct ControlState {
    bool shown = false;
    bool enabled = false;
};
// A scroll bar's place on a page (left, top, width, height); a hidden bar keeps its place.
struct BarPlace {
    bool shown = false;
    int left = -1;
    int top = -1;
    int width = 0;
    int height = 0;
    constexpr bool keepsPlace() const { return left < 0; }
};
struct PageControls {
    ControlState countEdit;
    ControlState delayEdit;
    ControlState inPlaceEdit;
    ControlState comboText;
    BarPlace libraryScroll;
    BarPlace contentScroll;
};
PageControls ControlsOf(int page);

// The numeric edits' places depend on the language's label widths; nothing for a language
// without captions (the edits then keep where they are).
struct NumericEditPlaces {
    skin::DesignRect countEdit;
    skin::DesignRect delayEdit;
};
bool NumericEditPlacesFor(const std::string& language, NumericEditPlaces* places);
constexpr skin::DesignRect kComboTextRect{380, 138, 521, 190};
constexpr int kEditFontSize = 13;       // countEdit, delayEdit and the in-place editor
constexpr int kComboTextFontSize = 11;  // the combination's text box
constexpr int kRowFontSize = 11;

// Element tables.
std::vector<skin::ItemSpec> CommonItems();
std::vector<skin::ItemSpec> SingleComboItems();
std::vector<skin::ItemSpec> MacroItems();
std::vector<skin::ItemSpec> EmulationItems();
// The elements of a page (1..7).
std::vector<skin::ItemSpec> PageItems(int page);
// The whole dialog in element order.
std::vector<skin::ItemSpec> KeySettingsItems();

}  // namespace keysettings
