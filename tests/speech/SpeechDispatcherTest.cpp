// The speech-dispatcher seam against the tests' own SSIP server: the texts, their
// language and priority, and the stops arrive as libspeechd sends them; a missing
// service is told, not fatal.

#include <gmock/gmock.h>

#include "RecordingSpeechServer.h"
#include "TempFolder.h"
#include "speech/SpeechDispatcher.h"

namespace vandor {
namespace {

using ::testing::ElementsAre;

TEST(SpeechDispatcher, SaysEachTextInItsLanguageAndPriorityAndStops) {
    test::TTempFolder folder;
    test::TRecordingSpeechServer server(folder.Folder() + "speechd.sock");
    std::string why;
    auto speech = TSpeechDispatcher::Connect("vandor", why);
    ASSERT_NE(speech, nullptr) << why;
    speech->Say("こんにちは", "ja", TSpeechPriority::Text);
    speech->Say("Hello", "en", TSpeechPriority::Message);
    speech->Stop();
    speech->Say("二行の\n.頁", "ja", TSpeechPriority::Important);
    speech->Say("", "ja", TSpeechPriority::Important);
    speech.reset();
    EXPECT_THAT(server.Record(), ElementsAre("say ja text: こんにちは", "say en message: Hello", "stop",
                                             "say ja important: 二行の\n.頁"));
}

TEST(SpeechDispatcher, NoServiceIsToldWithAReason) {
    test::TTempFolder folder;
    setenv("SPEECHD_ADDRESS", ("unix_socket:" + folder.Folder() + "nobody.sock").c_str(), 1);
    std::string why;
    EXPECT_EQ(TSpeechDispatcher::Connect("vandor", why), nullptr);
    unsetenv("SPEECHD_ADDRESS");
    EXPECT_NE(why.find("speech-dispatcher"), std::string::npos) << why;
}

}  // namespace
}  // namespace vandor
