#pragma once
// What each of the mixer's numbered channels is for. A sound's channel says what it
// is: the volume menu, the settings file and the scripts all address the channels by
// these roles.

namespace vandor::SoundChannel {

inline constexpr int Music = 0;         // the music loop
inline constexpr int SceneLoop = 1;     // looping effects of scenes
inline constexpr int SceneEffect = 2;   // one-shot effects of scenes; the interface sounds follow its volume
inline constexpr int BattleEffect = 3;  // effects of the battle
inline constexpr int FirstEffect = 1;   // channels 1..3: the effect volume's channels besides the interface
inline constexpr int LastEffect = 3;
inline constexpr int FirstVoice = 4;       // voices with a volume menu entry: 4..14
inline constexpr int LastVoice = 14;       // the last entry, "other voices", also takes unassigned voices
inline constexpr int ExtraVoice = 15;      // a further voice channel without entry
inline constexpr int FirstInterface = 16;  // interface sounds of choices and buttons: 16..21
inline constexpr int LastInterface = 21;
inline constexpr int LastBattleInterface = 20;  // the battle preloads its effects on 16..20
inline constexpr int Count = 22;
inline constexpr int StoredVolumes = 16;  // channels 0..15 keep a volume of their own

}  // namespace vandor::SoundChannel
