#pragma once
// The history of the message window: every line it showed, page by page, with where
// it stood, so that the backlog can draw it again as one long scroll. When full, the
// oldest page is dropped and the rest renumbered so the oldest kept page is 0 at 0.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace vandor {

struct TNGTListItem {
    int32_t Page = 0;
    int32_t X = 0;
    int32_t Y = 0;       // relative to the first line of its page
    int32_t Offset = 0;  // where its page starts in the backlog's scroll space
    int32_t Height = 0;
    std::string Text;
    // The voice heard with this line's page, and the channel it played on; every line
    // of a page carries it, so that it survives whichever lines are dropped.
    std::string Voice;
    int VoiceChannel = -1;
};

class TNGText {
public:
    static constexpr int32_t kPageGap = 20;

    explicit TNGText(int32_t capacity);

    void AddPage(int32_t x, int32_t y, int32_t height);
    void AddLine(int32_t x, int32_t y, int32_t height);
    void Append(std::string_view text);
    // Gives the last page (the one being written) this voice.
    void SetPageVoice(const std::string& voice, int channel);
    void Clear();

    int32_t Count() const { return static_cast<int32_t>(Items_.size()); }
    const TNGTListItem& Item(int32_t index) const { return Items_.at(static_cast<std::size_t>(index)); }
    TNGTListItem& Item(int32_t index) { return Items_.at(static_cast<std::size_t>(index)); }
    int32_t Capacity() const { return Capacity_; }
    int32_t PageCount() const { return PageCount_; }

private:
    void Add(int32_t x, int32_t y, int32_t height, bool newPage);
    void Trim();

    int32_t Capacity_;
    int32_t PageCount_ = 0;
    std::deque<TNGTListItem> Items_;
};

}  // namespace vandor
