#include "text/NGText.h"

#include <algorithm>

namespace vandor {

TNGText::TNGText(int32_t capacity) : Capacity_(std::clamp(capacity, 20, 8192)) {}

void TNGText::AddPage(int32_t x, int32_t y, int32_t height) { Add(x, y, height, true); }

void TNGText::AddLine(int32_t x, int32_t y, int32_t height) { Add(x, y, height, false); }

void TNGText::Add(int32_t x, int32_t y, int32_t height, bool newPage) {
    if (Count() >= Capacity_) Trim();
    TNGTListItem line{0, x, y, 0, height, {}, {}, -1};
    if (!newPage && !Items_.empty()) {
        line.Voice = Items_.back().Voice;
        line.VoiceChannel = Items_.back().VoiceChannel;
    }
    if (Items_.empty()) {
        ++PageCount_;
        line.Offset = 0;
    } else {
        // An empty last line is replaced rather than kept: nothing was written on it.
        if (Items_.back().Text.empty() && Items_.size() > 1) Items_.pop_back();
        const TNGTListItem& last = Items_.back();
        if (newPage) {
            ++PageCount_;
            line.Offset = last.Offset + last.Y + last.Height + kPageGap;
        } else {
            line.Offset = last.Offset;
        }
    }
    line.Page = PageCount_ - 1;
    Items_.push_back(std::move(line));
}

void TNGText::Trim() {
    for (TNGTListItem& line : Items_) --line.Page;
    --PageCount_;
    while (!Items_.empty() && Items_.front().Page < 0) Items_.pop_front();
    if (Items_.empty()) return;
    const int32_t shift = Items_.front().Offset;
    if (shift > 0) {
        for (TNGTListItem& line : Items_) line.Offset -= shift;
    }
}

void TNGText::Append(std::string_view text) {
    if (!Items_.empty()) Items_.back().Text.append(text);
}

void TNGText::SetPageVoice(const std::string& voice, int channel) {
    for (auto line = Items_.rbegin(); line != Items_.rend() && line->Page == PageCount_ - 1; ++line) {
        line->Voice = voice;
        line->VoiceChannel = channel;
    }
}

void TNGText::Clear() {
    Items_.clear();
    PageCount_ = 0;
}

}  // namespace vandor
