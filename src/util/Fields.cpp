#include "util/Fields.h"

#include <algorithm>

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

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace vandor
