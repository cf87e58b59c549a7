// SPDX-License-Identifier: MIT
#include "platform_test.h"

using namespace platform;

namespace {

class Canvas : public Form {
 public:
  Canvas() {
    SetClientSize(300, 200);
    SetBackColor(gfx::kWhite);
  }
};

class ControlsTest : public PlatformTest {
 protected:
  Canvas form;
  gfx::Surface Frame() { return headless::Frame(form); }
};

// The mean x of the pixels that differ from white: where the ink of a text lies.
double InkCentreX(const gfx::Surface& frame, int x, int y, int w, int h) {
  double sum = 0;
  int n = 0;
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx)
      if (frame.at(xx, yy) != gfx::kWhite) sum += xx, ++n;
  return n ? sum / n : -1;
}

TEST_F(ControlsTest, LabelDrawsAntiAliasedTextInsideItsRectangle) {
  Label label(form);
  label.Move(10, 10, 100, 20);
  label.SetFont("Arial", 9, true);
  label.SetForeColor(gfx::Rgb(255, 0, 0));
  label.SetCaption("Player Name:");
  const gfx::Surface frame = Frame();
  EXPECT_GT(CountNot(frame, 10, 10, 100, 20, gfx::kWhite), 40);
  EXPECT_EQ(CountNot(frame, 0, 0, 300, 10, gfx::kWhite), 0);
  EXPECT_EQ(CountNot(frame, 110, 0, 190, 200, gfx::kWhite), 0);
  bool red = false, blended = false;
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 110; ++x) {
      const gfx::Pixel p = frame.at(x, y);
      red |= p == gfx::Rgb(255, 0, 0);
      blended |= p != gfx::kWhite && p != gfx::Rgb(255, 0, 0);
    }
  EXPECT_TRUE(red);
  EXPECT_TRUE(blended);  // anti-aliased edges
}

TEST_F(ControlsTest, LabelColourAndTextChangesAreDrawn) {
  Label label(form);
  label.Move(0, 0, 200, 20);
  label.SetCaption("Number && Letter ONLY:");
  EXPECT_EQ(label.DisplayText(), "Number & Letter ONLY:");
  const int inkBefore = CountNot(Frame(), 0, 0, 200, 20, gfx::kWhite);
  label.SetForeColor(gfx::Rgb(255, 0, 0));
  const gfx::Surface red = Frame();
  int reds = 0;
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 20; ++y) reds += red.at(x, y) == gfx::Rgb(255, 0, 0);
  EXPECT_GT(reds, 10);
  label.SetCaption("No");
  EXPECT_LT(CountNot(Frame(), 0, 0, 200, 20, gfx::kWhite), inkBefore / 3);
}

TEST_F(ControlsTest, OpaqueLabelFillsItsBackground) {
  Label label(form);
  label.Move(20, 20, 50, 30);
  label.SetBackColor(gfx::Rgb(0, 0, 255));
  EXPECT_EQ(Frame().at(21, 48), gfx::Rgb(0, 0, 255));
  label.SetTransparent(true);
  EXPECT_EQ(Frame().at(21, 48), gfx::kWhite);
}

TEST_F(ControlsTest, CentredLabelCentresItsText) {
  Label left(form), centred(form);
  left.Move(0, 0, 200, 20);
  centred.Move(0, 40, 200, 20);
  centred.SetAlignment(Alignment::Centre);
  left.SetCaption("70%");
  centred.SetCaption("70%");
  const gfx::Surface frame = Frame();
  EXPECT_LT(InkCentreX(frame, 0, 0, 200, 20), 30);
  EXPECT_NEAR(InkCentreX(frame, 0, 40, 200, 20), 100, 3);
}

TEST_F(ControlsTest, AutoSizeGrowsToTheRightAndWordWrapBreaksLines) {
  Label sized(form);
  sized.Move(40, 10, 31, 16);
  sized.SetAutoSize(true);
  sized.SetFont("Arial", 10.5, true);
  sized.SetCaption("Player:   Somebody");
  EXPECT_EQ(sized.Left(), 40);
  EXPECT_GT(sized.Width(), 100);
  const int oneLine = sized.Height();
  EXPECT_GE(oneLine, 14);

  Label wrapped(form);
  wrapped.Move(0, 50, 139, 49);
  wrapped.SetWordWrap(true);
  wrapped.SetCaption("All of your data will be LOST if you play a new game, Are you Sure?");
  const gfx::Surface frame = Frame();
  for (int line = 0; line < 3; ++line)
    EXPECT_GT(CountNot(frame, 0, 50 + line * 15, 139, 12, gfx::kWhite), 20) << line;
  EXPECT_EQ(CountNot(frame, 139, 50, 100, 49, gfx::kWhite), 0);
}

// The menu's fixed labels were sized for the desktop fonts: their captions still show on
// one line, whole.
TEST_F(ControlsTest, MenuLabelsShowTheirWholeCaption) {
  Label notice(form), no(form);
  notice.Move(45, 56, 77, 15);
  notice.SetFont("Arial", 9, true);
  notice.SetAlignment(Alignment::Centre);
  notice.SetCaption("Player Name:");
  no.Move(94, 114, 15, 25);
  no.SetFont("Arial", 9, true, true);
  no.SetCaption("No");
  const gfx::Surface frame = Frame();
  EXPECT_GT(CountNot(frame, 45 + 50, 56, 27, 15, gfx::kWhite), 20);  // "Name:" on the line
  EXPECT_EQ(CountNot(frame, 0, 71, 300, 10, gfx::kWhite), 0);        // no second line
  EXPECT_GT(CountNot(frame, 109, 114, 3, 25, gfx::kWhite), 0);       // the "o" is whole
}

TEST_F(ControlsTest, BoldAndUnderlineChangeTheInk) {
  Label plain(form), bold(form), underlined(form);
  plain.Move(0, 0, 100, 25);
  bold.Move(0, 30, 100, 25);
  underlined.Move(0, 60, 100, 25);
  plain.SetCaption("Cancel");
  bold.SetCaption("Cancel");
  underlined.SetCaption("Cancel");
  bold.SetFont("Arial", 9, true);
  underlined.SetFont("Arial", 9, false, true);
  const gfx::Surface frame = Frame();
  const int plainInk = CountNot(frame, 0, 0, 100, 25, gfx::kWhite);
  EXPECT_GT(CountNot(frame, 0, 30, 100, 25, gfx::kWhite), plainInk * 11 / 10);
  EXPECT_GT(CountNot(frame, 0, 60, 100, 25, gfx::kWhite), plainInk + 20);
}

TEST_F(ControlsTest, PicturesHiddenControlsAndDrawingOrder) {
  PictureBox below(form), above(form), hidden(form);
  below.SetPicture(gfx::Surface(50, 50, 0xFF0000));
  above.SetPicture(gfx::Surface(50, 50, 0x00FF00));
  hidden.SetPicture(gfx::Surface(50, 50, 0x0000FF));
  below.Move(0, 0);
  above.Move(25, 25);
  hidden.Move(0, 0);
  hidden.Hide();
  form.Image().at(100, 100) = 0x010203;  // the persistent image shows under the controls
  const gfx::Surface frame = Frame();
  EXPECT_EQ(frame.at(10, 10), 0xFF0000u);
  EXPECT_EQ(frame.at(30, 30), 0x00FF00u);  // created later: drawn over
  EXPECT_EQ(frame.at(100, 100), 0x010203u);
  EXPECT_EQ(frame.at(80, 80), gfx::kWhite);
}

TEST_F(ControlsTest, ChildrenDrawOverTheirContainerClippedToIt) {
  PictureBox panel(form);
  panel.Move(100, 100, 60, 40);
  panel.SetBackColor(gfx::Rgb(200, 200, 200));
  Shape inside(form, &panel);
  inside.Move(50, 30, 40, 40);
  inside.SetFillColor(0x0000FF);
  Shape later(form);  // created after the panel, at top level
  later.Move(0, 0, 5, 5);
  const gfx::Surface frame = Frame();
  EXPECT_EQ(frame.at(155, 135), 0x0000FFu);
  EXPECT_EQ(frame.at(165, 135), gfx::kWhite);  // outside the panel: clipped
  EXPECT_EQ(frame.at(120, 120), gfx::Rgb(200, 200, 200));
  panel.Hide();
  EXPECT_EQ(headless::Frame(form).at(155, 135), gfx::kWhite);  // hidden with its container
}

TEST_F(ControlsTest, TwipsContainerScalesItsChildren) {
  PictureBox frameBox(form);
  frameBox.Move(20, 20, 165, 21);
  frameBox.SetScaleTwips(true);
  Shape bar(form, &frameBox);
  bar.Move(0, 0, 2480, 330);
  bar.SetFillColor(gfx::Rgb(10, 154, 215));
  bar.SetBorder(false);
  EXPECT_EQ(bar.PixelWidth(), 165);
  EXPECT_EQ(bar.PixelHeight(), 22);
  bar.SetWidth(1);
  EXPECT_EQ(bar.PixelWidth(), 1);
  const gfx::Surface frame = Frame();
  EXPECT_EQ(frame.at(20, 30), gfx::Rgb(10, 154, 215));
  EXPECT_EQ(frame.at(21, 30), gfx::kWhite);
}

TEST_F(ControlsTest, ShapeOutlineAndImageWithoutPictureIsInvisible) {
  Shape outline(form);
  outline.Move(10, 10, 20, 20);
  Image area(form);
  area.Move(50, 50, 30, 30);
  const gfx::Surface frame = Frame();
  EXPECT_EQ(frame.at(10, 15), gfx::kBlack);
  EXPECT_EQ(frame.at(15, 15), gfx::kWhite);
  EXPECT_EQ(CountNot(frame, 50, 50, 30, 30, gfx::kWhite), 0);
}

}  // namespace
