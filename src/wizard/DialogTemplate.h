#pragma once
// The tool's dialogs as data: for each dialog its caption, size, font and window styles, and for
// each control its id, kind, caption, place (x, y, width, height in dialog units), styles and
// picture. A view lays them out at 2 pixels per dialog unit; controls later in a table lie above
// earlier ones where they overlap (Create, Replace and Save cover Back and Next).
#include <cstdint>
#include <string_view>
#include <vector>

namespace marquill::wizard {

enum class ControlKind {
    PictureButton,  // a push button drawn with the pictures <picture>U/D/F/X
    Button,         // a plain push button
    ToggleButton,   // a push-like check box: pressed or not
    FlatButton,     // a flat push button with a text caption
    Label,          // static text
    Text,           // static text that the program rewrites
    Frame,          // an empty framed area (the preview)
    DropList,       // a drop-down list
    List,           // a list box
    Slider,
    Progress,
    Picture,  // a bitmap named by `picture`
    Edit,
};

namespace style {
inline constexpr uint32_t kHidden = 1u << 0;  // never shown
inline constexpr uint32_t kSorted = 1u << 1;  // the list keeps its entries sorted, ignoring case
inline constexpr uint32_t kMultipleSelection = 1u << 2;
inline constexpr uint32_t kBordered = 1u << 3;
inline constexpr uint32_t kMultiLine = 1u << 4;
inline constexpr uint32_t kVerticalScroll = 1u << 5;
inline constexpr uint32_t kAutoHorizontalScroll = 1u << 6;
inline constexpr uint32_t kTicks = 1u << 7;          // a slider with tick marks
inline constexpr uint32_t kDefaultButton = 1u << 8;  // Enter presses it
inline constexpr uint32_t kCentred = 1u << 9;        // text centred in its place
inline constexpr uint32_t kNotify = 1u << 10;        // clicks on a picture or text are reported
}  // namespace style

struct ControlLayout {
    int id = 0;
    ControlKind kind = ControlKind::Label;
    std::string_view caption;
    int x = 0, y = 0, w = 0, h = 0;
    uint32_t styles = 0;
    // Picture buttons: the picture set ("NEXT" for NEXTU, NEXTD, NEXTF, NEXTX); pictures: the
    // bitmap's name ("132").
    std::string_view picture;
    // The entries a list starts with.
    std::vector<std::string_view> items;

    [[nodiscard]] bool has(uint32_t s) const { return (styles & s) != 0; }
};

namespace dialog_style {
inline constexpr uint32_t kCaption = 1u << 0;
inline constexpr uint32_t kSystemMenu = 1u << 1;
inline constexpr uint32_t kMinimiseBox = 1u << 2;
inline constexpr uint32_t kTaskBar = 1u << 3;         // has a task-bar entry
inline constexpr uint32_t kBorderless = 1u << 4;      // a pop-up without frame or caption
inline constexpr uint32_t kCentreOnScreen = 1u << 5;  // else centred on its owner
}  // namespace dialog_style

struct DialogTemplate {
    std::string_view name;     // the template's resource name
    std::string_view caption;  // the template's title; callers of the small dialogs replace it
    int width = 0, height = 0;
    std::string_view font;
    int pointSize = 8;
    uint32_t styles = 0;
    std::vector<ControlLayout> controls;

    [[nodiscard]] const ControlLayout* find(int controlId) const;
};

// The wizard, CMarquillDlg: "The Pemms Marquill", 474 by 315.
[[nodiscard]] const DialogTemplate& wizardDialogTemplate();
// The About dialog.
[[nodiscard]] const DialogTemplate& aboutDialogTemplate();
// CPemmSaved, the message dialog ("Save Complete").
[[nodiscard]] const DialogTemplate& messageDialogTemplate();
// CDMOKCancel, the confirmation dialog ("OK or Cancel").
[[nodiscard]] const DialogTemplate& confirmDialogTemplate();
// IDD_TITLE, the splash.
[[nodiscard]] const DialogTemplate& splashDialogTemplate();
// MarquillPickNhood, the neighbourhood picker ("Pick a Neighborhood").
[[nodiscard]] const DialogTemplate& pickerDialogTemplate();
// The chooser among several games found ("Pick The Pemms").
[[nodiscard]] const DialogTemplate& gameChooserDialogTemplate();
// The "not detected" message with its "Choose the game folder..." button.
[[nodiscard]] const DialogTemplate& notDetectedDialogTemplate();

}  // namespace marquill::wizard
