#include "BattleFixture.h"
#include "battle/LayerArrow.h"
#include "sound/OggTone.h"

namespace vandor::test {
namespace {

// Every layer of the battle gets its picture, as in a complete title.
void WritePictures(const TTempFolder& folder) {
    for (const char* name :
         {"bgi戦闘.png", "城.png", "城壁.png", "frm戦場.png", "frm耐久ゲージ.png", "frmメニュー.png", "fi戦場01.png",
          "btnヴァンドル国革命軍.png", "btn戦闘開始.png", "btn高速モード.png", "btn一時停止.png", "btn汎用.png"}) {
        SavePicture(folder / name, 192, 96);
    }
    SavePicture(folder / "地面.png", 384, 17);
    for (int t = 1; t <= 8; ++t) SavePicture(folder / ("btn塔" + std::to_string(t) + ".png"), 48, 144);
}

class BattlePicturesTest : public BattleTest {
protected:
    BattlePicturesTest() : BattleTest(&WritePictures) {}
};

// While a voice plays, a running wave stands still, yet the frame is still composed.
TEST_F(BattlePicturesTest, AVoiceHoldsARunningWaveButTheFrameStillRenders) {
    Picture("敵ユニット01.png", 30, 80);
    Picture("塔2.png", 32, 48);
    const TBytes voice = MakeToneOgg(1, 300);
    Write("voice.ogg", std::string(voice.begin(), voice.end()));

    Dat.SetHeroinePresent(1, false);  // no cut-in at the start
    Load(1, EnemyLines(0, 0, 7, 1000000, 50));
    Game.Build(0, 5, 2);
    Begin();
    RunTo(1);
    ASSERT_EQ(Game.ProjectileCount(), 1);
    Sound.Channel(4).Open("voice.ogg");
    Sound.Channel(4).Play(false);
    Game.VoiceChannel = 4;

    const TQTDGame::TProjectile shot = Game.Projectile(0);
    const int age = shot.Layer->Age;
    const int enemyX = Game.Enemy(0).FX;
    EXPECT_TRUE(Game.Update(20));  // a flying shot redraws every frame
    EXPECT_EQ(Game.Ticks, 1);
    EXPECT_EQ(Game.Enemy(0).FX, enemyX);
    EXPECT_EQ(Game.Projectile(0).Pos.Z, shot.Pos.Z);
    EXPECT_EQ(shot.Layer->Age, age);

    Game.RemoveProjectiles();
    Frames(40);  // the area title's fade ends
    EXPECT_FALSE(Game.Update(20));
    Game.StartButton->SetVisible(true);
    EXPECT_TRUE(Game.Update(20));
    EXPECT_EQ(Game.Ticks, 1);
    EXPECT_EQ(Game.VoiceChannel, 4);
}

}  // namespace
}  // namespace vandor::test
