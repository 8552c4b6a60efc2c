#include "ui/layout.h"

#include <algorithm>

#include "platform/text.h"

namespace zephyra::ui {

// Group boxes come last: a child created later sits lower in the Z order, so the frames
// lie under the controls drawn inside them.
const std::array<ControlLayout, CONTROL_COUNT> CONTROLS = {{
    {IDC_标签1, ControlKind::Label, 19, 33, 78, 20, "WiFi名称：", 0},
    {IDC_编辑框1, ControlKind::Edit, 105, 35, 225, 20, "", 0},
    {IDC_标签2, ControlKind::Label, 19, 61, 78, 20, "WiFi密码：", 0},
    {IDC_编辑框2, ControlKind::Edit, 105, 62, 225, 20, "", 0},
    {IDC_超级按钮1, ControlKind::PictureButton, 345, 23, 104, 64, "", IDB_CREATE},
    {IDC_标签4, ControlKind::Label, 19, 135, 78, 20, "供网名称：", 0},
    {IDC_组合框1, ControlKind::DropDown, 105, 137, 225, DROP_DOWN_HEIGHT, "", 0},
    {IDC_标签3, ControlKind::Label, 19, 163, 78, 20, "共享名称：", 0},
    {IDC_组合框2, ControlKind::DropDown, 105, 164, 225, DROP_DOWN_HEIGHT, "", 0},
    {IDC_超级按钮2, ControlKind::PictureButton, 345, 125, 104, 64, "", IDB_SHARE},
    {IDC_超级按钮3, ControlKind::PictureButton, 17, 233, 88, 63, "", IDB_START},
    {IDC_超级按钮4, ControlKind::PictureButton, 134, 233, 88, 63, "", IDB_STOP},
    {IDC_超级按钮5, ControlKind::PictureButton, 253, 233, 88, 63, "", IDB_REMOVE},
    {IDC_超级按钮6, ControlKind::PictureButton, 367, 233, 88, 63, "", IDB_UNSHARE},
    {IDC_超级链接框1, ControlKind::Hyperlink, 5, 332, 192, 16, "Quorvane技术 从专注踏往专业", 0},
    {IDC_按钮1, ControlKind::PushButton, 230, 316, 104, 34, "使用说明", IDB_USAGE},
    {IDC_按钮2, ControlKind::PushButton, 357, 316, 104, 34, "关于软件", IDB_ABOUT},
    {IDC_分组框1, ControlKind::GroupBox, 8, 8, 456, 96, "创建Zephyra", 0},
    {IDC_分组框2, ControlKind::GroupBox, 8, 110, 456, 96, "共享网络设置", 0},
    {IDC_分组框3, ControlKind::GroupBox, 8, 212, 456, 96, "全局设置", 0},
}};

const FontSpec GROUP_CAPTION_FONT = {"宋体", 14, 400, false};
const FontSpec LABEL_FONT = {"宋体", 16, 700, false};
const FontSpec LINK_FONT = {"宋体", 12, 400, true};

const std::array<int, FOCUS_COUNT> FOCUS_ORDER = {
    IDC_超级按钮2, IDC_组合框2,   IDC_超级按钮1, IDC_编辑框1,   IDC_编辑框2, IDC_组合框1,
    IDC_超级按钮3, IDC_超级按钮4, IDC_超级按钮5, IDC_超级按钮6, IDC_按钮1,   IDC_按钮2,
};

Point windowOrigin(int screenWidth, int screenHeight) {
  return {(screenWidth - WINDOW_WIDTH) / 2, (screenHeight - WINDOW_HEIGHT) / 2};
}

Rgb hoverFace(Rgb face) {
  int largest = std::max({face.r, face.g, face.b});
  int s = largest + 32 > 255 ? 255 - largest : 32;
  auto lift = [s](uint8_t channel) { return static_cast<uint8_t>(channel + s); };
  return {lift(face.r), lift(face.g), lift(face.b)};
}

Point pictureOrigin(int buttonWidth, int buttonHeight, int pictureWidth, int pictureHeight) {
  return {(buttonWidth - pictureWidth) / 2, (buttonHeight - pictureHeight) / 2};
}

int nextFocusIndex(int current, bool backward) {
  if (current < 0 || current >= FOCUS_COUNT) return backward ? FOCUS_COUNT - 1 : 0;
  return (current + (backward ? FOCUS_COUNT - 1 : 1)) % FOCUS_COUNT;
}

int focusIndexOf(int controlId) {
  auto found = std::find(FOCUS_ORDER.begin(), FOCUS_ORDER.end(), controlId);
  return found == FOCUS_ORDER.end() ? -1 : static_cast<int>(found - FOCUS_ORDER.begin());
}

int clampLinkType(intptr_t type) {
  return static_cast<int>(std::clamp<intptr_t>(type, LINK_TYPE_MAIL, LINK_TYPE_WEB));
}

std::string linkTarget(int type, std::string_view webAddress, std::string_view mailAddress) {
  std::string_view address = asText(type == LINK_TYPE_MAIL ? mailAddress : webAddress);
  if (address.empty()) return std::string();
  return type == LINK_TYPE_MAIL ? concatTexts({"mailto:", address}) : std::string(address);
}

std::string htmlHandlerCommand(std::string_view handlerCommand, std::string_view target) {
  std::string_view command = asText(handlerCommand);
  size_t cut = findCharacterAware(command, "\"%1\"");
  if (cut == std::string_view::npos) cut = findCharacterAware(command, "%1");
  return concatTexts({command.substr(0, cut), " ", target});
}

}  // namespace zephyra::ui
