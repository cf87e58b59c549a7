// SPDX-License-Identifier: MIT
// File names of the pictures under the program folder's resources/, as the build
// generates them. Screens load them with platform::LoadPicture.
#pragma once

#include <array>

namespace res {

inline constexpr std::array<const char*, 7> kBall = {  // 75 x 75, kinds 0..6 on white
    "ball0.png", "ball1.png", "ball2.png", "ball3.png", "ball4.png", "ball5.png", "ball6.png"};
inline constexpr const char* kEmpty = "empty.png";         // 962 x 716, plain white
inline constexpr const char* kWhite = "white.png";         // 600 x 150, plain white
inline constexpr const char* kGameBack = "game_back.png";  // 1024 x 768
inline constexpr std::array<const char*, 25> kRank = {     // 160 x 140 insignia
    "rank00.png", "rank01.png", "rank02.png", "rank03.png", "rank04.png",
    "rank05.png", "rank06.png", "rank07.png", "rank08.png", "rank09.png",
    "rank10.png", "rank11.png", "rank12.png", "rank13.png", "rank14.png",
    "rank15.png", "rank16.png", "rank17.png", "rank18.png", "rank19.png",
    "rank20.png", "rank21.png", "rank22.png", "rank23.png", "rank24.png"};
// Score popups, 180 x 60, indexed by PopupKind 0..4.
inline constexpr std::array<const char*, 5> kPopup = {
    "popup_dh.png", "popup_300.png", "popup_600.png", "popup_1000.png", "popup_1500.png"};
inline constexpr const char* kMenuBack = "menu_back.png";        // 1024 x 768
inline constexpr const char* kPanelName = "panel_name.png";      // 167 x 142
inline constexpr const char* kPanelAsk = "panel_ask.png";        // 167 x 142
inline constexpr const char* kPanelNew = "panel_new.png";        // 167 x 142
inline constexpr const char* kScoreBack = "score_back.png";      // 1024 x 768
inline constexpr const char* kSplashTitle = "splash_title.png";  // 600 x 150
inline constexpr const char* kHowToBall = "howto_ball.png";      // 75 x 75
inline constexpr const char* kMouse = "mouse.png";               // 91 x 87
inline constexpr const char* kMouseLeft = "mouse_left.png";      // 91 x 87
inline constexpr const char* kMouseRight = "mouse_right.png";    // 91 x 87
inline constexpr const char* kPointer = "pointer.png";           // 32 x 32
inline constexpr const char* kIcon = "icon.png";                 // 64 x 64

}  // namespace res
