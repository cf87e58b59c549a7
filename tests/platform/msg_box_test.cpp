// SPDX-License-Identifier: MIT
// The drawn message box on the headless backend: what it shows, what closes it, and that
// its caller and every other window wait while it is up.
#include <string>
#include <vector>

#include "platform/loop/msg_box.h"
#include "platform_test.h"

using namespace platform;

namespace {

using MsgBoxTest = PlatformTest;

struct Seen {
  std::string caption, text;
  gfx::Surface frame;
  int iconLeft = 0, textLeft = 0, textWidth = 0, textLines = 0;
  bool iconShown = false;
};

Seen ShowAndLook(const std::string& text, MsgBoxIcon icon) {
  Seen seen;
  headless::AnswerMessageBoxes([&seen](MsgBoxForm& box) {
    seen = {box.Caption(),
            box.lblText.DisplayText(),
            headless::Frame(box),
            box.imgIcon.Left(),
            box.lblText.Left(),
            box.lblText.Width(),
            box.lblText.TextHeight() / box.lblOK.TextHeight(),
            !box.imgIcon.Picture().empty()};
  });
  MsgBox(text, "Title", icon);
  return seen;
}

TEST_F(MsgBoxTest, ShowsTheTitleTheIconAskedForTheTextAndAnOkButton) {
  const Seen warning =
      ShowAndLook("Minimum screen resolution is 1024 * 768", MsgBoxIcon::Exclamation);
  EXPECT_EQ(warning.caption, "Title");
  EXPECT_EQ(warning.text, "Minimum screen resolution is 1024 * 768");
  ASSERT_TRUE(warning.iconShown);
  EXPECT_EQ(warning.frame.at(warning.iconLeft + 10, 22 + 24), gfx::Rgb(255, 200, 40));  // yellow
  EXPECT_GT(CountNot(warning.frame, warning.textLeft, 22, warning.textWidth, 32, gfx::kWhite), 100)
      << "no text";
  const int bottom = warning.frame.height() - 1;
  EXPECT_NE(CountNot(warning.frame, warning.frame.width() / 2 - 10, bottom - 20, 20, 15,
                     gfx::Rgb(225, 225, 225)),
            0)
      << "no OK on the button";

  const Seen information = ShowAndLook("Saved & kept.", MsgBoxIcon::Information);
  EXPECT_EQ(information.text, "Saved & kept.") << "an ampersand is shown as it is";
  EXPECT_EQ(information.frame.at(information.iconLeft + 16, 22 + 4), gfx::Rgb(30, 110, 215));

  const Seen plain = ShowAndLook("No icon", MsgBoxIcon::None);
  EXPECT_FALSE(plain.iconShown);
  EXPECT_EQ(plain.textLeft, 24);

  const std::string word(50, 'x');
  const Seen longer = ShowAndLook(word + " " + word + " " + word, MsgBoxIcon::Exclamation);
  EXPECT_LE(longer.textWidth, 400);
  EXPECT_EQ(longer.textLines, 3);
  EXPECT_EQ(headless::MessageBoxes().size(), 4u);
}

// A window behind the box, with a text box and a timer of its own.
class Behind : public Form {
 public:
  Behind() {
    SetClientSize(200, 100);
    name.Move(0, 0, 100, 20);
    ticker.OnTick = [this] { ++ticks; };
  }
  void Click() override { ++clicks; }
  TextBox name{*this};
  Timer ticker{*this, 20, true};
  int clicks = 0, ticks = 0;
};

TEST_F(MsgBoxTest, OkEnterSpaceAndEscapeCloseItWhileEverythingElseWaits) {
  Behind behind;
  behind.Show();
  behind.name.SetFocus();
  std::vector<std::string> order;
  const std::vector<std::function<void(MsgBoxForm&)>> closers = {
      [](MsgBoxForm& box) {
        headless::Click(box, box.cmdOK.ScreenLeft() + 5, box.cmdOK.ScreenTop() + 5);
      },
      [](MsgBoxForm&) { headless::PressKey(Key::Enter); },
      [](MsgBoxForm&) { headless::PressKey(Key::Space); },
      [&behind](MsgBoxForm&) { behind.DeliverKey(Key::Escape); },  // keys reach the box
  };
  for (const auto& close : closers) {
    headless::AnswerMessageBoxes([&](MsgBoxForm& box) {
      headless::PressKey(Key::Other);
      headless::Click(behind, 150, 50);
      headless::Type("a");
      headless::AdvanceMs(100);
      EXPECT_TRUE(box.Visible());
      close(box);
      order.push_back(box.Visible() ? "still open" : "closed");
    });
    MsgBox("Wait", "Title");
    order.push_back("caller goes on");
  }
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < closers.size(); ++i) {
    expected.push_back("closed");
    expected.push_back("caller goes on");
  }
  EXPECT_EQ(order, expected);
  EXPECT_EQ(behind.clicks, 0);
  EXPECT_EQ(behind.name.Text(), "");
  EXPECT_EQ(behind.ticks, 0) << "a timer ticked behind the box";
  headless::AdvanceMs(0);
  EXPECT_EQ(behind.ticks, 1) << "the late tick comes once the box is closed";
  headless::Type("b");
  EXPECT_EQ(behind.name.Text(), "b") << "typing goes back to the window it went to";
}

TEST_F(MsgBoxTest, OnceTheProgramIsEndingTheTextGoesToStderrOnly) {
  bool shown = false;
  headless::AnswerMessageBoxes([&shown](MsgBoxForm&) { shown = true; });
  EndProgram();
  testing::internal::CaptureStderr();
  MsgBox("Too late", "Title");
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Title: Too late"), std::string::npos);
  EXPECT_FALSE(shown);
}

}  // namespace
