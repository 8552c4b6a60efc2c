#pragma once
// The main window's fixed form as plain data, and the arithmetic of its self-drawn
// controls: portable, so it is tested off Windows.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/resource.h"

namespace zephyra::ui {

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb& other) const {
    return r == other.r && g == other.g && b == other.b;
  }
};

struct Point {
  int x, y;
  bool operator==(const Point& other) const { return x == other.x && y == other.y; }
};

struct FontSpec {
  const char* face;
  int height;  // character height in pixels (the em, without internal leading)
  int weight;
  bool underline;
};

// ---- the window ----
inline constexpr char WINDOW_TITLE[] = " Zephyra";
inline constexpr int WINDOW_WIDTH = 478;  // outer size, frame and title bar included
inline constexpr int WINDOW_HEIGHT = 386;
// Centred on a screen of the given size, integer division.
Point windowOrigin(int screenWidth, int screenHeight);

// ---- the controls, in the order they are created ----
enum class ControlKind { GroupBox, Label, Edit, DropDown, PictureButton, PushButton, Hyperlink };

struct ControlLayout {
  int id;  // IDC_ of resource.h
  ControlKind kind;
  int left, top;  // in the window's client area
  int width, height;
  const char* text;
  int bitmap;  // IDB_ of resource.h, 0 for none
};

inline constexpr int CONTROL_COUNT = 20;
extern const std::array<ControlLayout, CONTROL_COUNT> CONTROLS;

// The combo boxes are this high with their list dropped down.
inline constexpr int DROP_DOWN_HEIGHT = 160;

// ---- fonts and fixed colours ----
extern const FontSpec GROUP_CAPTION_FONT;  // group box captions
extern const FontSpec LABEL_FONT;          // labels, and the push buttons' caption fallback
extern const FontSpec LINK_FONT;           // the hyperlink
inline constexpr Rgb GROUP_CAPTION_COLOUR{0x80, 0x80, 0xFF};
inline constexpr Rgb LABEL_COLOUR{0x00, 0x00, 0xFF};
inline constexpr Rgb LINK_COLOUR{0x00, 0x00, 0xFF};
inline constexpr Rgb LINK_HOVER_COLOUR{0xFF, 0x00, 0x00};
inline constexpr Rgb LINK_VISITED_COLOUR{0x00, 0x00, 0x00};

// ---- picture buttons ----
// The hover and pressed face: the same amount added to each channel, 32 unless that
// would take the largest channel above 255.
Rgb hoverFace(Rgb face);
// Where the picture goes: centred, divisions truncating toward zero (so it may start
// left of or above the button and be clipped).
Point pictureOrigin(int buttonWidth, int buttonHeight, int pictureWidth, int pictureHeight);

// ---- focus ----
inline constexpr int FOCUS_COUNT = 12;
extern const std::array<int, FOCUS_COUNT> FOCUS_ORDER;  // IDC_ values, Tab order
// Index in FOCUS_ORDER of the next control, wrapping; current -1 (no control has the
// focus) gives the first control forward and the last one backward.
int nextFocusIndex(int current, bool backward);
// Index in FOCUS_ORDER of a control ID, or -1.
int focusIndexOf(int controlId);

// ---- hyperlink ----
inline constexpr int LINK_TYPE_MAIL = 0;
inline constexpr int LINK_TYPE_WEB = 1;
int clampLinkType(intptr_t type);
// What a press opens: the web address, or "mailto:" and the e-mail address; the empty
// text when that address is empty.
std::string linkTarget(int type, std::string_view webAddress, std::string_view mailAddress);
// The HTML handler's command line cut before its file placeholder ("\"%1\"" first, then
// "%1", else kept whole), then a space and the target: the fallback when the shell
// cannot open the target.
std::string htmlHandlerCommand(std::string_view handlerCommand, std::string_view target);

}  // namespace zephyra::ui
