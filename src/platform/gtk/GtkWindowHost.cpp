#include "platform/gtk/GtkWindowHost.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <utility>
#include <vector>

#include "compositor/Bitmap32.h"
#include "i18n/GameText.h"
#include "platform/gtk/GtkFullScreen.h"
#include "platform/gtk/GtkKeys.h"
#include "platform/gtk/GtkMenuBar.h"
#include "platform/gtk/GtkMessageBox.h"
#include "platform/gtk/GtkSupportForm.h"
#include "platform/gtk/GtkWindowIcon.h"
#include "shell/MenuModel.h"
#include "util/StartupTrace.h"

namespace vandor {

namespace {

constexpr TSize kDefaultClientSize{800, 600};
constexpr TSize kMinWindowSize{450, 400};
constexpr TSize kMaxWindowSize{3200, 2400};
constexpr guint kTimerInterval = 5;  // ms
// Controllers are read this often: well within a frame, so a press is never a frame late.
constexpr guint kPadInterval = 8;  // ms
// Without a controller, only for one being plugged in: waking 125 times a second for
// nothing would cost a still scene more than all its frames.
constexpr guint kPadSearchInterval = 250;  // ms
// How long after Show the work kept for the first picture waits at most.
constexpr guint kLatestAfterShow = 1000;  // ms
// PumpMessages stops after this many dispatches even if sources keep being ready
// (a timer whose handler takes longer than its interval would never let it end).
constexpr int kMaxPumpedEvents = 1000;
// While the game asks to be called again at once (no delay), its idle callback runs
// back to back for up to this long, since one trip around the GLib main loop per call
// (polling the X connection and every source) would cost more than the call. Input
// waits at most this long, well under a frame; a new picture ends the run at once, so
// that it reaches the screen without delay.
constexpr gint64 kIdleRunMicroseconds = 4000;

TShiftState ShiftOf(guint state) {
    TShiftState shift = 0;
    if (state & GDK_SHIFT_MASK) shift |= ssShift;
    if (state & GDK_CONTROL_MASK) shift |= ssCtrl;
    if (state & GDK_MOD1_MASK) shift |= ssAlt;
    if (state & GDK_BUTTON1_MASK) shift |= ssLeft;
    if (state & GDK_BUTTON3_MASK) shift |= ssRight;
    if (state & GDK_BUTTON2_MASK) shift |= ssMiddle;
    return shift;
}

// GDK reports the modifiers as they were before the event; the game expects a
// pressed key or button to be part of the state of its own press (ModifierFlag).
bool ButtonOf(guint button, TMouseButton& result, TShiftState& flag) {
    switch (button) {
        case 1:
            result = TMouseButton::mbLeft;
            flag = ssLeft;
            return true;
        case 2:
            result = TMouseButton::mbMiddle;
            flag = ssMiddle;
            return true;
        case 3:
            result = TMouseButton::mbRight;
            flag = ssRight;
            return true;
        default: return false;
    }
}

}  // namespace

struct TGtkWindowHost::TImpl {
    GtkWidget* Window = nullptr;
    GtkWidget* Box = nullptr;
    GtkWidget* Area = nullptr;
    std::unique_ptr<TGtkMenuBar> MenuBar;
    TMenuModel* Menu = nullptr;
    TWindowEvents Events;
    std::function<void(const std::string&)> OnError;

    // The client area's picture, kept so that an expose repaints without the game.
    cairo_surface_t* Surface = nullptr;
    TSize Client = kDefaultClientSize;  // allocated size, or the one asked for before that
    TSize Reported{-1, -1};             // the size OnResize last announced
    bool NeedsPicture = true;           // Surface lost its picture: ask OnPaint
    bool InDraw = false;
    // Start-up measurements (scripts/idle-cost) set VANDOR_TRACE_FIRST_PICTURE: the
    // wall-clock time at which the first presented picture reaches the screen goes to
    // stderr. The pictures presented before the game's first frame are all black, the
    // colour of the empty window: they do not count.
    bool TraceFirstPicture = false;
    bool TracePresents = false;  // a line per picture presented, for scripts/big-window

    guint IdleSource = 0;
    // Armed instead of IdleSource while the game's next idle call can wait (IdleDelay):
    // the process sleeps in the main loop until then, or until input comes.
    guint IdleWaitSource = 0;
    guint TimerSource = 0;
    guint TimerInterval = 0;  // of TimerSource, in ms
    guint ActiveCheckSource = 0;
    guint PadSource = 0;
    // Work kept for after the first picture (AfterFirstPicture), and what it waits for.
    std::vector<std::function<void()>> AfterFirstPicture;
    guint AfterPictureSource = 0;
    bool Presented = false;     // Present has filled the surface with a picture of the game
    bool PictureShown = false;  // and a draw has put it on the screen
    bool IconSet = false;
    std::function<bool(const TWindowEvents&)> PadPoller;
    bool PadBusy = false;  // PadSource runs at kPadInterval rather than kPadSearchInterval
    bool InIdle = false;
    bool PictureQueued = false;   // Present asked for a draw since the idle run began
    bool ReportedActive = false;  // brought up to date by CheckActive after every focus change
    double ScrollRemainder = 0;
    TCursorShape Cursor = TCursorShape::Default;
    bool Closed = false;
    TPoint LastPosition;  // where the window was when it closed
    // Maximised or minimised by the window manager, and where the window last stood in
    // its normal state, which is where restoring it puts it back.
    bool OutOfNormalState = false;
    TPoint NormalPosition;
    bool FullScreen = false;
    TPoint WindowedPosition;  // where the window was, and its client size, before full screen
    TSize WindowedClient;

    void Report(const std::string& message) {
        if (OnError) {
            OnError(message);
        } else {
            std::fprintf(stderr, "Unhandled error in a window event: %s\n", message.c_str());
        }
    }

    // Every call into the game from a GTK callback goes through here: exceptions must
    // not unwind through C frames.
    template <typename F>
    void Guard(F&& call) {
        try {
            call();
        } catch (const std::exception& error) {
            Report(error.what());
        } catch (...) {
            Report("unknown exception");
        }
    }

    // The window icon waits for the first picture; a message box before it gets one too.
    void SetIcon() {
        if (std::exchange(IconSet, true)) return;
        UseGameIcon(GTK_WINDOW(Window));
    }

    void ArmAfterFirstPicture();

    bool ApplicationActive() const {
        GList* toplevels = gtk_window_list_toplevels();
        bool active = false;
        for (GList* node = toplevels; node != nullptr; node = node->next) {
            active = active || gtk_window_is_active(GTK_WINDOW(node->data));
        }
        g_list_free(toplevels);
        return active;
    }

    // Until GTK has made the window there is nothing to paint on: no surface is made then,
    // and the window's first draw asks for the picture.
    void EnsureSurface(TSize size) {
        GdkWindow* window = gtk_widget_get_window(Area);
        if (window == nullptr) return;
        const int width = std::max(size.Width, 1), height = std::max(size.Height, 1);
        if (Surface != nullptr && cairo_image_surface_get_width(Surface) == width &&
            cairo_image_surface_get_height(Surface) == height) {
            return;
        }
        if (Surface != nullptr) cairo_surface_destroy(Surface);
        // Zero-filled: black in RGB24. Made for the window, it lies where the display reads
        // it (on X, in memory shared with the server), so a frame reaches the screen
        // without a further copy, and without a second buffer as large as the window.
        Surface = gdk_window_create_similar_image_surface(window, CAIRO_FORMAT_RGB24, width, height, 1);
        NeedsPicture = true;
    }

    bool SurfaceShowsAnything() const {
        cairo_surface_flush(Surface);
        const unsigned char* row = cairo_image_surface_get_data(Surface);
        const int stride = cairo_image_surface_get_stride(Surface);
        const int width = cairo_image_surface_get_width(Surface);
        for (int y = cairo_image_surface_get_height(Surface); y > 0; --y, row += stride) {
            const auto* pixels = reinterpret_cast<const uint32_t*>(row);
            // RGB24 leaves the top byte unused.
            if (std::any_of(pixels, pixels + width, [](uint32_t pixel) { return (pixel & 0xFFFFFF) != 0; })) {
                return true;
            }
        }
        return false;
    }

    int MenuBarHeight() const {
        if (!MenuBar || !gtk_widget_get_visible(MenuBar->Widget())) return 0;
        gint minimum = 0;
        gint natural = 0;
        gtk_widget_get_preferred_height(MenuBar->Widget(), &minimum, &natural);
        return natural;
    }

    // The window's size stays within the game's limits, except in full screen: a
    // monitor larger than the largest window must still be covered.
    void ApplySizeLimits() {
        GdkGeometry limits{};
        limits.min_width = kMinWindowSize.Width;
        limits.min_height = kMinWindowSize.Height;
        limits.max_width = kMaxWindowSize.Width;
        limits.max_height = kMaxWindowSize.Height;
        const auto hints =
            FullScreen ? GDK_HINT_MIN_SIZE : static_cast<GdkWindowHints>(GDK_HINT_MIN_SIZE | GDK_HINT_MAX_SIZE);
        gtk_window_set_geometry_hints(GTK_WINDOW(Window), nullptr, &limits, hints);
    }

    void ResizeToClient(TSize size) {
        Client = size;
        gtk_window_resize(GTK_WINDOW(Window), std::max(size.Width, 1), std::max(size.Height + MenuBarHeight(), 1));
    }

    // The monitor the window is on (the primary one before it is shown); empty when
    // the display has none.
    GdkRectangle MonitorGeometry() const {
        GdkDisplay* display = gtk_widget_get_display(Window);
        GdkWindow* window = gtk_widget_get_window(Window);
        GdkMonitor* monitor = window != nullptr ? gdk_display_get_monitor_at_window(display, window)
                                                : gdk_display_get_primary_monitor(display);
        if (monitor == nullptr) monitor = gdk_display_get_monitor(display, 0);
        GdkRectangle geometry{};
        if (monitor != nullptr) gdk_monitor_get_geometry(monitor, &geometry);
        return geometry;
    }

    void WakeIdle();
    void ApplyCursor();
    void CloseRequested();
};

namespace {

using TImpl = TGtkWindowHost::TImpl;

gboolean IdleTick(gpointer data);

// The wait is over: the frame runs from here at once, without a second trip around the
// main loop through an idle source.
gboolean IdleWaitOver(gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    impl.IdleWaitSource = 0;
    if (IdleTick(data) == G_SOURCE_CONTINUE) impl.WakeIdle();
    return G_SOURCE_REMOVE;
}

gboolean IdleTick(gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    bool again = false;
    int delay = 0;
    const gint64 start = g_get_monotonic_time();
    impl.InIdle = true;
    impl.PictureQueued = false;
    do {
        impl.Guard([&] {
            again = impl.Events.OnIdle && impl.Events.OnIdle();
            delay = again && impl.Events.IdleDelay ? impl.Events.IdleDelay() : 0;
        });
    } while (again && delay <= 0 && !impl.Closed && !impl.PictureQueued &&
             g_get_monotonic_time() - start < kIdleRunMicroseconds);
    impl.InIdle = false;
    if (again && !impl.Closed && delay <= 0) return G_SOURCE_CONTINUE;
    impl.IdleSource = 0;
    if (again && !impl.Closed) {
        // The game counts whole milliseconds, which GLib's clock may not have passed yet
        // when a timeout of exactly the delay fires: one more lets one wake-up find the
        // frame due instead of two (the frame schedule itself does not move).
        impl.IdleWaitSource = g_timeout_add(static_cast<guint>(delay) + 1, IdleWaitOver, &impl);
    }
    return G_SOURCE_REMOVE;
}

gboolean TimerTick(gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    const guint self = impl.TimerSource;
    int delay = 0;
    impl.Guard([&] {
        if (impl.Events.OnTimer) impl.Events.OnTimer();
        if (impl.TimerSource == self && impl.Events.IdleDelay) delay = impl.Events.IdleDelay();
    });
    // In the background the timer drives the frames: it waits as long as the game says it
    // can (a frame's time, or a rest), never less than its own interval.
    const guint interval = std::max(static_cast<guint>(std::max(delay, 0)) + 1, kTimerInterval);
    if (impl.TimerSource != self || impl.Closed || interval == impl.TimerInterval) return G_SOURCE_CONTINUE;
    impl.TimerInterval = interval;
    impl.TimerSource = g_timeout_add(interval, TimerTick, &impl);
    return G_SOURCE_REMOVE;
}

gboolean PadTick(gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    bool busy = impl.PadBusy;
    impl.Guard([&] { busy = impl.PadPoller(impl.Events); });
    if (busy == impl.PadBusy || impl.Closed || !impl.PadPoller) return G_SOURCE_CONTINUE;
    impl.PadBusy = busy;
    impl.PadSource = g_timeout_add(busy ? kPadInterval : kPadSearchInterval, PadTick, &impl);
    return G_SOURCE_REMOVE;
}

gboolean CheckActive(gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    impl.ActiveCheckSource = 0;
    const bool active = impl.ApplicationActive();
    if (active != impl.ReportedActive) {
        impl.ReportedActive = active;
        impl.Guard([&] {
            const auto& event = active ? impl.Events.OnActivate : impl.Events.OnDeactivate;
            if (event) event();
        });
    }
    return G_SOURCE_REMOVE;
}

// Every event passes here. As in a message loop, idle processing resumes after each
// one; a focus change is judged for the whole application once the batch of events is
// through, so that moving the focus from the window to one of its dialogs is no
// deactivation.
void EventHook(GdkEvent* event, gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    gtk_main_do_event(event);
    if (event->type == GDK_FOCUS_CHANGE && impl.ActiveCheckSource == 0) {
        impl.ActiveCheckSource = g_idle_add_full(G_PRIORITY_HIGH_IDLE, CheckActive, &impl, nullptr);
    }
    impl.WakeIdle();
}

// GTK's own handling, put back when the host goes.
void PlainEventHandler(GdkEvent* event, gpointer) { gtk_main_do_event(event); }

gboolean AreaDraw(GtkWidget* widget, cairo_t* cr, gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    impl.EnsureSurface({gtk_widget_get_allocated_width(widget), gtk_widget_get_allocated_height(widget)});
    if (impl.NeedsPicture && impl.Events.OnPaint) {
        // Present called from here only fills the surface, which is painted below.
        impl.InDraw = true;
        impl.Guard([&] { impl.Events.OnPaint(); });
        impl.InDraw = false;
    }
    cairo_set_source_surface(cr, impl.Surface, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    if (impl.Presented && !impl.PictureShown) {
        impl.PictureShown = true;
        impl.ArmAfterFirstPicture();
    }
    if (impl.TraceFirstPicture && impl.SurfaceShowsAnything()) {
        impl.TraceFirstPicture = false;
        std::fprintf(stderr, "first picture %" G_GINT64_FORMAT "\n", g_get_real_time() / 1000);
        EndStartupTrace();
    }
    return TRUE;
}

void AreaSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    impl.Client = {allocation->width, allocation->height};
    impl.EnsureSurface(impl.Client);
    if (impl.Client == impl.Reported) return;
    impl.Reported = impl.Client;
    impl.Guard([&] {
        if (impl.Events.OnResize) impl.Events.OnResize();
    });
    // A new size is always followed by a paint of the whole client area.
    impl.NeedsPicture = true;
}

void AreaRealize(GtkWidget*, gpointer data) { static_cast<TImpl*>(data)->ApplyCursor(); }

gboolean AreaMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    impl.Guard([&] {
        if (impl.Events.OnMouseMove) {
            impl.Events.OnMouseMove(ShiftOf(event->state), static_cast<int>(std::floor(event->x)),
                                    static_cast<int>(std::floor(event->y)));
        }
    });
    return TRUE;
}

gboolean AreaButton(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    // The second and third press of a double or triple click come as plain presses too.
    if (event->type != GDK_BUTTON_PRESS && event->type != GDK_BUTTON_RELEASE) return TRUE;
    TMouseButton button;
    TShiftState flag = 0;
    if (!ButtonOf(event->button, button, flag)) return FALSE;
    const bool press = event->type == GDK_BUTTON_PRESS;
    const TShiftState shift = press ? static_cast<TShiftState>(ShiftOf(event->state) | flag)
                                    : static_cast<TShiftState>(ShiftOf(event->state) & ~flag);
    const int x = static_cast<int>(std::floor(event->x));
    const int y = static_cast<int>(std::floor(event->y));
    impl.Guard([&] {
        const auto& handler = press ? impl.Events.OnMouseDown : impl.Events.OnMouseUp;
        if (handler) handler(button, shift, x, y);
    });
    return TRUE;
}

gboolean AreaScroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    int notches = 0;
    switch (event->direction) {
        case GDK_SCROLL_UP: notches = -1; break;
        case GDK_SCROLL_DOWN: notches = 1; break;
        case GDK_SCROLL_SMOOTH:
            // Touchpads scroll in fractions of a notch: pass on whole notches only.
            impl.ScrollRemainder += event->delta_y;
            notches = static_cast<int>(std::trunc(impl.ScrollRemainder));
            impl.ScrollRemainder -= notches;
            break;
        default: return FALSE;
    }
    impl.Guard([&] {
        for (int step = notches > 0 ? 1 : -1; notches != 0 && impl.Events.OnMouseWheel; notches -= step) {
            impl.Events.OnMouseWheel(step);
        }
    });
    return TRUE;
}

// Keys are reported and then left to GTK, so that Alt and F10 still reach the menu bar.
gboolean WindowKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    const bool press = event->type == GDK_KEY_PRESS;
    const int key = VirtualKeyFromKeyval(event->keyval);
    const TShiftState base = ShiftOf(event->state);
    const TShiftState shift = press ? static_cast<TShiftState>(base | ModifierFlag(key))
                                    : static_cast<TShiftState>(base & ~ModifierFlag(key));
    impl.Guard([&] {
        const auto& handler = press ? impl.Events.OnKeyDown : impl.Events.OnKeyUp;
        if (key != 0 && handler) handler(key, shift);
        // With Ctrl or Alt held a key is a command, not typing.
        const int character = CharacterFromKeyval(event->keyval);
        if (press && character != 0 && (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) == 0 &&
            impl.Events.OnKeyPress) {
            impl.Events.OnKeyPress(character);
        }
    });
    return FALSE;
}

gboolean WindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
    constexpr auto kNotNormal = GDK_WINDOW_STATE_MAXIMIZED | GDK_WINDOW_STATE_ICONIFIED | GDK_WINDOW_STATE_FULLSCREEN;
    static_cast<TImpl*>(data)->OutOfNormalState = (event->new_window_state & kNotNormal) != 0;
    return FALSE;
}

gboolean WindowConfigure(GtkWidget* widget, GdkEventConfigure*, gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    if (!impl.OutOfNormalState && !impl.FullScreen) {
        gtk_window_get_position(GTK_WINDOW(widget), &impl.NormalPosition.X, &impl.NormalPosition.Y);
    }
    return FALSE;
}

gboolean WindowDelete(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<TImpl*>(data)->CloseRequested();
    return TRUE;  // the window is hidden, never destroyed, while the host lives
}

gboolean RunAfterFirstPicture(gpointer data) {
    auto& impl = *static_cast<TImpl*>(data);
    impl.AfterPictureSource = 0;
    const std::vector<std::function<void()>> work = std::exchange(impl.AfterFirstPicture, {});
    for (const std::function<void()>& step : work) impl.Guard(step);
    return G_SOURCE_REMOVE;
}

}  // namespace

void TGtkWindowHost::TImpl::ArmAfterFirstPicture() {
    // Before Show there is no picture to wait for, nor a time to count from.
    if (AfterFirstPicture.empty() || !gtk_widget_get_visible(Window) || Closed) return;
    if (PictureShown) {
        // Replaces the wait for a picture that will not come.
        if (AfterPictureSource != 0) g_source_remove(AfterPictureSource);
        AfterPictureSource = g_idle_add(RunAfterFirstPicture, this);
    } else if (AfterPictureSource == 0) {
        AfterPictureSource = g_timeout_add(kLatestAfterShow, RunAfterFirstPicture, this);
    }
}

void TGtkWindowHost::TImpl::WakeIdle() {
    // A waiting game has taken its input already, in the event handlers, yet the input
    // may have ended a rest longer than a frame: the game says again how long to wait.
    if (IdleWaitSource != 0 && !InIdle) {
        g_source_remove(IdleWaitSource);
        IdleWaitSource = 0;
    }
    if (IdleSource == 0 && IdleWaitSource == 0 && !Closed && Events.OnIdle) {
        IdleSource = g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, IdleTick, this, nullptr);
    }
}

void TGtkWindowHost::TImpl::ApplyCursor() {
    GdkWindow* window = gtk_widget_get_window(Area);
    if (window == nullptr) return;
    GdkCursor* cursor =
        Cursor == TCursorShape::HandPoint ? gdk_cursor_new_from_name(gtk_widget_get_display(Area), "pointer") : nullptr;
    gdk_window_set_cursor(window, cursor);
    if (cursor != nullptr) g_object_unref(cursor);
}

void TGtkWindowHost::TImpl::CloseRequested() {
    if (Closed) return;
    bool allowed = true;
    Guard([&] { allowed = !Events.OnCloseQuery || Events.OnCloseQuery(); });
    if (!allowed) return;
    Closed = true;
    // The game stores the window's place after it has closed; a hidden window no longer knows it.
    gtk_window_get_position(GTK_WINDOW(Window), &LastPosition.X, &LastPosition.Y);
    for (guint* source : {&IdleSource, &IdleWaitSource, &TimerSource, &PadSource, &AfterPictureSource}) {
        if (*source != 0) g_source_remove(*source);
        *source = 0;
    }
    gtk_widget_hide(Window);
}

TGtkWindowHost::TGtkWindowHost() : Impl_(std::make_unique<TImpl>()) {
    // The game draws with cairo alone, yet GDK probes OpenGL while it opens an X display,
    // and Mesa's driver brings LLVM with it: 44 MB resident and a slower start for nothing.
    // GDK reads this once, in gtk_init; the game starts no programs that would inherit it.
    g_setenv("GDK_GL", "disable", TRUE);
    if (!gtk_init_check(nullptr, nullptr)) {
        throw std::runtime_error("Cannot open the display for the game window (is DISPLAY set?)");
    }
    TImpl& impl = *Impl_;
    impl.AfterFirstPicture.emplace_back([&impl] { impl.SetIcon(); });
    impl.TraceFirstPicture = g_getenv("VANDOR_TRACE_FIRST_PICTURE") != nullptr;
    impl.TracePresents = g_getenv("VANDOR_TRACE_PRESENTS") != nullptr;
    impl.Window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    impl.Box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    impl.Area = gtk_drawing_area_new();
    gtk_container_add(GTK_CONTAINER(impl.Window), impl.Box);
    gtk_box_pack_end(GTK_BOX(impl.Box), impl.Area, TRUE, TRUE, 0);

    impl.ApplySizeLimits();

    gtk_widget_add_events(impl.Area, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                         GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK);
    g_signal_connect(impl.Area, "draw", G_CALLBACK(AreaDraw), &impl);
    g_signal_connect(impl.Area, "size-allocate", G_CALLBACK(AreaSizeAllocate), &impl);
    g_signal_connect(impl.Area, "realize", G_CALLBACK(AreaRealize), &impl);
    g_signal_connect(impl.Area, "motion-notify-event", G_CALLBACK(AreaMotion), &impl);
    g_signal_connect(impl.Area, "button-press-event", G_CALLBACK(AreaButton), &impl);
    g_signal_connect(impl.Area, "button-release-event", G_CALLBACK(AreaButton), &impl);
    g_signal_connect(impl.Area, "scroll-event", G_CALLBACK(AreaScroll), &impl);
    g_signal_connect(impl.Window, "key-press-event", G_CALLBACK(WindowKey), &impl);
    g_signal_connect(impl.Window, "key-release-event", G_CALLBACK(WindowKey), &impl);
    g_signal_connect(impl.Window, "delete-event", G_CALLBACK(WindowDelete), &impl);
    g_signal_connect(impl.Window, "window-state-event", G_CALLBACK(WindowState), &impl);
    g_signal_connect(impl.Window, "configure-event", G_CALLBACK(WindowConfigure), &impl);
    gdk_event_handler_set(EventHook, &impl, nullptr);
    // The display, the theme and the window's widgets.
    MarkStartup("gtk");
}

TGtkWindowHost::~TGtkWindowHost() {
    TImpl& impl = *Impl_;
    gdk_event_handler_set(PlainEventHandler, nullptr, nullptr);
    for (guint source : {impl.IdleSource, impl.IdleWaitSource, impl.TimerSource, impl.ActiveCheckSource, impl.PadSource,
                         impl.AfterPictureSource}) {
        if (source != 0) g_source_remove(source);
    }
    impl.MenuBar.reset();
    gtk_widget_destroy(impl.Window);
    if (impl.Surface != nullptr) cairo_surface_destroy(impl.Surface);
}

void TGtkWindowHost::SetEvents(TWindowEvents events) {
    Impl_->Events = std::move(events);
    Impl_->WakeIdle();
}

void TGtkWindowHost::SetMenu(TMenuModel* menu) {
    TImpl& impl = *Impl_;
    impl.MenuBar.reset();
    impl.Menu = menu;
    if (menu == nullptr) return;
    TImpl* self = &impl;
    impl.MenuBar = std::make_unique<TGtkMenuBar>(*menu, [self](const std::string& name) {
        // This function object may be gone once Click returns (a handler may replace the
        // menu): only the locals are used after it.
        TImpl* host = self;
        host->Guard([host, &name] {
            if (host->Menu != nullptr) host->Menu->Click(name);
        });
    });
    GtkWidget* bar = impl.MenuBar->Widget();
    gtk_box_pack_start(GTK_BOX(impl.Box), bar, FALSE, FALSE, 0);
    gtk_box_reorder_child(GTK_BOX(impl.Box), bar, 0);
    gtk_widget_set_visible(bar, !impl.FullScreen);
}

void TGtkWindowHost::Show() {
    TImpl& impl = *Impl_;
    // A window put into full screen before it is shown already has its size.
    if (!gtk_widget_get_visible(impl.Window) && !impl.FullScreen) impl.ResizeToClient(impl.Client);
    impl.Reported = {-1, -1};
    impl.NeedsPicture = true;
    gtk_widget_show(impl.Area);
    gtk_widget_show(impl.Box);
    gtk_widget_show(impl.Window);
    impl.ArmAfterFirstPicture();
    impl.WakeIdle();
}

void TGtkWindowHost::Close() {
    if (!Impl_->Closed) gtk_window_close(GTK_WINDOW(Impl_->Window));
}

void TGtkWindowHost::BringToFront() { gtk_window_present(GTK_WINDOW(Impl_->Window)); }

void TGtkWindowHost::Present(const TBitmap32& picture, const TRect& dstRect, const TRect& srcRect,
                             const TRect& changed) {
    TImpl& impl = *Impl_;
    impl.EnsureSurface(impl.Client);
    if (impl.Surface == nullptr) return;  // no window yet: its first draw asks for the picture
    // A picture that changed in part is painted, and sent to the screen, in that part
    // alone: a big window then costs what changed, not its size.
    const bool whole = impl.NeedsPicture || impl.InDraw || Intersect(changed, srcRect) == srcRect;
    const TRect part = whole ? dstRect : PresentedPart(dstRect, srcRect, changed);
    if (!whole && part.IsEmpty()) return;
    cairo_t* cr = cairo_create(impl.Surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    if (whole) {
        // Black around the picture: the whole area minus dstRect.
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_rectangle(cr, 0, 0, cairo_image_surface_get_width(impl.Surface),
                        cairo_image_surface_get_height(impl.Surface));
        if (!dstRect.IsEmpty()) cairo_rectangle(cr, dstRect.Left, dstRect.Top, dstRect.Width(), dstRect.Height());
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_fill(cr);
    }
    if (!dstRect.IsEmpty() && !srcRect.IsEmpty() && !picture.Empty()) {
        // TColor32 (0xAARRGGBB in native order) is RGB24's layout with the alpha byte
        // ignored, so the picture is read where it lies. Parts of srcRect outside it
        // come out black.
        cairo_surface_t* source = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(const_cast<TColor32*>(picture.Bits())), CAIRO_FORMAT_RGB24,
            picture.Width(), picture.Height(), picture.Width() * 4);
        cairo_rectangle(cr, part.Left, part.Top, part.Width(), part.Height());
        cairo_clip(cr);
        cairo_translate(cr, dstRect.Left, dstRect.Top);
        cairo_scale(cr, static_cast<double>(dstRect.Width()) / srcRect.Width(),
                    static_cast<double>(dstRect.Height()) / srcRect.Height());
        cairo_set_source_surface(cr, source, -srcRect.Left, -srcRect.Top);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_surface_destroy(source);
    }
    cairo_destroy(cr);
    impl.NeedsPicture = false;
    impl.Presented = true;
    if (impl.TracePresents) std::fprintf(stderr, "present %" G_GINT64_FORMAT "\n", g_get_monotonic_time() / 1000);
    if (!impl.InDraw) {
        if (whole) {
            gtk_widget_queue_draw(impl.Area);
        } else {
            gtk_widget_queue_draw_area(impl.Area, part.Left, part.Top, part.Width(), part.Height());
        }
        impl.PictureQueued = true;
    }
}

TMessageResult TGtkWindowHost::MessageBox(const std::string& text, const std::string& caption, TMessageButtons buttons,
                                          TMessageIcon icon, const std::vector<std::string>& buttonCaptions) {
    Impl_->SetIcon();
    GtkWindow* parent = gtk_widget_get_visible(Impl_->Window) ? GTK_WINDOW(Impl_->Window) : nullptr;
    // The game's boxes speak the chosen language where the catalogue has their texts.
    std::vector<std::string> buttonTexts;
    for (const std::string& button : buttonCaptions) buttonTexts.push_back(GameText(button));
    return RunMessageBox(parent, GameText(text), GameText(caption), buttons, icon, buttonTexts);
}

void TGtkWindowHost::ShowForm(TFormSession& session) {
    RunSupportForm(gtk_widget_get_visible(Impl_->Window) ? GTK_WINDOW(Impl_->Window) : nullptr, session);
}

void TGtkWindowHost::SetCursor(TCursorShape shape) {
    if (shape == Impl_->Cursor) return;
    Impl_->Cursor = shape;
    Impl_->ApplyCursor();
}

void TGtkWindowHost::SetTitle(const std::string& title) {
    gtk_window_set_title(GTK_WINDOW(Impl_->Window), title.c_str());
}

TPoint TGtkWindowHost::Position() const {
    if (Impl_->Closed) return Impl_->LastPosition;
    TPoint position;
    gtk_window_get_position(GTK_WINDOW(Impl_->Window), &position.X, &position.Y);
    return position;
}

TPoint TGtkWindowHost::NormalPosition() const { return Impl_->OutOfNormalState ? Impl_->NormalPosition : Position(); }

TSize TGtkWindowHost::WindowSize() const {
    GtkWindow* window = GTK_WINDOW(Impl_->Window);
    if (GdkWindow* shown = gtk_widget_get_window(Impl_->Window)) {
        GdkRectangle frame{};
        gdk_window_get_frame_extents(shown, &frame);
        if (frame.width > 0 && frame.height > 0) return {frame.width, frame.height};
    }
    TSize size;
    gtk_window_get_size(window, &size.Width, &size.Height);
    return size;
}

void TGtkWindowHost::SetPosition(TPoint position) {
    gtk_window_move(GTK_WINDOW(Impl_->Window), position.X, position.Y);
}

TSize TGtkWindowHost::ClientSize() const { return Impl_->Client; }

void TGtkWindowHost::SetClientSize(TSize size) { Impl_->ResizeToClient(size); }

TSize TGtkWindowHost::ScreenSize() const {
    const GdkRectangle geometry = Impl_->MonitorGeometry();
    return {geometry.width, geometry.height};
}

void TGtkWindowHost::SetFullScreen(bool fullScreen) {
    TImpl& impl = *Impl_;
    if (fullScreen == impl.FullScreen) return;
    GtkWindow* window = GTK_WINDOW(impl.Window);
    const bool managed = ManagerDoesFullScreen(impl.Window);
    if (fullScreen) {
        impl.WindowedPosition = Position();
        impl.WindowedClient = impl.Client;
    }
    impl.FullScreen = fullScreen;
    impl.ApplySizeLimits();
    if (impl.MenuBar) gtk_widget_set_visible(impl.MenuBar->Widget(), !fullScreen);
    if (fullScreen && managed) {
        gtk_window_fullscreen(window);
    } else if (fullScreen) {
        const GdkRectangle monitor = impl.MonitorGeometry();
        gtk_window_move(window, monitor.x, monitor.y);
        gtk_window_resize(window, std::max(monitor.width, 1), std::max(monitor.height, 1));
    } else {
        if (managed) gtk_window_unfullscreen(window);
        gtk_window_move(window, impl.WindowedPosition.X, impl.WindowedPosition.Y);
        impl.ResizeToClient(impl.WindowedClient);
    }
}

bool TGtkWindowHost::FullScreen() const { return Impl_->FullScreen; }

// The game asks on every idle call: walking the toplevels each time (every menu is one)
// cost more than all of the game's idle work.
bool TGtkWindowHost::IsActive() const { return Impl_->ReportedActive; }

void TGtkWindowHost::SetTimerEnabled(bool enabled) {
    TImpl& impl = *Impl_;
    if (enabled && impl.TimerSource == 0 && !impl.Closed) {
        impl.TimerInterval = kTimerInterval;
        impl.TimerSource = g_timeout_add(kTimerInterval, TimerTick, &impl);
    } else if (!enabled && impl.TimerSource != 0) {
        g_source_remove(impl.TimerSource);
        impl.TimerSource = 0;
    }
}

void TGtkWindowHost::PumpMessages() {
    TImpl& impl = *Impl_;
    // A waiting idle source is always ready and would keep the loop below going: hold
    // it back meanwhile. (Called from the idle callback itself, it is not dispatched.)
    const bool holdIdle = impl.IdleSource != 0 && !impl.InIdle;
    if (holdIdle) {
        g_source_remove(impl.IdleSource);
        impl.IdleSource = 0;
    }
    for (int count = 0; count < kMaxPumpedEvents && gtk_events_pending(); ++count) {
        gtk_main_iteration_do(FALSE);
    }
    if (holdIdle) impl.WakeIdle();
}

void TGtkWindowHost::Run() {
    while (!Impl_->Closed) gtk_main_iteration_do(TRUE);
}

bool TGtkWindowHost::Closed() const { return Impl_->Closed; }

void TGtkWindowHost::SetErrorHandler(std::function<void(const std::string& message)> handler) {
    Impl_->OnError = std::move(handler);
}

void TGtkWindowHost::SetPadPoller(std::function<bool(const TWindowEvents& events)> poll) {
    TImpl& impl = *Impl_;
    impl.PadPoller = std::move(poll);
    if (impl.PadPoller && impl.PadSource == 0 && !impl.Closed) {
        // The first call comes soon: a controller plugged in before the start is read at once.
        impl.PadBusy = true;
        impl.PadSource = g_timeout_add(kPadInterval, PadTick, &impl);
    } else if (!impl.PadPoller && impl.PadSource != 0) {
        g_source_remove(impl.PadSource);
        impl.PadSource = 0;
    }
}

void TGtkWindowHost::AfterFirstPicture(std::function<void()> work) {
    Impl_->AfterFirstPicture.push_back(std::move(work));
    Impl_->ArmAfterFirstPicture();
}

}  // namespace vandor
