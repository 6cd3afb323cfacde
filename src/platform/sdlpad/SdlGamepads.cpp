#include "platform/sdlpad/SdlGamepads.h"

#include <SDL.h>

#include <filesystem>
#include <map>
#include <system_error>

namespace vandor {

struct TSdlGamepads::TImpl {
    bool Available = false;
    std::map<SDL_JoystickID, SDL_GameController*> Open;

    void Connect(int deviceIndex, const TWindowEvents& events) {
        SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
        if (controller == nullptr) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
        if (!Open.emplace(id, controller).second) {
            SDL_GameControllerClose(controller);
            return;
        }
        if (events.OnPadConnected) events.OnPadConnected(true);
    }

    void Disconnect(SDL_JoystickID id, const TWindowEvents& events) {
        const auto found = Open.find(id);
        if (found == Open.end()) return;
        SDL_GameControllerClose(found->second);
        Open.erase(found);
        if (events.OnPadConnected) events.OnPadConnected(false);
    }
};

TSdlGamepads::TSdlGamepads(const std::string& mappingFile) : Impl_(std::make_unique<TImpl>()) {
    // SDL must leave SIGINT and SIGTERM to the game.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The window is GTK's, so SDL never sees it focused: controllers count all the time.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    Impl_->Available = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    std::error_code ignored;
    if (Impl_->Available && !mappingFile.empty() && std::filesystem::is_regular_file(mappingFile, ignored)) {
        SDL_GameControllerAddMappingsFromFile(mappingFile.c_str());
    }
}

TSdlGamepads::~TSdlGamepads() {
    if (!Impl_->Available) return;
    for (const auto& [id, controller] : Impl_->Open) SDL_GameControllerClose(controller);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool TSdlGamepads::Available() const { return Impl_->Available; }

bool TSdlGamepads::AnyConnected() const { return !Impl_->Open.empty(); }

void TSdlGamepads::Poll(const TWindowEvents& events) {
    if (!Impl_->Available) return;
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERDEVICEREMAPPED) > 0) {
        switch (event.type) {
            case SDL_CONTROLLERDEVICEADDED: Impl_->Connect(event.cdevice.which, events); break;
            case SDL_CONTROLLERDEVICEREMOVED: Impl_->Disconnect(event.cdevice.which, events); break;
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_CONTROLLERBUTTONUP: {
                const char* name =
                    SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(event.cbutton.button));
                if (name != nullptr && events.OnPadButton) {
                    events.OnPadButton(name, event.type == SDL_CONTROLLERBUTTONDOWN);
                }
                break;
            }
            case SDL_CONTROLLERAXISMOTION: {
                const char* name =
                    SDL_GameControllerGetStringForAxis(static_cast<SDL_GameControllerAxis>(event.caxis.axis));
                if (name != nullptr && events.OnPadAxis) events.OnPadAxis(name, event.caxis.value);
                break;
            }
            default: break;
        }
    }
    // Nobody reads SDL's other events (raw joysticks, audio devices): they must not pile up.
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

}  // namespace vandor
