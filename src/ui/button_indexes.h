#pragma once

class QPushButton;
namespace Ui {
class Form1;
}

// The indexes of the window's buttons Btn0 to Btn25; there is no Btn14.
inline constexpr int kBtnClearList = 0;
inline constexpr int kBtnMarkAll = 1;
inline constexpr int kBtnMarkNone = 2;
inline constexpr int kBtnInvertMarks = 3;
inline constexpr int kBtnTokenName = 4;
inline constexpr int kBtnTokenTyp = 5;
inline constexpr int kBtnTokenZahl = 6;
inline constexpr int kBtnTokenS = 7;
inline constexpr int kBtnRename = 8;
inline constexpr int kBtnEnd = 9;
inline constexpr int kBtnHelp = 10;
inline constexpr int kBtnClearMask = 11;
inline constexpr int kBtnMoveDown = 12;
inline constexpr int kBtnMoveUp = 13;
inline constexpr int kBtnTokenJahr = 15;
inline constexpr int kBtnTokenMonat = 16;
inline constexpr int kBtnTokenTag = 17;
inline constexpr int kBtnTokenRDatum = 18;
inline constexpr int kBtnTokenDatum = 19;
inline constexpr int kBtnTokenM = 20;
inline constexpr int kBtnTokenH = 21;
inline constexpr int kBtnTokenZeit = 22;
inline constexpr int kBtnEmptyBrackets = 23;
inline constexpr int kBtnHistory = 24;
inline constexpr int kBtnInfo = 25;
inline constexpr int kBtnCount = 26;

// The form's button Btn index; null for 14 and outside 0 to 25.
QPushButton* Btn(const Ui::Form1& form, int index);
