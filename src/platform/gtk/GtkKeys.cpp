#include "platform/gtk/GtkKeys.h"

#include <gdk/gdk.h>

#include "shell/WindowHost.h"

namespace vandor {

int VirtualKeyFromKeyval(unsigned keyval) {
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return static_cast<int>(keyval - GDK_KEY_a) + 'A';
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return static_cast<int>(keyval - GDK_KEY_A) + 'A';
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return static_cast<int>(keyval - GDK_KEY_0) + '0';
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) return static_cast<int>(keyval - GDK_KEY_F1) + vkF1;
    switch (keyval) {
        case GDK_KEY_BackSpace: return vkBack;
        case GDK_KEY_Tab:
        case GDK_KEY_ISO_Left_Tab: return vkTab;  // Shift+Tab
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter: return vkReturn;
        case GDK_KEY_Shift_L:
        case GDK_KEY_Shift_R: return vkShift;
        case GDK_KEY_Control_L:
        case GDK_KEY_Control_R: return vkControl;
        case GDK_KEY_Alt_L:
        case GDK_KEY_Alt_R:
        case GDK_KEY_Meta_L:
        case GDK_KEY_Meta_R: return vkMenu;
        case GDK_KEY_Escape: return vkEscape;
        case GDK_KEY_space: return vkSpace;
        case GDK_KEY_Page_Up:
        case GDK_KEY_KP_Page_Up: return vkPrior;
        case GDK_KEY_Page_Down:
        case GDK_KEY_KP_Page_Down: return vkNext;
        case GDK_KEY_End:
        case GDK_KEY_KP_End: return vkEnd;
        case GDK_KEY_Home:
        case GDK_KEY_KP_Home: return vkHome;
        case GDK_KEY_Left:
        case GDK_KEY_KP_Left: return vkLeft;
        case GDK_KEY_Up:
        case GDK_KEY_KP_Up: return vkUp;
        case GDK_KEY_Right:
        case GDK_KEY_KP_Right: return vkRight;
        case GDK_KEY_Down:
        case GDK_KEY_KP_Down: return vkDown;
        case GDK_KEY_Insert:
        case GDK_KEY_KP_Insert: return vkInsert;
        case GDK_KEY_Delete:
        case GDK_KEY_KP_Delete: return vkDelete;
        default: return 0;
    }
}

int CharacterFromKeyval(unsigned keyval) {
    switch (keyval) {
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter: return vkReturn;
        case GDK_KEY_BackSpace: return vkBack;
        case GDK_KEY_Tab:
        case GDK_KEY_ISO_Left_Tab: return vkTab;
        case GDK_KEY_Escape: return vkEscape;
        default: return static_cast<int>(gdk_keyval_to_unicode(keyval));
    }
}

}  // namespace vandor
