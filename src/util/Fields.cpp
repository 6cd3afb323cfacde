#include "util/Fields.h"

#include <charconv>

namespace vandor {

TFields SplitFields(std::string_view command) {
    TFields fields;
    auto trim = [](std::string_view field) {
        while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
        while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
        return std::string(field);
    };
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = command.find('/', start);
        if (slash == std::string_view::npos) {
            if (start < command.size() || fields.empty()) fields.push_back(trim(command.substr(start)));
            break;
        }
        fields.push_back(trim(command.substr(start, slash - start)));
        start = slash + 1;
    }
    return fields;
}

void PadFields(TFields& fields, std::size_t count) {
    if (fields.size() < count) fields.resize(count);
}

bool IsNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

int32_t ToNumber(std::string_view text, int32_t fallback) {
    if (!IsNumber(text)) return fallback;
    if (text.front() == '+') text.remove_prefix(1);
    int32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace vandor
