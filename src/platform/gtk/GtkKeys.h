#pragma once
// Keyboard translation from GDK key values (the X keysym numbers) to the key numbers
// and characters the game logic expects. Kept free of GTK types so that it can be
// tested without a display.

namespace vandor {

// The virtual-key number of a key value; 0 for keys the game has no number for.
// Letters map to their upper-case ASCII code whatever the Shift state.
int VirtualKeyFromKeyval(unsigned keyval);

// The character a key press types: 13 for Enter, 32 for Space, 8, 9 and 27 for
// Backspace, Tab and Escape, else the Unicode code point; 0 when it types none.
int CharacterFromKeyval(unsigned keyval);

}  // namespace vandor
