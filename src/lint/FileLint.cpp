// Whether the pictures and sounds a script names exist and can be read as the game
// reads them, with the near names an author probably meant when one is missing.

#include "lint/GameLint.h"
#include "lint/NearNames.h"
#include "resources/FileCache.h"
#include "resources/PictureCodec.h"
#include "scenario/ScriptFields.h"
#include "sound/OggData.h"
#include "util/Encoding.h"

namespace vandor {

void TGameLint::CheckPicture(const TPlace& place, std::string name) {
    name = AsciiLower(name);
    if (!Files_.Exists(name)) {
        Report(place, true, "picture \"" + name + "\" does not exist" + MissingHint(name));
    } else if (const std::string problem = PictureProblem(name); !problem.empty()) {
        Report(place, true, problem);
    }
}

void TGameLint::CheckSound(const TPlace& place, std::string name) {
    if (name.empty()) return;
    name = WithExtension(AsciiLower(name), ".ogg");
    if (!Files_.Exists(name)) {
        Report(place, true, "sound \"" + name + "\" does not exist" + MissingHint(name));
    } else if (const std::string problem = SoundProblem(name); !problem.empty()) {
        Report(place, true, problem);
    }
}

// Each file is read once however often it is named.
std::string TGameLint::PictureProblem(const std::string& name) {
    const auto known = FileProblems_.find(name);
    if (known != FileProblems_.end()) return known->second;
    std::string problem;
    const TStreamHold stream(Files_, name);
    if (const TBytes* bytes = stream.Get()) {
        std::string error;
        if (DecodePicture(bytes->data(), bytes->size(), &error).Empty()) {
            problem = "\"" + name + "\" is no PNG or JPEG picture the game can read (" + error + "): nothing shows";
        }
    }
    return FileProblems_[name] = problem;
}

std::string TGameLint::SoundProblem(const std::string& name) {
    const auto known = FileProblems_.find(name);
    if (known != FileProblems_.end()) return known->second;
    std::string problem;
    const TStreamHold stream(Files_, name);
    if (const TBytes* bytes = stream.Get()) {
        TOggData probe(nullptr, nullptr);
        probe.OpenData(name, *bytes);
        if (!probe.Opened()) {
            problem = "\"" + name + "\" is no Ogg Vorbis sound (mono or stereo) the game can play: nothing is heard";
        }
    }
    return FileProblems_[name] = problem;
}

std::optional<std::pair<int, int>> TGameLint::PictureSize(const std::string& name) {
    const TStreamHold stream(Files_, AsciiLower(name));
    if (const TBytes* bytes = stream.Get()) {
        const TBitmap32 picture = DecodePicture(bytes->data(), bytes->size());
        if (!picture.Empty()) return std::pair{picture.Width(), picture.Height()};
    }
    return std::nullopt;
}

std::string TGameLint::MissingHint(const std::string& name) {
    FileMissing_ = true;
    if (!KnownNames_) KnownNames_ = Files_.Names();
    return DidYouMean(NearNames(name, *KnownNames_));
}

std::vector<std::string> TGameLint::SearchedSources() const {
    std::vector<std::string> sources;
    if (!FileMissing_) return sources;
    Files_.ListSources(sources);
    return {sources.rbegin(), sources.rend()};
}

}  // namespace vandor
