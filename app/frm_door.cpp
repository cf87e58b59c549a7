// SPDX-License-Identifier: MIT
#include "app/frm_door.h"

#include <filesystem>
#include <system_error>

#include "app/clickable.h"
#include "app/frm_how_to_play.h"
#include "app/frm_score.h"
#include "app/label_fit.h"
#include "app/startup.h"
#include "audio/frm_music.h"
#include "audio/sound_manager.h"
#include "game/frm_main.h"
#include "game/game_state.h"
#include "platform/files/files.h"
#include "platform/files/places.h"
#include "platform/loop/system.h"
#include "resources/picture_names.h"
#include "storage/player_file.h"

namespace app {

namespace {

bool IsNameCharacter(unsigned char c) {
  return (c >= 65 && c <= 90) || (c >= 48 && c <= 57) || (c >= 97 && c <= 122);
}

// The high-score table's file is data/score.dat: a player of that name would share it.
bool IsTableName(const std::string& name) {
  return platform::files::SameNameIgnoringCase(name, "score");
}

std::filesystem::path SaveFilePath() {
  return storage::PlayerFilePath(platform::PlayerFolder(), game::PlayerName);
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

void DeleteFile(const std::filesystem::path& path) {
  std::error_code error;  // a file that cannot be deleted is left as it is
  std::filesystem::remove(path, error);
}

void SetClickableTextLook(platform::Label& label, const char* caption) {
  label.SetCaption(caption);
  label.SetFont("Arial", 9, true, true);
  label.SetTransparent(true);
  WidenToText(label);
}

void SetPanelLook(platform::PictureBox& panel, const char* picture) {
  panel.Move(150, 444, 167, 142);
  panel.SetPicture(platform::LoadPicture(picture));
  panel.Hide();
  // A press on a panel is not a press on the bare window, so it must not reach Click().
  panel.OnClick = [] {};
  panel.SetTabStop(false);
}

}  // namespace

FrmDoor::FrmDoor()
    : imgPlay(*this),
      ImgScore(*this),
      imgExit(*this),
      imgHTP(*this),
      picAsk(*this),
      Label1(*this, &picAsk),
      lblYes(*this, &picAsk),
      lblNo(*this, &picAsk),
      picNew(*this),
      imgNewGame(*this, &picNew),
      imgContinue(*this, &picNew),
      picName(*this),
      lblNotice(*this, &picName),
      txtName(*this, &picName),
      lblOK(*this, &picName),
      lblCancel(*this, &picName),
      pointer_(platform::LoadPicture(res::kPointer)) {
  SetCaption("Zentorra");
  SetClientSize(1024, 768);
  SetPicture(platform::LoadPicture(res::kMenuBack));
  SetIcon(platform::LoadPicture(res::kIcon));

  imgPlay.Move(180, 598, 94, 137);
  ImgScore.Move(352, 594, 96, 140);
  imgExit.Move(686, 596, 108, 140);
  imgHTP.Move(934, 710, 87, 55);
  MakeClickable(imgPlay, pointer_, [this] { PlayClick(); });
  MakeClickable(ImgScore, pointer_, [this] { ScoreClick(); });
  MakeClickable(imgExit, pointer_, [this] { ExitClick(); });
  MakeClickable(imgHTP, pointer_, [this] { HowToPlayClick(); });
  LayOutPanels();
}

void FrmDoor::LayOutPanels() {
  SetPanelLook(picName, res::kPanelName);
  lblNotice.SetFont("Arial", 9, true);
  lblNotice.SetAlignment(platform::Alignment::Centre);
  SetNotice("Player Name:", gfx::kBlack);
  txtName.Move(22, 82, 121, 20);
  txtName.SetFont("Arial", 9, true);
  txtName.OnClick = [this] { txtName.SetFocus(); };
  txtName.OnKeyDown = [this](platform::Key key) {
    if (key == platform::Key::Enter) OkClick();
    if (key == platform::Key::Escape) CancelClick();
  };
  lblOK.Move(42, 112, 17, 25);
  SetClickableTextLook(lblOK, "OK");
  MakeClickable(lblOK, pointer_, [this] { OkClick(); });
  lblCancel.Move(84, 112, 39, 25);
  SetClickableTextLook(lblCancel, "Cancel");
  MakeClickable(lblCancel, pointer_, [this] { CancelClick(); });

  SetPanelLook(picAsk, res::kPanelAsk);
  Label1.Move(22, 52, 139, 49);
  Label1.SetCaption("All of your data will be LOST if you play a new game, Are you Sure?");
  Label1.SetFont("Arial", 9, true);
  Label1.SetForeColor(gfx::kBlack);
  Label1.SetWordWrap(true);
  lblYes.Move(44, 114, 21, 25);
  SetClickableTextLook(lblYes, "Yes");
  MakeClickable(lblYes, pointer_, [this] { YesClick(); });
  lblNo.Move(94, 114, 15, 25);
  SetClickableTextLook(lblNo, "No");
  MakeClickable(lblNo, pointer_, [this] { NoClick(); });

  SetPanelLook(picNew, res::kPanelNew);
  imgNewGame.Move(14, 52, 141, 41);
  MakeClickable(imgNewGame, pointer_, [this] { NewGameClick(); });
  imgContinue.Move(26, 96, 117, 39);
  MakeClickable(imgContinue, pointer_, [this] { ContinueClick(); });
}

void FrmDoor::SetNotice(const std::string& caption, gfx::Pixel colour) {
  lblNotice.Move(45, 56, 77, 15);
  lblNotice.SetCaption(caption);
  lblNotice.SetForeColor(colour);
  WidenToText(lblNotice, true);
}

void FrmDoor::Load() {
  SetClientSize(1024, 768);
  audio::StartSound(audio::SoundMusic);
  game::MusicSlot = 1;
  audio::frmMusic().Timer1.SetEnabled(true);
  game::RankTier = 0;
}

void FrmDoor::Click() {
  picNew.Hide();
}

void FrmDoor::PlayClick() {
  picName.Show();
  txtName.SetFocus();
}

// Escape leaves the panel on top the way its own button does; on the bare menu it does
// nothing, so quitting stays a deliberate act.
void FrmDoor::KeyDown(platform::Key key, int /*shift*/) {
  if (key != platform::Key::Escape) return;
  if (picName.Visible()) {
    CancelClick();
  } else if (picAsk.Visible()) {
    NoClick();
  } else if (picNew.Visible()) {
    picNew.Hide();  // as a click beside it
  }
}

void FrmDoor::CancelClick() {
  picName.Hide();
}

bool FrmDoor::IsValidPlayerName(const std::string& name) {
  for (unsigned char c : name) {
    if (!IsNameCharacter(c)) return false;
  }
  // Nor a name the system keeps for a device: no save could ever be written under it.
  return !IsTableName(name) && !platform::files::IsDeviceName(name);
}

void FrmDoor::OkClick() {
  const std::string name = txtName.Text();
  if (name.empty()) return;
  if (!IsValidPlayerName(name)) {
    RefuseName("Number && Letter ONLY:");
    return;
  }
  if (name.size() > storage::kMaxNameLength) {
    RefuseName("Name too long (" + std::to_string(storage::kMaxNameLength) + " max):");
    return;
  }
  game::PlayerName = name;
  picName.Hide();
  if (FileExists(SaveFilePath())) {
    picNew.Show();
    return;
  }
  picNew.Hide();
  OpenGame();
  Hide();
}

void FrmDoor::RefuseName(const std::string& notice) {
  txtName.SetText("");
  SetNotice(notice, gfx::Rgb(255, 0, 0));
  txtName.SetFocus();
}

void FrmDoor::ContinueClick() {
  OpenGame();
  picNew.Hide();
  Hide();
}

void FrmDoor::NewGameClick() {
  picNew.Hide();
  picAsk.Show();
}

void FrmDoor::NoClick() {
  picAsk.Hide();
  picNew.Show();
}

void FrmDoor::YesClick() {
  if (const auto save = SaveFilePath(); FileExists(save)) DeleteFile(save);
  // A confirmation left open would greet the player back from the game and delete the
  // save that leaving has just written.
  picAsk.Hide();
  picNew.Hide();
  OpenGame();
  Hide();
}

void FrmDoor::ScoreClick() {
  picNew.Hide();
  frmScore().Show();
  Hide();
}

void FrmDoor::ExitClick() {
  picNew.Hide();
  audio::frmMusic().Close();  // frees the sound engine and ends the program
  Close();
}

void FrmDoor::HowToPlayClick() {
  const auto marker = FirstRunMarkerPath(platform::PlayerFolder());
  if (FileExists(marker)) DeleteFile(marker);
  game::FirstRunDone = game::kTrue;
  frmHowToPlay().Show();
  Close();
}

void FrmDoor::OpenGame() {
  game::frmMain().Show();
}

}  // namespace app
