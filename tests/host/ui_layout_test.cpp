#include <gtest/gtest.h>

#include <ostream>
#include <set>

#include "ui/layout.h"

namespace zephyra::ui {
namespace {

struct FaceCase {
  Rgb face, expected;
  friend void PrintTo(const FaceCase& c, std::ostream* os) {
    *os << int(c.face.r) << "," << int(c.face.g) << "," << int(c.face.b);
  }
};

class HoverFaceTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(HoverFaceTest, LightensEveryChannelByTheSameAmount) {
  Rgb got = hoverFace(GetParam().face);
  const Rgb& want = GetParam().expected;
  EXPECT_EQ(got, want) << int(got.r) << "," << int(got.g) << "," << int(got.b);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, HoverFaceTest,
    ::testing::Values(FaceCase{{0xF0, 0xF0, 0xF0}, {0xFF, 0xFF, 0xFF}},  // s = 15
                      FaceCase{{0xD4, 0xD0, 0xC8}, {0xF4, 0xF0, 0xE8}},  // s = 32
                      FaceCase{{0x00, 0x00, 0x00}, {0x20, 0x20, 0x20}},
                      FaceCase{{0x10, 0xFA, 0x20}, {0x15, 0xFF, 0x25}},  // largest 250: s = 5
                      FaceCase{{0xDF, 0x00, 0x00}, {0xFF, 0x20, 0x20}},  // exactly 255: s = 32
                      FaceCase{{0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}}));

TEST(PictureOriginTest, CentresAndTruncatesTowardZero) {
  // The cloud pictures are wider and taller than their buttons: clipped on both sides.
  EXPECT_EQ(pictureOrigin(104, 64, 128, 65), (Point{-12, 0}));
  EXPECT_EQ(pictureOrigin(88, 63, 78, 53), (Point{5, 5}));
  EXPECT_EQ(pictureOrigin(104, 34, 100, 30), (Point{2, 2}));
  EXPECT_EQ(pictureOrigin(10, 10, 13, 13), (Point{-1, -1}));  // -3 / 2, not -2
}

TEST(WindowOriginTest, CentresWithIntegerDivision) {
  EXPECT_EQ(windowOrigin(1024, 768), (Point{273, 191}));
  EXPECT_EQ(windowOrigin(1366, 769), (Point{444, 191}));
}

TEST(LinkTypeTest, ClampsToMailOrWeb) {
  EXPECT_EQ(clampLinkType(-5), LINK_TYPE_MAIL);
  EXPECT_EQ(clampLinkType(0), LINK_TYPE_MAIL);
  EXPECT_EQ(clampLinkType(1), LINK_TYPE_WEB);
  EXPECT_EQ(clampLinkType(7), LINK_TYPE_WEB);
  // A negative int sent as WPARAM and read back as a pointer-sized integer.
  EXPECT_EQ(clampLinkType(static_cast<intptr_t>(static_cast<uintptr_t>(-1))), LINK_TYPE_MAIL);
}

TEST(LinkTargetTest, WebAddressOrMailtoAndNothingWhenEmpty) {
  EXPECT_EQ(linkTarget(LINK_TYPE_WEB, "https://a/", "x@y"), "https://a/");
  EXPECT_EQ(linkTarget(LINK_TYPE_MAIL, "https://a/", "x@y"), "mailto:x@y");
  EXPECT_EQ(linkTarget(LINK_TYPE_WEB, "", "x@y"), "");
  EXPECT_EQ(linkTarget(LINK_TYPE_MAIL, "https://a/", ""), "");
}

TEST(FocusOrderTest, TabWalksTheFormOrderAndWraps) {
  const int expected[] = {IDC_超级按钮2, IDC_组合框2,   IDC_超级按钮1, IDC_编辑框1,
                          IDC_编辑框2,   IDC_组合框1,   IDC_超级按钮3, IDC_超级按钮4,
                          IDC_超级按钮5, IDC_超级按钮6, IDC_按钮1,     IDC_按钮2};
  int index = nextFocusIndex(-1, false);  // nothing focused yet: the first control
  for (int step = 0; step < 2 * FOCUS_COUNT; ++step) {
    EXPECT_EQ(FOCUS_ORDER[index], expected[step % FOCUS_COUNT]) << "step " << step;
    index = nextFocusIndex(index, false);
  }
}

TEST(FocusOrderTest, ShiftTabWalksBackAndWraps) {
  EXPECT_EQ(FOCUS_ORDER[nextFocusIndex(-1, true)], IDC_按钮2);
  EXPECT_EQ(FOCUS_ORDER[nextFocusIndex(focusIndexOf(IDC_超级按钮2), true)], IDC_按钮2);
  EXPECT_EQ(FOCUS_ORDER[nextFocusIndex(focusIndexOf(IDC_超级按钮3), true)], IDC_组合框1);
  for (int i = 0; i < FOCUS_COUNT; ++i)
    EXPECT_EQ(nextFocusIndex(nextFocusIndex(i, false), true), i);
}

TEST(FocusOrderTest, LabelsGroupBoxesAndTheHyperlinkNeverTakeTheFocus) {
  std::set<int> focusable(FOCUS_ORDER.begin(), FOCUS_ORDER.end());
  EXPECT_EQ(focusable.size(), static_cast<size_t>(FOCUS_COUNT));
  for (const ControlLayout& control : CONTROLS) {
    bool takesFocus = control.kind != ControlKind::Label &&
                      control.kind != ControlKind::GroupBox &&
                      control.kind != ControlKind::Hyperlink;
    EXPECT_EQ(focusable.count(control.id) == 1, takesFocus) << control.id;
  }
  EXPECT_EQ(focusIndexOf(IDC_超级链接框1), -1);
}

struct HtmCase {
  const char* what;
  std::string handler, expected;
  friend void PrintTo(const HtmCase& c, std::ostream* os) { *os << c.what; }
};

class HtmlHandlerCommandTest : public ::testing::TestWithParam<HtmCase> {};

TEST_P(HtmlHandlerCommandTest, CutsBeforeThePlaceholderAndAppendsTheTarget) {
  EXPECT_EQ(htmlHandlerCommand(GetParam().handler, "https://q/"), GetParam().expected)
      << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, HtmlHandlerCommandTest,
    ::testing::Values(
        HtmCase{"quoted placeholder", "\"C:\\IE\\iexplore.exe\" \"%1\"",
                "\"C:\\IE\\iexplore.exe\"  https://q/"},
        HtmCase{"quoted placeholder wins over an earlier bare one",
                "b.exe -a%1x \"%1\"", "b.exe -a%1x  https://q/"},
        HtmCase{"bare placeholder", "b.exe -url %1 -new", "b.exe -url  https://q/"},
        HtmCase{"no placeholder keeps it whole", "b.exe -nohome", "b.exe -nohome https://q/"},
        HtmCase{"empty handler", "", " https://q/"},
        // "\xB5\x25" is one two-byte character whose second byte is '%'
        HtmCase{"no match inside a two-byte character", "\xB5\x25" "1.exe",
                "\xB5\x25" "1.exe https://q/"},
        HtmCase{"two-byte path before the placeholder", "\"C:\\浏览器\\b.exe\" %1",
                "\"C:\\浏览器\\b.exe\"  https://q/"}));

}  // namespace
}  // namespace zephyra::ui
