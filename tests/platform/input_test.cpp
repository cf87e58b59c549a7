// SPDX-License-Identifier: MIT
#include "platform_test.h"

using namespace platform;

namespace {

class Menu : public Form {
 public:
  Menu() {
    SetClientSize(400, 300);
    area.Move(10, 10, 50, 50);
    panel.Move(100, 100, 100, 100);
    ok.Move(10, 10, 30, 20);
    name.Move(10, 50, 80, 20);
    shape.Move(250, 0, 100, 100);
  }
  struct Press {
    int button;
    float x, y;
  };
  std::vector<Press> presses;
  int clicks = 0;
  platform::Image area{*this};
  PictureBox panel{*this};
  Label ok{*this, &panel};
  TextBox name{*this, &panel};
  Shape shape{*this};

 protected:
  void MouseDown(int button, int, float x, float y) override { presses.push_back({button, x, y}); }
  void Click() override { ++clicks; }
};

class InputTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    menu = &Instance<Menu>();
    menu->Show();
  }
  Menu* menu = nullptr;
};

TEST_F(InputTest, APressOnTheBareWindowGoesToTheForm) {
  headless::Press(*menu, 2, 300.5f, 250.25f);
  headless::Press(*menu, 4, 1, 299);
  headless::Press(*menu, 1, 399, 0);
  ASSERT_EQ(menu->presses.size(), 3u);
  EXPECT_EQ(menu->presses[0].button, 2);
  EXPECT_FLOAT_EQ(menu->presses[0].x, 300.5f);
  EXPECT_FLOAT_EQ(menu->presses[0].y, 250.25f);
  EXPECT_EQ(menu->presses[1].button, 4);
  EXPECT_EQ(menu->clicks, 1);  // only the left press is a click
}

TEST_F(InputTest, AClickOnAControlRunsItsHandlerOnly) {
  int areaClicks = 0, okClicks = 0;
  menu->area.OnClick = [&] { ++areaClicks; };
  menu->ok.OnClick = [&] { ++okClicks; };
  headless::Click(*menu, 20, 20);
  headless::Click(*menu, 115, 115);
  headless::Press(*menu, 2, 20, 20);  // a right press on a control is not a click
  EXPECT_EQ(areaClicks, 1);
  EXPECT_EQ(okClicks, 1);
  EXPECT_TRUE(menu->presses.empty());
  EXPECT_EQ(menu->clicks, 0);
  EXPECT_EQ(menu->ControlAt(20, 20), &menu->area);
  EXPECT_EQ(menu->ControlAt(150, 190), nullptr);  // the panel has no handler
}

TEST_F(InputTest, PanelsTakeTheirPressesShapesAndHiddenControlsDoNot) {
  menu->area.OnClick = [] {};
  headless::Click(*menu, 150, 190);  // on the panel, not on a control in it
  EXPECT_EQ(menu->clicks, 0);
  headless::Click(*menu, 300, 50);  // shapes let presses through
  EXPECT_EQ(menu->clicks, 1);
  menu->area.Hide();
  headless::Click(*menu, 20, 20);
  EXPECT_EQ(menu->clicks, 2);
  menu->panel.Hide();
  headless::Click(*menu, 115, 115);
  EXPECT_EQ(menu->clicks, 3);
}

TEST_F(InputTest, DisabledAndHiddenFormsReceiveNoInput) {
  int areaClicks = 0;
  menu->area.OnClick = [&] { ++areaClicks; };
  menu->name.SetFocus();
  menu->SetEnabled(false);
  headless::Click(*menu, 20, 20);
  headless::Press(*menu, 2, 300, 250);
  headless::Type("abc");
  EXPECT_EQ(areaClicks, 0);
  EXPECT_TRUE(menu->presses.empty());
  EXPECT_EQ(menu->name.Text(), "");
  menu->SetEnabled(true);
  menu->Hide();
  headless::Click(*menu, 20, 20);
  EXPECT_EQ(areaClicks, 0);
}

TEST_F(InputTest, TypingAndEditingInTheFocusedTextBox) {
  headless::Type("lost");  // no focus yet
  EXPECT_EQ(menu->name.Text(), "");
  headless::Click(*menu, 120, 155);  // clicking the box focuses it
  EXPECT_TRUE(menu->name.HasFocus());
  headless::Type("Bob1");
  EXPECT_EQ(menu->name.Text(), "Bob1");
  headless::PressKey(Key::Left);
  headless::PressKey(Key::Left);
  headless::PressKey(Key::Backspace);
  EXPECT_EQ(menu->name.Text(), "Bb1");
  headless::PressKey(Key::Delete);
  EXPECT_EQ(menu->name.Text(), "B1");
  headless::PressKey(Key::Home);
  headless::Type("x");
  headless::PressKey(Key::End);
  headless::Type("\xC3\xA9\t");  // an accented letter; the tab is dropped
  EXPECT_EQ(menu->name.Text(), "xB1\xC3\xA9");
  headless::PressKey(Key::Backspace);  // removes the whole two-byte character
  EXPECT_EQ(menu->name.Text(), "xB1");
  headless::PressKey(Key::Right);  // at the end: stays
  EXPECT_EQ(menu->name.Caret(), 3);
}

TEST_F(InputTest, TheTextBoxSelectsReplacesAndPastesAsADesktopBox) {
  menu->name.SetFocus();
  menu->name.SetText("Alice");
  headless::PressKey(Key::Left, kShiftMask);
  headless::PressKey(Key::Left, kShiftMask);
  EXPECT_EQ(menu->name.SelectedText(), "ce");
  headless::Type("x");  // typing replaces the selection
  EXPECT_EQ(menu->name.Text(), "Alix");
  headless::PressKey(Key::Home, kShiftMask);  // from the caret to the start
  EXPECT_EQ(menu->name.SelectedText(), "Alix");
  headless::PressKey(Key::Right);  // ends the selection at its right edge
  EXPECT_EQ(menu->name.SelectedText(), "");
  EXPECT_EQ(menu->name.Caret(), 4);
  headless::PressKey(Key::A, kCtrlMask);
  headless::PressKey(Key::Delete);
  EXPECT_EQ(menu->name.Text(), "");
  headless::SetClipboardText("Bob2\r\n");  // the line end of a copied line is dropped
  headless::PressKey(Key::V, kCtrlMask);
  headless::PressKey(Key::V);  // without Ctrl, only a key
  EXPECT_EQ(menu->name.Text(), "Bob2");
  headless::PressKey(Key::End, kShiftMask);  // nothing to select past the end
  headless::PressKey(Key::Home, kShiftMask);
  headless::PressKey(Key::Backspace);
  EXPECT_EQ(menu->name.Text(), "");
}

// Tab order is creation order, children after their container; hidden controls, controls
// without a handler and containers that only swallow clicks are passed over.
TEST_F(InputTest, TabMovesTheFocusRingAndEnterOrSpaceClicksIt) {
  int areaClicks = 0, okClicks = 0;
  menu->area.OnClick = [&] { ++areaClicks; };
  menu->ok.OnClick = [&] { ++okClicks; };
  menu->panel.OnClick = [] {};
  menu->panel.SetTabStop(false);
  const gfx::Surface before = headless::Frame(*menu);
  headless::PressKey(Key::Enter);  // no ring yet: nothing is clicked
  EXPECT_EQ(areaClicks, 0);
  EXPECT_TRUE(headless::Frame(*menu) == before);  // and none is drawn
  headless::PressKey(Key::Tab);
  EXPECT_EQ(menu->FocusedControl(), &menu->area);
  EXPECT_EQ(headless::Frame(*menu).row(30)[7], gfx::kBlack);  // the ring around it
  EXPECT_EQ(headless::Frame(*menu).row(30)[8], gfx::kWhite);
  headless::PressKey(Key::Space);
  EXPECT_EQ(areaClicks, 1);
  headless::PressKey(Key::Tab);
  EXPECT_EQ(menu->FocusedControl(), &menu->ok);
  headless::PressKey(Key::Enter);
  EXPECT_EQ(okClicks, 1);
  headless::PressKey(Key::Tab);  // the text box takes the keys once the ring is on it
  EXPECT_TRUE(menu->name.HasFocus());
  headless::Type("a");
  headless::PressKey(Key::Space);
  EXPECT_EQ(menu->name.Text(), "a");
  headless::PressKey(Key::Tab);  // round to the first
  EXPECT_EQ(menu->FocusedControl(), &menu->area);
  EXPECT_FALSE(menu->name.HasFocus());
  headless::PressKey(Key::Tab, kShiftMask);
  EXPECT_EQ(menu->FocusedControl(), &menu->name);
  menu->panel.Hide();
  headless::PressKey(Key::Tab, kShiftMask);
  EXPECT_EQ(menu->FocusedControl(), &menu->area);
  menu->HideFocusRing();
  EXPECT_EQ(headless::Frame(*menu).row(30)[7], before.row(30)[7]);
}

TEST_F(InputTest, KeysReachTheHandlerBeforeTheEdit) {
  std::vector<Key> keys;
  menu->name.SetFocus();
  menu->name.SetText("ab");
  menu->name.OnKeyDown = [&](Key key) {
    keys.push_back(key);
    EXPECT_EQ(menu->name.Text(), "ab");
  };
  headless::PressKey(Key::Enter);
  headless::PressKey(Key::F11);              // the window's, not the box's
  headless::PressKey(Key::Enter, kAltMask);  // the same
  headless::PressKey(Key::Backspace);
  EXPECT_EQ(keys, (std::vector<Key>{Key::Enter, Key::Backspace}));
  EXPECT_EQ(headless::FullScreenToggles(), 2);
  EXPECT_EQ(menu->name.Text(), "a");
}

TEST_F(InputTest, TextBoxDrawsTextAndCaretWhenFocused) {
  menu->name.SetText("Bob");
  const gfx::Surface unfocused = headless::Frame(*menu);
  EXPECT_GT(CountNot(unfocused, 112, 152, 30, 16, gfx::kWhite), 15);
  menu->name.SetFocus();
  const gfx::Surface focused = headless::Frame(*menu);
  EXPECT_GT(CountNot(focused, 112, 152, 60, 16, gfx::kWhite),
            CountNot(unfocused, 112, 152, 60, 16, gfx::kWhite));
}

}  // namespace
