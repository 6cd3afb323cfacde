// The built-in commands of the script language and the sounds they play.

#include <algorithm>

#include "scenario/NovelGame.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"
#include "util/Encoding.h"

namespace vandor {

bool TNovelGame::Dispatch(TFields& fields, const std::string& trailing) {
    const TScriptCommand* command = FindScriptCommand(fields[0]);
    return command ? (this->*command->Handler)(fields, trailing) : ResourceCommand(fields);
}

bool TNovelGame::ClickWaitCommand(TFields& fields, const std::string&) {
    PadFields(fields, 2);
    Waiting = true;
    WaitLeft = ToNumber(fields[1], -1);
    return false;
}

bool TNovelGame::WaitCommand(TFields& fields, const std::string&) {
    PadFields(fields, 3);
    Waiting = true;
    WaitLeft = ToNumber(fields[1], 1000);
    if (fields[2] == "禁スキップ") NoSkip = true;
    return false;
}

bool TNovelGame::StopMusicCommand(TFields& fields, const std::string&) {
    TOggData& music = Services_.Sound.Channel(SoundChannel::Music);
    if (fields.size() < 2) {
        music.Stop();
    } else {
        // A fade-out stops the music when it falls silent; 0 ms or less silences
        // it at once and leaves it running.
        music.FadeTo(0, std::max(ToNumber(fields[1], 0), 0));
    }
    return true;
}

bool TNovelGame::SilenceCommand(TFields& fields, const std::string&) {
    PadFields(fields, 2);
    const int time = ToNumber(fields[1], 0);
    for (int channel = SoundChannel::FirstEffect; channel <= SoundChannel::ExtraVoice; ++channel) {
        TOggData& sound = Services_.Sound.Channel(channel);
        if (time > 0) {
            sound.FadeTo(0, time);
        } else {
            sound.Stop();
        }
    }
    return true;
}

bool TNovelGame::ReturnCommand(TFields&, const std::string&) {
    Jump(ReturnScript, ReturnLabel);
    return true;
}

bool TNovelGame::ReturnPointCommand(TFields& fields, const std::string&) {
    SetReturnPoint(fields, ReturnScript, ReturnLabel);
    return true;
}

bool TNovelGame::RightClickCommand(TFields& fields, const std::string&) {
    if (fields.size() < 2) {
        RightClickScript.clear();
        RightClickLabel.clear();
    } else {
        SetReturnPoint(fields, RightClickScript, RightClickLabel);
    }
    if (RightClickScript == ".") RightClickScript.clear();
    if (RightClickLabel == ".") RightClickLabel.clear();
    return true;
}

void TNovelGame::SetReturnPoint(const TFields& fields, std::string& script, std::string& label) {
    script = ScriptName;
    label = LastLabel;
    if (fields.size() == 2) {
        (StartsWith(fields[1], "*") ? label : script) = fields[1];
    } else if (fields.size() > 2) {
        const TScriptTarget target = ReadTarget(fields[1], fields[2], true);
        script = target.Script;
        label = target.Label;
    }
}

bool TNovelGame::JumpCommand(TFields& fields, const std::string&) {
    if (fields.size() < 2) return true;
    Message_->Clear();
    if (fields.size() > 3 && OnCondition && !Condition(fields[3])) return true;
    const TScriptTarget target =
        ReadTarget(fields[1], fields.size() > 2 ? fields[2] : std::string(), fields.size() > 2);
    Jump(target.Script, target.Label);
    return true;
}

bool TNovelGame::MessageFrameCommand(TFields& fields, const std::string&) {
    const bool hide = fields.size() > 1 && IsOneOf(fields[1], {"なし", "消", "消去"});
    if (hide) {
        MessageFrame_->SetVisible(false);
        Message_->SetVisible(false);
    } else if (!Hidden) {
        MessageFrame_->SetVisible(true);
        Message_->SetVisible(true);
    }
    return true;
}

bool TNovelGame::FontCommand(TFields& fields, const std::string&) {
    PadFields(fields, 4);
    if (fields[1] == "リセット") {
        ApplyFont(InitialProperty);
        return false;
    }
    if (!fields[1].empty() && fields[1] != "." && fields[1] != CurrentProperty.FontName) {
        CurrentProperty.FontName = fields[1];
        Message_->Surface().Font.Name = ShownFont(fields[1]);
    }
    const int size = ToNumber(fields[2], InitialProperty.FontSize);
    if (size != CurrentProperty.FontSize) {
        CurrentProperty.FontSize = size;
        Message_->Surface().Font.Height = size;
    }
    const int lineHeight = ToNumber(fields[3], InitialProperty.LineHeight);
    if (lineHeight != CurrentProperty.LineHeight) {
        CurrentProperty.LineHeight = lineHeight;
        Message_->LineHeight = lineHeight;
    }
    return false;
}

bool TNovelGame::InitialValueCommand(TFields& fields, const std::string&) {
    fields.resize(fields.size() + 3);
    if (fields.size() < 5) return true;
    const std::string& setting = fields[1];
    bool copyToCurrent = false;
    if (setting == "文章枠") {
        const std::string picture = WithExtension(fields[2], ".png");
        TLayerItem* frame = Layers.AddImage(Services_.Pictures, picture, ToNumber(fields[3], 0), ToNumber(fields[4], 0),
                                            100, kAnchorTopLeft);
        // A frame picture that cannot be loaded keeps the old frame, so the message
        // window goes on working.
        if (frame) {
            Layers.Remove(*MessageFrame_);
            MessageFrame_ = frame;
        }
        if (!fields[5].empty()) {
            PadFields(fields, 9);
            Message_->MarginLeft = ToNumber(fields[5], 0);
            Message_->MarginTop = ToNumber(fields[6], 0);
            Message_->MarginRight = ToNumber(fields[7], 0);
            Message_->MarginBottom = ToNumber(fields[8], 0);
            Message_->Clear();
        }
        LayOutMessageWindow();
    } else if (setting == "選択枠") {
        DefaultChoiceFrameSetting(fields);
    } else if (setting == "背景フェード") {
        InitialProperty.BgFade = ToNumber(fields[2], InitialProperty.BgFade);
        copyToCurrent = true;
    } else if (setting == "立絵フェード") {
        InitialProperty.StandFade = ToNumber(fields[2], InitialProperty.StandFade);
        copyToCurrent = true;
    } else if (setting == "顔絵フェード") {
        InitialProperty.FaceFade = ToNumber(fields[2], InitialProperty.FaceFade);
        copyToCurrent = true;
    } else if (setting == "フォント") {
        InitialProperty.FontName = fields[2];
        InitialProperty.FontSize = ToNumber(fields[3], InitialProperty.FontSize);
        InitialProperty.LineHeight = ToNumber(fields[4], InitialProperty.LineHeight);
        ApplyFont(InitialProperty);
        copyToCurrent = true;
    } else if (setting == "音量") {
        const int channel = ToNumber(fields[2], 0);
        // Only the sixteen channels that keep a voice volume; anything else is ignored.
        if (channel >= 0 && channel < static_cast<int>(VoiceVolume.size())) {
            VoiceVolume[static_cast<std::size_t>(channel)] = ToNumber(fields[3], 100);
        }
    } else if (setting == "声チャンネル") {
        const std::string key = AsciiLower(fields[2]);
        // Numbered from 1 for the first voice channel, up to the one without a menu entry.
        const int n = ToNumber(fields[3], 0);
        if (!key.empty() && n >= 1 && n <= SoundChannel::ExtraVoice - SoundChannel::FirstVoice + 1) {
            const int channel = SoundChannel::FirstVoice + n - 1;
            auto existing = std::find_if(VoiceChannels_.begin(), VoiceChannels_.end(),
                                         [&](const auto& entry) { return entry.first == key; });
            if (existing != VoiceChannels_.end()) {
                existing->second = channel;
            } else {
                VoiceChannels_.emplace_back(key, channel);
            }
        }
    } else if (setting == "差分効果音") {
        const std::string letter = AsciiLower(fields[2]);
        if (letter.size() == 1 && ((letter[0] >= 'a' && letter[0] <= 'g') || (letter[0] >= 'x' && letter[0] <= 'z'))) {
            VariantSounds_[static_cast<std::size_t>(letter[0] - 'a')] = AsciiLower(fields[3]);
        }
    } else if (setting == "選択音") {
        ClickSound_ = AsciiLower(fields[2]);
        HoverSound_ = AsciiLower(fields[3]);
    } else if (setting == "クリック待ち記号") {
        PageEndMark_.Set(Services_.Pictures, fields);
    }
    if (copyToCurrent) CurrentProperty = InitialProperty;
    return true;
}

bool TNovelGame::ResourceCommand(TFields& fields) {
    fields[0] = AsciiLower(fields[0]);
    const std::string name = ResourceFileName(fields[0]);
    const std::string_view extension = Extension(name);
    if (extension == ".png" || extension == ".jpg" || extension == ".jpeg") {
        bool loadedNow = false;
        if (TLayerItem* layer = FindOrLoadPicture(name, loadedNow)) return PictureCommand(*layer, loadedNow, fields);
        if (OnCommand) OnCommand(fields);
        return false;
    }
    if (extension == ".ogg") {
        PlaySound(fields, name);
        return true;
    }
    return false;
}

void TNovelGame::PlaySound(const TFields& fields, const std::string& name) {
    const bool loop = fields.size() > 1 && fields[1] == "ループ";
    if (StartsWith(name, "bgm")) {
        TOggData& music = Services_.Sound.Channel(SoundChannel::Music);
        if (music.Name() == name && !music.Playing()) music.Rewind();
        music.Open(name);
        music.Play(true);
        return;
    }
    if (StartsWith(name, "cv")) {
        int channel = SoundChannel::LastVoice;  // "other voices", unless the script assigned one
        for (const auto& [key, mapped] : VoiceChannels_) {
            if (name.find(key) != std::string::npos) {
                channel = mapped;
                break;
            }
        }
        TOggData& voice = Services_.Sound.Channel(channel);
        voice.Open(name);
        Store_.SetPageVoice(name, channel);
        if (Skipping() && !loop) {
            voice.Stop();
            return;
        }
        // The script's voice volume scales the voice through the channel's fade level:
        // the channel volume itself is the player's choice from the volume menu and is
        // saved with the settings, so a voice must not overwrite it.
        voice.FadeTo(std::clamp(VoiceVolume[static_cast<std::size_t>(channel)], 0, 100), 0);
        voice.Play(loop);
        return;
    }
    TOggData& effect = Services_.Sound.Channel(loop ? SoundChannel::SceneLoop : SoundChannel::SceneEffect);
    effect.Open(name);
    effect.Play(loop);
}

void TNovelGame::StopVoices() {
    for (int channel = SoundChannel::FirstVoice; channel <= SoundChannel::ExtraVoice; ++channel) {
        TOggData& voice = Services_.Sound.Channel(channel);
        if (!voice.Loop()) voice.Stop();
    }
}

void TNovelGame::FadeSounds(int first, int last, int ms) {
    for (int channel = first; channel <= last; ++channel) Services_.Sound.Channel(channel).FadeTo(0, ms);
}

void TNovelGame::PlayEffect(const std::string& name) {
    if (name.empty()) return;
    for (int channel = SoundChannel::LastInterface; channel >= SoundChannel::FirstInterface; --channel) {
        TOggData& sound = Services_.Sound.Channel(channel);
        if (sound.Name() == name) {
            sound.Play(false);
            return;
        }
    }
    // A channel keeps its file after playing: six different sounds at the most.
    for (int channel = SoundChannel::FirstInterface; channel <= SoundChannel::LastInterface; ++channel) {
        TOggData& sound = Services_.Sound.Channel(channel);
        if (sound.Name().empty()) {
            sound.Open(name);
            sound.Play(false);
            return;
        }
    }
}

}  // namespace vandor
