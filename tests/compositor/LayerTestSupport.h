#pragma once
// Pictures for layer tests: a picture source that hands out surfaces made in the
// test and counts what is handed back.

#include <map>
#include <memory>
#include <string>

#include "compositor/PictureSource.h"
#include "util/Encoding.h"

namespace vandor::testing {

class FakePictures : public IPictureSource {
public:
    TBitmap32& Make(const std::string& name, int width, int height, TColor32 colour = 0xFFFFFFFF) {
        auto& picture = Pictures[AsciiLower(name)];
        picture = std::make_unique<TBitmap32>(width, height);
        picture->FillRect(picture->BoundsRect(), colour);
        picture->SetDrawMode(TDrawMode::dmBlend);
        return *picture;
    }
    TBitmap32* GetImage(std::string_view name) override {
        auto it = Pictures.find(AsciiLower(name));
        if (it == Pictures.end()) return nullptr;
        ++References[it->second.get()];
        return it->second.get();
    }
    void Release(TBitmap32* picture) override { --References[picture]; }

    std::map<std::string, std::unique_ptr<TBitmap32>> Pictures;
    std::map<const TBitmap32*, int> References;
};

inline std::unique_ptr<TBitmap32> SolidBitmap(int width, int height, TColor32 colour) {
    auto bitmap = std::make_unique<TBitmap32>(width, height);
    bitmap->FillRect(bitmap->BoundsRect(), colour);
    return bitmap;
}

}  // namespace vandor::testing
