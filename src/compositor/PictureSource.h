#pragma once
// Where layers made from a picture name get their shared picture and hand it back.
// The image cache implements it; keeping it an interface here lets the compositor
// sit below the resource caches.

#include <string_view>

#include "compositor/Bitmap32.h"

namespace vandor {

class IPictureSource {
public:
    virtual ~IPictureSource() = default;
    // The shared picture, or null when no such picture exists.
    virtual TBitmap32* GetImage(std::string_view name) = 0;
    virtual void Release(TBitmap32* picture) = 0;
};

}  // namespace vandor
