#include "input/KeyCodes.h"

#include <algorithm> // Required for: std::transform
#include <cctype>    // Required for: std::toupper
#include <iterator>  // Required for: std::size

namespace Velk {

namespace {
struct KeyName {
    KeyCode code;
    const char* name;
};

#define VELK_KEY_NAME_ENTRY(name, code) {KC_##name, #name},
const KeyName keyNames[] = {VELK_KEY_CODES(VELK_KEY_NAME_ENTRY)};
#undef VELK_KEY_NAME_ENTRY

// Characters of the keys that type one: code, unshifted, shifted.
struct KeyChar {
    KeyCode code;
    char plain;
    char shifted;
};
const KeyChar keyChars[] = {
    {KC_1, '1', '!'}, {KC_2, '2', '@'}, {KC_3, '3', '#'}, {KC_4, '4', '$'}, {KC_5, '5', '%'},
    {KC_6, '6', '^'}, {KC_7, '7', '&'}, {KC_8, '8', '*'}, {KC_9, '9', '('}, {KC_0, '0', ')'},
    {KC_MINUS, '-', '_'}, {KC_EQUALS, '=', '+'}, {KC_TAB, '\t', '\t'},
    {KC_Q, 'q', 'Q'}, {KC_W, 'w', 'W'}, {KC_E, 'e', 'E'}, {KC_R, 'r', 'R'}, {KC_T, 't', 'T'},
    {KC_Y, 'y', 'Y'}, {KC_U, 'u', 'U'}, {KC_I, 'i', 'I'}, {KC_O, 'o', 'O'}, {KC_P, 'p', 'P'},
    {KC_LBRACKET, '[', '{'}, {KC_RBRACKET, ']', '}'}, {KC_RETURN, '\r', '\r'},
    {KC_A, 'a', 'A'}, {KC_S, 's', 'S'}, {KC_D, 'd', 'D'}, {KC_F, 'f', 'F'}, {KC_G, 'g', 'G'},
    {KC_H, 'h', 'H'}, {KC_J, 'j', 'J'}, {KC_K, 'k', 'K'}, {KC_L, 'l', 'L'},
    {KC_SEMICOLON, ';', ':'}, {KC_APOSTROPHE, '\'', '"'}, {KC_GRAVE, '`', '~'}, {KC_BACKSLASH, '\\', '|'},
    {KC_Z, 'z', 'Z'}, {KC_X, 'x', 'X'}, {KC_C, 'c', 'C'}, {KC_V, 'v', 'V'}, {KC_B, 'b', 'B'},
    {KC_N, 'n', 'N'}, {KC_M, 'm', 'M'}, {KC_COMMA, ',', '<'}, {KC_PERIOD, '.', '>'}, {KC_SLASH, '/', '?'},
    {KC_MULTIPLY, '*', '*'}, {KC_SPACE, ' ', ' '}, {KC_SUBTRACT, '-', '-'}, {KC_ADD, '+', '+'},
    {KC_NUMPAD0, '0', '0'}, {KC_NUMPAD1, '1', '1'}, {KC_NUMPAD2, '2', '2'}, {KC_NUMPAD3, '3', '3'},
    {KC_NUMPAD4, '4', '4'}, {KC_NUMPAD5, '5', '5'}, {KC_NUMPAD6, '6', '6'}, {KC_NUMPAD7, '7', '7'},
    {KC_NUMPAD8, '8', '8'}, {KC_NUMPAD9, '9', '9'}, {KC_DECIMAL, '.', '.'}, {KC_DIVIDE, '/', '/'},
    {KC_NUMPADENTER, '\r', '\r'},
};
} // namespace

// Linear search: the table is small and lookups happen only while parsing.
KeyCode keyCodeFromName(const std::string& name) {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper.rfind("KC_", 0) == 0) upper.erase(0, 3);
    if (upper.empty() || upper == "UNASSIGNED") return KC_UNASSIGNED;
    for (const KeyName& entry : keyNames) {
        if (upper == entry.name) return entry.code;
    }
    return KC_UNASSIGNED;
}

// Reverse lookup for logs and dumps.
std::string keyCodeName(KeyCode code) {
    for (const KeyName& entry : keyNames) {
        if (entry.code == code) return entry.name;
    }
    return {};
}

// US layout; the engine has no other.
char keyCodeToChar(KeyCode code, bool shift) {
    for (const KeyChar& entry : keyChars) {
        if (entry.code == code) return shift ? entry.shifted : entry.plain;
    }
    return 0;
}

} // namespace Velk
