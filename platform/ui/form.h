// SPDX-License-Identifier: MIT
// Top-level windows and the controls on them, written in the style the screens expect:
// a screen is a class derived from Form whose constructor lays out its controls with
// their design values, whose Load() runs when it is first shown, and whose handlers
// react to presses, clicks and timer ticks.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "gfx/surface.h"

namespace platform {

constexpr int kTwipsPerPixel = 15;

// The shortest timer period: one tick of the classic desktop timer (1/64 s). The
// animations were designed for it; a 1 ms timer fires about 64 times a second.
constexpr double kMinTimerPeriodMs = 15.625;

enum class MousePointer { Default, Hand, Custom };
enum class Alignment { Left, Centre };
// Keys the screens act on; letters only where a screen has a shortcut on them.
enum class Key {
  Enter,
  Escape,
  Space,
  Tab,
  Backspace,
  Delete,
  Left,
  Right,
  Up,
  Down,
  Home,
  End,
  F11,
  A,
  M,
  V,
  Other
};
// Held modifier keys of a key press, as a mask (the classic desktop's Shift argument).
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

class Form;

// Anything placed on a form. Positions and sizes are in the parent's scale: pixels,
// or twips inside a container whose scale is twips (SetScaleTwips).
class Control {
 public:
  Control(Form& form, Control* parent);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  void Move(int left, int top, int width, int height);
  void Move(int left, int top);
  void SetWidth(int width);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Visible() const { return visible_; }

  // Click handler; a control with one receives clicks (and its pointer while hovered).
  std::function<void()> OnClick;
  void SetMousePointer(MousePointer pointer) { pointer_ = pointer; }
  // A 32 x 32 picture used as the pointer when the pointer is Custom; the colour of its
  // top-left pixel is transparent, and its hot spot is the top-left corner.
  void SetMouseIcon(const gfx::Surface& icon);
  MousePointer Pointer() const { return pointer_; }
  const gfx::Surface& MouseIcon() const { return mouseIcon_; }

  // Whether the focus ring stops on it when it can be clicked (a container that only
  // swallows clicks does not).
  void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
  bool TabStop() const { return tabStop_; }

  Form& Owner() const { return form_; }
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }

  // Containers: children positioned in twips instead of pixels.
  void SetScaleTwips(bool twips) { scaleTwips_ = twips; }
  bool ScaleTwips() const { return scaleTwips_; }

  // The control's rectangle in the form's pixels.
  int ScreenLeft() const;
  int ScreenTop() const;
  int PixelWidth() const;
  int PixelHeight() const;
  // Visible itself and every container above it visible.
  bool ShownOnForm() const;

  // Draws the control (not its children) with its top-left corner at (x, y) of target,
  // clipped to its container (see platform/ui/drawing.h).
  virtual void Draw(gfx::Surface& target, int x, int y, int w, int h) const;
  // Whether a press on the control lands on it (shapes let presses through).
  virtual bool TakesMouse() const { return true; }

 protected:
  void Changed();  // marks the form as needing a new frame

 private:
  Form& form_;
  Control* parent_;
  std::vector<Control*> children_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool scaleTwips_ = false;
  bool tabStop_ = true;
  MousePointer pointer_ = MousePointer::Default;
  gfx::Surface mouseIcon_;
};

// A text label: caption with the "&&" shown as "&" rule, font, colours, alignment,
// autosize growing to the right, word wrap within the width. As on the classic desktop, a
// label of fixed size wraps its caption at word breaks within its width; an autosized one
// keeps one line and grows to the right, or with word wrap keeps its width and grows down.
class Label : public Control {
 public:
  Label(Form& form, Control* parent = nullptr);
  void SetCaption(const std::string& caption);
  const std::string& Caption() const { return caption_; }
  // Font names are the desktop names the screens use: "Arial", "Verdana".
  void SetFont(const std::string& name, double points, bool bold = false, bool underline = false);
  void SetForeColor(gfx::Pixel colour);
  gfx::Pixel ForeColor() const { return foreColor_; }
  void SetBackColor(gfx::Pixel colour);  // makes the background opaque
  void SetTransparent(bool transparent);
  void SetAlignment(Alignment alignment);
  void SetAutoSize(bool autoSize);
  void SetWordWrap(bool wordWrap);
  // The caption as it is drawn ("&&" shown as "&").
  std::string DisplayText() const;
  // The size in pixels of the caption as it is laid out: its widest line, and all its
  // lines (a label of fixed size wraps its caption within its width).
  int TextWidth() const;
  int TextHeight() const;

  void Draw(gfx::Surface& target, int x, int y, int w, int h) const override;

 private:
  friend class Text;
  std::string caption_, fontName_ = "Arial";
  double points_ = 9.0;
  bool bold_ = false, underline_ = false, transparent_ = true, autoSize_ = false, wordWrap_ = false;
  Alignment alignment_ = Alignment::Left;
  gfx::Pixel foreColor_ = gfx::kBlack, backColor_ = gfx::kWhite;
  mutable std::shared_ptr<void> cache_;  // rendered caption, kept until something changes
};

// A picture box: shows its picture (drawn from its top-left corner, clipped to its size),
// may contain other controls, and is a raster source or target through Image().
class PictureBox : public Control {
 public:
  PictureBox(Form& form, Control* parent = nullptr);
  // Copies the picture in. A control whose size is still 0 x 0 takes the picture's size.
  void SetPicture(const gfx::Surface& picture);
  bool HasPicture() const { return !image_.empty(); }
  gfx::Surface& Image() { return image_; }
  const gfx::Surface& Image() const { return image_; }
  // Drawn under the picture where the picture does not reach (default white).
  void SetBackColor(gfx::Pixel colour);
  void SetBorder(bool border, gfx::Pixel colour = gfx::kBlack);

  void Draw(gfx::Surface& target, int x, int y, int w, int h) const override;

 private:
  gfx::Surface image_;
  gfx::Pixel backColor_ = gfx::kWhite;
  bool border_ = false;
  gfx::Pixel borderColor_ = gfx::kBlack;
};

// An image control: a picture without a background; with no picture it is an invisible
// click area.
class Image : public Control {
 public:
  Image(Form& form, Control* parent = nullptr);
  void SetPicture(const gfx::Surface& picture);
  const gfx::Surface& Picture() const { return picture_; }
  void Draw(gfx::Surface& target, int x, int y, int w, int h) const override;

 private:
  gfx::Surface picture_;
};

// A filled and/or outlined rectangle.
class Shape : public Control {
 public:
  Shape(Form& form, Control* parent = nullptr);
  void SetFillColor(gfx::Pixel colour);  // makes it filled
  void SetBorder(bool border);
  void Draw(gfx::Surface& target, int x, int y, int w, int h) const override;
  bool TakesMouse() const override { return false; }

 private:
  bool filled_ = false, border_ = true;
  gfx::Pixel fillColor_ = gfx::kBlack;  // the border is always black
};

// A one-line text box.
class TextBox : public Control {
 public:
  TextBox(Form& form, Control* parent = nullptr);
  void SetText(const std::string& text);  // caret goes to the end, nothing selected
  const std::string& Text() const { return text_; }
  // The selection runs from the anchor to the caret (empty when they meet).
  std::string SelectedText() const;
  void SetFocus();
  bool HasFocus() const;
  int Caret() const { return caret_; }
  void SetFont(const std::string& name, double points, bool bold = false);
  // Called for every key the box receives, before the box edits its text with it.
  std::function<void(Key)> OnKeyDown;

  // Input from the backends: typed text (UTF-8, replacing the selection) and editing keys
  // as a desktop's one-line box takes them (Shift extends the selection, Ctrl+A selects
  // all, Ctrl+V pastes the clipboard).
  void TypeText(const std::string& utf8);
  void PressKey(Key key, int shift = 0);

  void Draw(gfx::Surface& target, int x, int y, int w, int h) const override;

 private:
  std::string text_, fontName_ = "Arial";
  double points_ = 9.0;
  bool bold_ = false;
  bool MoveCaret(Key key, int shift);
  bool DeleteSelection();
  int caret_ = 0;                        // byte offset into text_, always on a character boundary
  int anchor_ = 0;                       // the other end of the selection, on a boundary too
  mutable std::shared_ptr<void> cache_;  // rendered text, kept until something changes
};

// A timer. Ticks run on the one thread, never overlap and never come in bursts; a
// period shorter than kMinTimerPeriodMs runs at that period. Enabling restarts the
// period. Timers of hidden forms keep ticking; timers of closed forms never fire again.
class Timer {
 public:
  explicit Timer(Form& form, int intervalMs = 0, bool enabled = false);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void SetInterval(int ms);
  int Interval() const { return intervalMs_; }
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  std::function<void()> OnTick;

  // Used by the scheduler. Fire runs the tick (if enabled) and schedules the next one a
  // period after the due time, or a period after now when the tick came late.
  double DueMs() const { return dueMs_; }
  double PeriodMs() const;
  void Fire();
  void Fire(double nowMs);
  Form& Owner() const { return form_; }

 private:
  Form& form_;
  int intervalMs_;
  bool enabled_;
  double dueMs_ = 0;
};

// A top-level window.
class Form {
 public:
  Form();
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Loads the form the first time (runs Load()), then makes it visible.
  void Show();
  // Makes it invisible; all state is kept.
  void Hide();
  // Discards the form: it is hidden at once, its timers stop, Unload() runs, and the
  // object is destroyed once the running handler has returned. The next Instance<T>()
  // creates and loads a new one.
  void Close();
  bool Visible() const { return visible_; }
  bool Loaded() const { return loaded_; }
  bool Closing() const { return closing_; }
  // The window system asks to close the window (its close button, Alt+F4): every backend
  // routes the request here, and QueryUnload() answers it. With no window left visible
  // afterwards the program ends, since the player could not reach it any more.
  void RequestClose();
  // The desktop session ends (see EndSession): the form keeps at once what it must not
  // lose, as its own way out would, for it is then destroyed without being asked.
  virtual void SessionEnds() {}

  // A disabled form receives no presses, clicks or keys.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }

  void SetCaption(const std::string& caption);
  const std::string& Caption() const { return caption_; }
  // Client area size; the window's decorations are the window system's.
  void SetClientSize(int width, int height);
  void SetSizeTwips(int widthTwips, int heightTwips);
  int ClientWidth() const { return image_.width(); }
  int ClientHeight() const { return image_.height(); }
  void SetBackColor(gfx::Pixel colour);
  // The background picture: the persistent image starts as the back colour with it on top.
  void SetPicture(const gfx::Surface& picture);
  void SetIcon(const gfx::Surface& icon);
  const gfx::Surface& Icon() const { return icon_; }

  // The persistent drawing surface: drawing on it stays until drawn over.
  gfx::Surface& Image() { return image_; }
  const gfx::Surface& Image() const { return image_; }
  // The controls placed directly on the form, in creation order.
  const std::vector<Control*>& Controls() const { return controls_; }

  // Resets the persistent image to the back colour with the background picture.
  void Cls();
  // Makes the current image (with the controls over it) visible. Cheap: the frame is
  // composed and presented once per pass of the event loop.
  void Refresh();

  // Composes the frame: the persistent image with every shown control drawn over it, in
  // the order the controls were created, children over their container.
  gfx::Surface Compose() const;
  void ComposeInto(gfx::Surface& frame) const;

  // The topmost shown control that a press at a pixel of the form lands on, or nullptr
  // (the bare window).
  Control* HitControl(int x, int y) const;
  // The control a press at that pixel lands on when it has a click handler, or nullptr.
  Control* ControlAt(int x, int y) const;
  // The text box that typing goes to: a browser opens a phone's keyboard while there is one.
  TextBox* FocusedTextBox() const { return focus_; }

  // The focus ring: Tab and Shift+Tab move it over the shown click areas and text boxes in
  // the order the controls were created (children after their container), and Enter or
  // Space clicks the control it is on. It is drawn only once Tab has been pressed, so a
  // mouse player never sees it.
  Control* FocusedControl() const;
  bool FocusRingShown() const { return ringShown_; }
  void HideFocusRing();

  // Input, delivered by the backends. A press that lands on a control belongs to it: a
  // left press clicks it (and focuses a text box); a press on the bare window goes to
  // MouseDown() and, for the left button, Click(). F11 and Alt+Enter switch the window to
  // full screen and back; Tab moves the focus ring; other keys go to the focused text box,
  // to the control the ring is on (Enter, Space), or else to KeyDown(). While a modal form is
  // shown, the other forms take no input, and their keys go to the modal form.
  void DeliverPress(int button, float x, float y);
  void DeliverKey(Key key, int shift = 0);
  void DeliverText(const std::string& utf8);
  // The button that a tap on a touch screen at (x, y) of the bare window acts as.
  virtual int TapButton(float /*x*/, float /*y*/) const { return 1; }

  // Backend bookkeeping.
  bool NeedsPresent() const { return dirty_; }
  void MarkPresented() { dirty_ = false; }
  void MarkDirty() { dirty_ = true; }
  void* backendData = nullptr;
  std::shared_ptr<void> backendState;

 protected:
  // Handlers for the screens.
  virtual void Load() {}
  virtual void Unload() {}
  // A close request from the window system (see RequestClose). The default closes the
  // form; a screen overrides it to leave the way its own button does, or to refuse.
  virtual void QueryUnload() { Close(); }
  // button: 1 left, 2 right, 4 middle; x, y in pixels of the client area.
  virtual void MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void Click() {}
  // A key no control took: shift is the mask of held modifiers.
  virtual void KeyDown(Key /*key*/, int /*shift*/) {}

 private:
  friend class Control;
  friend class TextBox;
  friend class Timer;
  void Register(Control* control);
  void Unregister(Control* control);
  bool TakesInput() const;
  void MoveFocusRing(bool backwards);
  void DrawFocusRing(gfx::Surface& frame) const;

  std::string caption_;
  gfx::Surface image_{0, 0};
  gfx::Surface picture_;
  gfx::Surface icon_;
  gfx::Pixel backColor_ = gfx::kWhite;
  bool visible_ = false, loaded_ = false, closing_ = false, enabled_ = true, dirty_ = true;
  bool loading_ = false, hiddenInLoad_ = false;
  std::vector<Control*> controls_;  // top-level controls, in creation order
  std::vector<Timer*> timers_;
  TextBox* focus_ = nullptr;
  Control* ringAt_ = nullptr;  // the focus ring's control: a click area or focus_
  bool ringShown_ = false;
};

namespace detail {
Form* FindInstance(std::type_index type);
void AddInstance(std::type_index type, std::unique_ptr<Form> form);
}  // namespace detail

// The one global access point of a screen: creates it on first use, and again after
// it was closed. Screens expose it as frmMain(), frmDoor() ...
template <class T>
T& Instance() {
  if (Form* existing = detail::FindInstance(typeid(T))) return static_cast<T&>(*existing);
  auto created = std::make_unique<T>();
  T& ref = *created;
  detail::AddInstance(typeid(T), std::move(created));
  return ref;
}

}  // namespace platform
