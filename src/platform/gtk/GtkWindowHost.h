#pragma once
// The game's window on the desktop, made with GTK 3: a top-level window holding the
// menu bar and, below it, the client area that shows the picture. GTK types stay in
// the implementation, so that only this folder and the program need GTK headers.

#include <functional>
#include <memory>
#include <string>

#include "shell/WindowHost.h"

namespace vandor {

class TGtkWindowHost final : public IWindowHost {
public:
    // Connects to the display; throws std::runtime_error when there is none.
    TGtkWindowHost();
    ~TGtkWindowHost() override;
    TGtkWindowHost(const TGtkWindowHost&) = delete;
    TGtkWindowHost& operator=(const TGtkWindowHost&) = delete;

    void SetEvents(TWindowEvents events) override;
    void SetMenu(TMenuModel* menu) override;
    void Show() override;
    // The close request is handled from the main loop right after the current event,
    // as a click on the window's close button would be: OnCloseQuery decides there.
    void Close() override;
    void BringToFront() override;
    void Present(const TBitmap32& picture, const TRect& dstRect, const TRect& srcRect, const TRect& changed) override;
    // A modal box; the idle callback keeps running while it is open.
    TMessageResult MessageBox(const std::string& text, const std::string& caption, TMessageButtons buttons,
                              TMessageIcon icon, const std::vector<std::string>& buttonCaptions = {}) override;
    void ShowForm(TFormSession& session) override;
    void SetCursor(TCursorShape shape) override;
    void SetTitle(const std::string& title) override;
    TPoint Position() const override;
    TPoint NormalPosition() const override;
    // With the window manager's frame once the window is on screen.
    TSize WindowSize() const override;
    void SetPosition(TPoint position) override;
    TSize ClientSize() const override;
    void SetClientSize(TSize size) override;
    // The monitor the window is on (the primary one before it is shown).
    TSize ScreenSize() const override;
    // Asks the window manager for full screen; without one that does it (a bare X
    // server), the window itself is moved over the whole monitor.
    void SetFullScreen(bool fullScreen) override;
    bool FullScreen() const override;
    bool IsActive() const override;
    void SetTimerEnabled(bool enabled) override;
    void PumpMessages() override;

    // Runs the GTK main loop until the window has been closed (OnCloseQuery agreed).
    // Returns at once when it is already closed.
    void Run();
    bool Closed() const;

    // An exception escaping an event handler cannot pass through GTK: it is caught at
    // the boundary and handed here (by default its message goes to stderr), and the
    // main loop goes on.
    void SetErrorHandler(std::function<void(const std::string& message)> handler);

    // Called with the window's events, from the main loop, for the game controllers to
    // hand theirs in: every few milliseconds while it answers true (a controller is
    // there), a few times a second otherwise, which is soon enough to notice one being
    // plugged in. Unset, nothing is called.
    void SetPadPoller(std::function<bool(const TWindowEvents& events)> poll);
    // Start-up work the first picture need not wait for: run once from the main loop,
    // just after the window has first shown a picture from the game (or a second after
    // Show, should it never paint, say minimised).
    void AfterFirstPicture(std::function<void()> work);

    struct TImpl;

private:
    std::unique_ptr<TImpl> Impl_;
};

}  // namespace vandor
