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

TEST_F(InputTest, KeysReachTheHandlerBeforeTheEdit) {
  std::vector<Key> keys;
  menu->name.SetFocus();
  menu->name.SetText("ab");
  menu->name.OnKeyDown = [&](Key key) {
    keys.push_back(key);
    EXPECT_EQ(menu->name.Text(), "ab");
  };
  headless::PressKey(Key::Enter);
  headless::PressKey(Key::Backspace);
  EXPECT_EQ(keys, (std::vector<Key>{Key::Enter, Key::Backspace}));
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
