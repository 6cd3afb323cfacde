// The stage of the scenario engine: the background (a picture or a plain colour),
// the face picture beside the message window, eight standing-picture slots, picture
// variants with their flash sequence and the colour fades.

#include <algorithm>

#include "scenario/NovelGame.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"
#include "util/Encoding.h"

namespace vandor {

namespace {

constexpr int kFaceDepth = 1000;
constexpr int kStandingDepth = 2000;
constexpr int kBackgroundDepth = 10000;
constexpr int kOutgoingDepth = 20000;
constexpr TColor32 kBlack = 0xFF000000;
constexpr TColor32 kWhite = 0xFFFFFFFF;
const std::string kNoSkip = "禁スキップ";
const std::string kRemove = "消";
const std::string kVariantWord = "差分";

enum class TStageRole { Background, Face, Standing };

// A picture's place on the stage follows from its size alone.
TStageRole Classify(const TLayerItem& layer) {
    const int width = layer.Bitmap() ? layer.Bitmap()->Width() : layer.Width();
    const int height = layer.Bitmap() ? layer.Bitmap()->Height() : layer.Height();
    if (width >= TNovelGame::kStageWidth && height >= TNovelGame::kStageHeight) return TStageRole::Background;
    if (width == height && 2 * height < TNovelGame::kStageHeight) return TStageRole::Face;
    return TStageRole::Standing;
}

void Forget(TLayerState& state) {
    state.Name.clear();
    state.Used = false;
    state.Layer = nullptr;
}

}  // namespace

// Only pictures that hold a place on the stage are reused by name: a button or frame
// showing the same picture must never be moved onto the stage, and an outgoing
// picture is about to be deleted by its transition.
TLayerItem* TNovelGame::FindOrLoadPicture(const std::string& name, bool& loadedNow) {
    const std::string key = AsciiLower(name);
    loadedNow = false;
    if (Background_.Layer && Background_.Name == key && Classify(*Background_.Layer) == TStageRole::Background) {
        return Background_.Layer;
    }
    if (Face_.Layer && Face_.Name == key) return Face_.Layer;
    for (const TLayerState& slot : Standing_) {
        if (slot.Layer && slot.Name == key) return slot.Layer;
    }
    TLayerItem* layer = LoadStagePicture(key);
    loadedNow = layer != nullptr;
    return layer;
}

TLayerItem* TNovelGame::LoadStagePicture(const std::string& name) {
    TLayerItem* layer = Layers.AddImage(Services_.Pictures, name, 0, 0, 0, kAnchorTopLeft);
    if (layer) layer->HitAlpha = kHitNever;
    return layer;
}

// The current background when it is that picture, else a new layer of it.
TLayerItem* TNovelGame::BackgroundPicture(const std::string& name) {
    if (Background_.Layer && Background_.Name == name) return Background_.Layer;
    return LoadStagePicture(name);
}

bool TNovelGame::OnStage(const TLayerItem& layer) const {
    if (Background_.Layer == &layer || Face_.Layer == &layer) return true;
    return std::any_of(Standing_.begin(), Standing_.end(),
                       [&](const TLayerState& slot) { return slot.Layer == &layer; });
}

void TNovelGame::RepeatLine() {
    if (CommandLine_ < 0) return;
    Line = CommandLine_;
    Column = 1;
}

bool TNovelGame::PictureCommand(TLayerItem& layer, bool loadedNow, const TFields& fields) {
    switch (Classify(layer)) {
        case TStageRole::Background: BackgroundCommand(layer, fields); break;
        case TStageRole::Face: FaceCommand(layer, fields); break;
        case TStageRole::Standing: StandingCommand(layer, fields, loadedNow); break;
    }
    // A picture loaded for a command that did not place it must not linger unseen.
    if (loadedNow && !OnStage(layer)) Layers.Remove(layer);
    return false;
}

void TNovelGame::BackgroundCommand(TLayerItem& layer, const TFields& fields) {
    TFields padded = fields;
    PadFields(padded, 3);
    if (padded[2] == kNoSkip) NoSkip = true;
    const int time = StageTime(ToNumber(padded[1], CurrentProperty.BgFade));
    ShowBackground(&layer, time);
    // The looping effects belong to the scene that is being left, even when the
    // picture stays the same.
    FadeSounds(SoundChannel::SceneLoop, SoundChannel::SceneLoop, time);
}

void TNovelGame::ShowBackground(TLayerItem* layer, int time) {
    if (!layer || layer->Name() == Background_.Name) return;
    if (Background_.Layer) Layers.Transitions.DepthFadeTo(*Background_.Layer, time, kOutgoingDepth, 255, true);
    layer->Position.SetAlpha(0);
    layer->Position.SetAnchor(kAnchorTopLeft);
    layer->SetPosition(0, 0, kBackgroundDepth);
    Layers.Transitions.DepthFadeTo(*layer, time, kBackgroundDepth, 255, false);
    Background_.Name = layer->Name();
    Background_.Used = true;
    Background_.Layer = layer;
}

// Unlike a picture, a colour always fades in: the same colour again is a fresh fade.
void TNovelGame::ColorFade(TColor32 colour, int time) {
    if (Background_.Layer) Layers.Transitions.DepthFadeTo(*Background_.Layer, time, kOutgoingDepth, 255, true);
    TLayerItem& layer =
        Layers.AddFill(colour | 0xFF000000, kStageWidth, kStageHeight, 0, 0, kBackgroundDepth, kAnchorTopLeft);
    layer.HitAlpha = kHitNever;
    layer.Position.SetAlpha(0);
    Layers.Transitions.DepthFadeTo(layer, time, kBackgroundDepth, 255, false);
    Background_.Name.clear();
    Background_.Used = true;
    Background_.Layer = &layer;
}

bool TNovelGame::FadeToBlackCommand(TFields& fields, const std::string&) { return ColorFadeCommand(fields, kBlack); }

bool TNovelGame::FadeToWhiteCommand(TFields& fields, const std::string&) { return ColorFadeCommand(fields, kWhite); }

bool TNovelGame::ColorFadeCommand(const TFields& fields, TColor32 colour) {
    // Faces leave first, then the standing pictures; each time the line runs again
    // once their transitions have ended.
    if (Face_.Used) {
        ShowFace(Face_.Layer, StageTime(CurrentProperty.FaceFade));
        RepeatLine();
        return false;
    }
    if (std::any_of(Standing_.begin(), Standing_.end(), [](const TLayerState& slot) { return slot.Used; })) {
        ClearStanding(StageTime(CurrentProperty.StandFade));
        RepeatLine();
        return false;
    }
    TFields padded = fields;
    PadFields(padded, 3);
    if (padded[2] == kNoSkip) NoSkip = true;
    const int time = StageTime(ToNumber(padded[1], CurrentProperty.BgFade));
    ColorFade(colour, time);
    // Every sound of the scene goes with it; the interface sounds stay.
    FadeSounds(SoundChannel::Music, SoundChannel::ExtraVoice, time);
    return false;
}

void TNovelGame::ShowFace(TLayerItem* layer, int time) {
    if (!layer) return;
    const bool faceShown = Face_.Used && Face_.Layer;
    if (faceShown) {
        TLayerItem& old = *Face_.Layer;
        Layers.Transitions.MoveTo(old, time, -old.Width(), CurrentProperty.FaceY, true);
    }
    if (layer->Name() == Face_.Name) {
        Forget(Face_);
        return;
    }
    // The new face follows the old one in from the left edge, twice as far and as long.
    const int width = layer->Width();
    layer->Position.SetAnchor(kAnchorBottomLeft);
    layer->SetPosition(faceShown ? -2 * width : -width, CurrentProperty.FaceY, kFaceDepth);
    Layers.Transitions.MoveTo(*layer, faceShown ? 2 * time : time, 0, CurrentProperty.FaceY, false);
    Face_.Name = layer->Name();
    Face_.Used = true;
    Face_.Layer = layer;
}

void TNovelGame::FaceCommand(TLayerItem& layer, const TFields& fields) {
    const bool current = Face_.Used && layer.Name() == Face_.Name;
    if (fields.size() == 1) {
        if (!current) ShowFace(&layer, StageTime(CurrentProperty.FaceFade));
    } else if (fields.size() == 2 && fields[1] == kRemove) {
        if (Face_.Used) ShowFace(Face_.Layer, StageTime(CurrentProperty.FaceFade));
    } else if (fields.size() == 2) {
        if (!current) ShowFace(&layer, StageTime(ToNumber(fields[1], CurrentProperty.FaceFade)));
    }
}

void TNovelGame::PlaceStanding(TLayerItem& layer, int time, const std::string& position, bool loadedNow) {
    auto holder = std::find_if(Standing_.begin(), Standing_.end(),
                               [&](const TLayerState& slot) { return slot.Used && slot.Name == layer.Name(); });
    if (position == kRemove) {
        if (holder == Standing_.end()) return;
        Layers.Transitions.FadeTo(*holder->Layer, time, 0, true);
        Forget(*holder);
        return;
    }
    static const std::array<std::pair<std::string_view, int>, 6> kPositionWords{
        {{"左端", 0}, {"左", 1}, {"中左", 2}, {"中右", 4}, {"右", 5}, {"右端", 6}}};
    int x = ToNumber(position, CurrentProperty.Positions[3]);
    for (const auto& [word, index] : kPositionWords) {
        if (position == word) x = CurrentProperty.Positions[static_cast<std::size_t>(index)];
    }
    if (holder != Standing_.end()) {
        TLayerItem& standing = *holder->Layer;
        if (standing.Position.X != x) Layers.Transitions.MoveTo(standing, time, x, standing.Position.Y, false);
        return;
    }
    auto free = std::find_if(Standing_.begin(), Standing_.end(), [](const TLayerState& slot) { return !slot.Used; });
    if (free == Standing_.end()) {
        if (loadedNow) Layers.Remove(layer);
        return;
    }
    const int slot = static_cast<int>(free - Standing_.begin());
    layer.Position.SetAlpha(0);
    layer.Position.SetAnchor(kAnchorBottomCentre);
    layer.SetPosition(x, kStageHeight, kStandingDepth + slot);
    Layers.Transitions.FadeTo(layer, time, 255, false);
    free->Name = layer.Name();
    free->Used = true;
    free->Layer = &layer;
}

void TNovelGame::StandingCommand(TLayerItem& layer, const TFields& fields, bool loadedNow) {
    auto isTime = [](const std::string& field) { return IsNumber(field) && ToNumber(field, 0) >= 0; };
    int time = CurrentProperty.StandFade;
    std::string position;
    if (fields.size() == 2) {
        if (isTime(fields[1])) {
            time = ToNumber(fields[1], time);
        } else {
            position = fields[1];
        }
    } else if (fields.size() >= 3) {
        if (isTime(fields[1])) {
            time = ToNumber(fields[1], time);
            position = fields[2];
        } else {
            position = fields[1];
            time = ToNumber(fields[2], time);
        }
    }
    PlaceStanding(layer, StageTime(time), position, loadedNow);
}

void TNovelGame::ClearStanding(int time) {
    for (TLayerState& slot : Standing_) {
        if (!slot.Used) continue;
        if (slot.Layer) Layers.Transitions.FadeTo(*slot.Layer, time, 0, true);
        Forget(slot);
    }
}

bool TNovelGame::ClearStandingCommand(TFields& fields, const std::string&) {
    if (std::none_of(Standing_.begin(), Standing_.end(), [](const TLayerState& slot) { return slot.Used; })) {
        return true;
    }
    const std::string time = fields.size() > 1 ? fields[1] : std::string();
    ClearStanding(StageTime(ToNumber(time, CurrentProperty.StandFade)));
    return false;
}

bool TNovelGame::ClearFaceCommand(TFields& fields, const std::string&) {
    if (!Face_.Used) return true;
    const std::string time = fields.size() > 1 ? fields[1] : std::string();
    ShowFace(Face_.Layer, StageTime(ToNumber(time, CurrentProperty.FaceFade)));
    return false;
}

// Variants keep their times in skip mode: they are part of the scene's picture, not
// a pause the player may want to cut.
bool TNovelGame::StartVariant(TFields& fields, const std::string&) {
    if (Background_.Busy) {
        StepFlash();
        return false;
    }
    PadFields(fields, 3);
    if (fields[1].empty()) return false;
    const std::string base = VariantBase(fields[1]);
    const std::string letters = AsciiLower(fields[0].substr(kVariantWord.size()));
    const char letter = letters.size() == 1 ? letters[0] : 0;
    const bool plain = letter >= 'a' && letter <= 'g';
    const bool flash = letter == 'x' || letter == 'y' || letter == 'z';
    std::string sound = plain || flash ? VariantSounds_[static_cast<std::size_t>(letter - 'a')] : std::string();
    if (!fields[2].empty()) sound = AsciiLower(fields[2]);
    sound = VariantSound(sound);

    if (flash) {
        Background_.Saved = Background_.Name;
        Background_.First = base + letter + "1.png";
        Background_.Second = base + letter + "2.png";
        Background_.Sound = sound;
        Background_.Busy = true;
        Background_.Step = 5;
        ColorFade(kWhite, 1);
        RepeatLine();
        return false;
    }
    const std::string picture = plain ? base + letter + ".png" : base + ".png";
    ShowBackground(BackgroundPicture(picture), CurrentProperty.BgFade);
    if (!sound.empty()) {
        TOggData& channel = Services_.Sound.Channel(SoundChannel::SceneLoop);
        channel.Open(sound);
        channel.Play(true);
    }
    return false;
}

// One step of the flash: back to the old picture, a white flash with the sound, then
// the two flash pictures. Each step runs when the previous one's fades have ended.
void TNovelGame::StepFlash() {
    switch (Background_.Step) {
        case 5:
            if (Background_.Saved.empty()) {
                ColorFade(kBlack, 250);
            } else {
                ShowBackground(BackgroundPicture(Background_.Saved), 250);
            }
            Background_.Step = 4;
            break;
        case 4:
            ColorFade(kWhite, 1);
            if (!Background_.Sound.empty()) {
                TOggData& channel = Services_.Sound.Channel(SoundChannel::SceneEffect);
                channel.Open(Background_.Sound);
                channel.Play(false);
            }
            Background_.Step = 3;
            break;
        case 3:
            ShowBackground(BackgroundPicture(Background_.First), 500);
            Background_.Step = 2;
            break;
        default:
            ShowBackground(BackgroundPicture(Background_.Second), 1000);
            Background_.Step = -1;
            Background_.Busy = false;
            return;
    }
    RepeatLine();
}

// The background stays: the next scene replaces it with a fade of its own. A flash
// that was cut off by the reset must not take over the next variant line.
void TNovelGame::RemoveStagePictures() {
    if (Face_.Layer) Layers.Remove(*Face_.Layer);
    Forget(Face_);
    for (TLayerState& slot : Standing_) {
        if (slot.Layer) Layers.Remove(*slot.Layer);
        Forget(slot);
    }
    Background_.Busy = false;
    Background_.Step = -1;
}

}  // namespace vandor
