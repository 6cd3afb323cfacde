#include "platform/sdlpad/VirtualPad.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <stdexcept>
#include <string_view>

namespace vandor {

struct TVirtualPad::TImpl {
    int DeviceIndex = -1;
    SDL_Joystick* Joystick = nullptr;
    int Feed = -1;
    std::string Pending;  // a line not yet ended

    void Carry(std::string_view line) {
        const auto word = [&line] {
            while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
            const std::size_t end = std::min(line.find(' '), line.size());
            const std::string_view first = line.substr(0, end);
            line.remove_prefix(end);
            return std::string(first);
        };
        const std::string action = word();
        const std::string name = word();
        if (action == "down" || action == "up") {
            const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
            if (button != SDL_CONTROLLER_BUTTON_INVALID) {
                SDL_JoystickSetVirtualButton(Joystick, button, action == "down" ? SDL_PRESSED : SDL_RELEASED);
                return;
            }
        } else if (action == "axis") {
            const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(name.c_str());
            const std::string value = word();
            int number = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (axis != SDL_CONTROLLER_AXIS_INVALID && error == std::errc() && end == value.data() + value.size() &&
                number >= -32768 && number <= 32767) {
                SDL_JoystickSetVirtualAxis(Joystick, axis, static_cast<Sint16>(number));
                return;
            }
        } else if (action.empty()) {
            return;
        }
        std::fprintf(stderr, "vandor: virtual controller: cannot carry out \"%.*s %s\"\n",
                     static_cast<int>(action.size()), action.data(), name.c_str());
    }
};

TVirtualPad::TVirtualPad(const std::string& feedPath) : Impl_(std::make_unique<TImpl>()) {
    TImpl& impl = *Impl_;
    impl.Feed = open(feedPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (impl.Feed < 0) throw std::runtime_error("cannot open the virtual controller's feed " + feedPath);
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
    desc.name = "Vandor virtual controller";
    impl.DeviceIndex = SDL_JoystickAttachVirtualEx(&desc);
    if (impl.DeviceIndex >= 0) impl.Joystick = SDL_JoystickOpen(impl.DeviceIndex);
    if (impl.Joystick == nullptr) {
        const std::string reason = SDL_GetError();
        if (impl.DeviceIndex >= 0) SDL_JoystickDetachVirtual(impl.DeviceIndex);
        close(impl.Feed);
        throw std::runtime_error("cannot attach a virtual controller: " + reason);
    }
}

TVirtualPad::~TVirtualPad() {
    SDL_JoystickClose(Impl_->Joystick);
    SDL_JoystickDetachVirtual(Impl_->DeviceIndex);
    close(Impl_->Feed);
}

void TVirtualPad::Feed() {
    TImpl& impl = *Impl_;
    char buffer[512];
    for (ssize_t got; (got = read(impl.Feed, buffer, sizeof buffer)) > 0;)
        impl.Pending.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t end; (end = impl.Pending.find('\n')) != std::string::npos;) {
        impl.Carry(std::string_view(impl.Pending).substr(0, end));
        impl.Pending.erase(0, end + 1);
    }
}

}  // namespace vandor
