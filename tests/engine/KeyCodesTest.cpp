#include "input/KeyCodes.h"

#include "gl/SdlKeyMap.h"

#include <SDL2/SDL_scancode.h> // Required for: SDL_SCANCODE_*

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

using namespace Velk;

// The codes the demonstration's listeners test, with their PC scan codes.
TEST(KeyCodes, FollowThePcScanCodes) {
    EXPECT_EQ(KC_ESCAPE, 0x01);
    EXPECT_EQ(KC_1, 0x02);
    EXPECT_EQ(KC_6, 0x07);
    EXPECT_EQ(KC_0, 0x0B);
    EXPECT_EQ(KC_TAB, 0x0F);
    EXPECT_EQ(KC_Q, 0x10);
    EXPECT_EQ(KC_W, 0x11);
    EXPECT_EQ(KC_R, 0x13);
    EXPECT_EQ(KC_T, 0x14);
    EXPECT_EQ(KC_P, 0x19);
    EXPECT_EQ(KC_A, 0x1E);
    EXPECT_EQ(KC_S, 0x1F);
    EXPECT_EQ(KC_D, 0x20);
    EXPECT_EQ(KC_F, 0x21);
    EXPECT_EQ(KC_K, 0x25);
    EXPECT_EQ(KC_L, 0x26);
    EXPECT_EQ(KC_M, 0x32);
    EXPECT_EQ(KC_SYSRQ, 0xB7);
    EXPECT_EQ(KC_UP, 0xC8);
    EXPECT_EQ(KC_PGUP, 0xC9);
    EXPECT_EQ(KC_LEFT, 0xCB);
    EXPECT_EQ(KC_RIGHT, 0xCD);
    EXPECT_EQ(KC_DOWN, 0xD0);
    EXPECT_EQ(KC_PGDOWN, 0xD1);
}

TEST(KeyCodes, NamesRoundTrip) {
    for (int code = 1; code < keyCodeCount; ++code) {
        const std::string name = keyCodeName(static_cast<KeyCode>(code));
        if (!name.empty()) {
            EXPECT_EQ(keyCodeFromName(name), code) << name;
        }
    }
    EXPECT_EQ(keyCodeFromName("escape"), KC_ESCAPE);
    EXPECT_EQ(keyCodeFromName("KC_PGDOWN"), KC_PGDOWN);
    EXPECT_EQ(keyCodeFromName("NOSUCHKEY"), KC_UNASSIGNED);
}

TEST(KeyCodes, CharactersFollowShift) {
    EXPECT_EQ(keyCodeToChar(KC_M, false), 'm');
    EXPECT_EQ(keyCodeToChar(KC_K, true), 'K');
    EXPECT_EQ(keyCodeToChar(KC_1, true), '!');
    EXPECT_EQ(keyCodeToChar(KC_UP, false), 0);
}

TEST(KeyCodes, SdlScancodesMapByPosition) {
    EXPECT_EQ(GL::keyCodeFromScancode(SDL_SCANCODE_ESCAPE), KC_ESCAPE);
    EXPECT_EQ(GL::keyCodeFromScancode(SDL_SCANCODE_A), KC_A);
    EXPECT_EQ(GL::keyCodeFromScancode(SDL_SCANCODE_0), KC_0);
    EXPECT_EQ(GL::keyCodeFromScancode(SDL_SCANCODE_TAB), KC_TAB);
    EXPECT_EQ(GL::keyCodeFromScancode(SDL_SCANCODE_PAGEUP), KC_PGUP);
    EXPECT_EQ(GL::keyCodeFromScancode(SDL_SCANCODE_PRINTSCREEN), KC_SYSRQ);
    EXPECT_EQ(GL::keyCodeFromScancode(SDL_SCANCODE_UP), KC_UP);
    EXPECT_EQ(GL::keyCodeFromScancode(SDL_SCANCODE_RALT), KC_RMENU);
    EXPECT_EQ(GL::keyCodeFromScancode(SDL_SCANCODE_UNKNOWN), KC_UNASSIGNED);
}
