// A small ship in memory for the tank contents and tank cell tests: box-shaped
// compartments whose tables follow closed forms, so that every expected value
// can be worked out by hand.
//
// Group 1, hold 0 "H1": 20 x 10 m, 10 m deep; volume 200 m3 per metre of
// level, MaxVolume 2000, trimmed grain 1900, untrimmed 1700; centres
// (50, 0, level / 2); table FSM 1600, MaxFSM 1700.
//   [1] by ULLAGE: "VOLUME" = 2000 - 200 u, trim columns -1, 0, 1:
//       2000 - 200 u + 20 t;  [3] ullage correction 100 t mm;
//   [4] heel columns -2, 0, 2: 10 e (mm, or m3 with method "0").
//   Grain table by ULLAGE: "VOLUME" = 2000 - 200 u.
// Group 2, tank 0 "T1": 10 x 5 m, 4 m deep; 50 m3 per metre, MaxVolume 200,
// density 1.025; centres (25, 1, level / 2); table FSM 100, MaxFSM 120.
//   [2] by SOUND: "VOLUME" = 50 h, trim columns -1, 0, 1: 50 h - 5 t;
//   [5] sounding correction -200 t mm; [6] heel columns -2, 0, 2: 10 e.
// Group 2, tank 1 "FLAT": MaxLevel 4, MaxVolume 100; no volume up to 1.5 m,
// then 40 m3 per metre.
// Group 8, item 0 "CONSTANT": 150 t at (70, 0.5, 7), FSM 12.
// Corrections (options 8 holds, 9 tanks) are off; tests switch them on.
#pragma once

#include <string>
#include <vector>

#include "model/kvGlobal.h"

namespace kvtest {

kv::xyztable_rec MakeTable(const std::vector<std::string>& heads, const std::vector<std::vector<long double>>& rows);

kv::KvState MakeTankState();

// Switches a sounding correction option on with a method code, or off ("").
void SetCorrection(kv::KvState& s, int option, const std::string& method);

}  // namespace kvtest
