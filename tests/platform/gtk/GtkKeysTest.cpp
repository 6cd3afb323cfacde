#include "platform/gtk/GtkKeys.h"

#include <gtest/gtest.h>

#include "shell/WindowHost.h"

namespace vandor {
namespace {

// Key values are X keysym numbers; written out here so that the test needs no GTK.
constexpr unsigned kKeyA = 0x61, kKeyShiftA = 0x41, kKeyQ = 0x71, kKey7 = 0x37, kKeySpace = 0x20;
constexpr unsigned kKeyReturn = 0xff0d, kKeyKpEnter = 0xff8d, kKeyEscape = 0xff1b;
constexpr unsigned kKeyUp = 0xff52, kKeyDown = 0xff54, kKeyKpUp = 0xff97;
constexpr unsigned kKeyShiftL = 0xffe1, kKeyControlL = 0xffe3, kKeyControlR = 0xffe4, kKeyAltL = 0xffe9;
constexpr unsigned kKeyF1 = 0xffbe, kKeyF12 = 0xffc9;
constexpr unsigned kKeyKanaA = 0x4b1;  // ア among the kana keysyms
constexpr unsigned kKeyEAcute = 0xe9;

TEST(GtkKeys, KeysMapToTheGamesKeyNumbers) {
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyA), 'A');
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyShiftA), 'A');
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyQ), 81);
    EXPECT_EQ(VirtualKeyFromKeyval(kKey7), '7');
    EXPECT_EQ(VirtualKeyFromKeyval(kKeySpace), vkSpace);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyReturn), vkReturn);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyKpEnter), vkReturn);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyEscape), vkEscape);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyUp), vkUp);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyKpUp), vkUp);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyDown), vkDown);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyShiftL), vkShift);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyControlL), vkControl);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyControlR), vkControl);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyAltL), vkMenu);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyF1), vkF1);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyF12), vkF1 + 11);
    EXPECT_EQ(VirtualKeyFromKeyval(kKeyEAcute), 0);
}

TEST(GtkKeys, KeysTypeTheGamesCharacters) {
    EXPECT_EQ(CharacterFromKeyval(kKeyReturn), 13);
    EXPECT_EQ(CharacterFromKeyval(kKeyKpEnter), 13);
    EXPECT_EQ(CharacterFromKeyval(kKeySpace), 32);
    EXPECT_EQ(CharacterFromKeyval(kKeyEscape), 27);
    EXPECT_EQ(CharacterFromKeyval(kKeyA), 'a');
    EXPECT_EQ(CharacterFromKeyval(kKeyShiftA), 'A');
    EXPECT_EQ(CharacterFromKeyval(kKeyEAcute), 0xE9);
    EXPECT_EQ(CharacterFromKeyval(kKeyKanaA), 0x30A2);
    EXPECT_EQ(CharacterFromKeyval(kKeyControlL), 0);
    EXPECT_EQ(CharacterFromKeyval(kKeyUp), 0);
}

}  // namespace
}  // namespace vandor
