#pragma once
// The campaign's reports, generated from its rules so that every figure they name is
// the one the rules give, and stays so when a rule changes:
//
//   成果.txt  *調練成果N / *語らい成果N: carries out the training of (or the talk with)
//            heroine N, then says which value rose to what, and whether the other one
//            fell. The training goes back to 行動.txt *行動フェイズ, the talk on to
//            贈り物.txt *贈り物.
//   戦況.txt  *戦況A: after a battle won in area A, how many battles the area still
//            needs, or that it has been taken (and the funds that brings); then
//            凱旋.txt *凱旋.

#include <vector>

#include "BattleData.h"

namespace vandor::demo {

std::vector<TTextFile> MakeReportScripts();

}  // namespace vandor::demo
