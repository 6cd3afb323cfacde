#include "scenario/ScriptFields.h"

namespace vandor {

std::string_view Extension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

TScriptTarget ReadTarget(const std::string& first, const std::string& second, bool two) {
    TScriptTarget target;
    if (!two) {
        (StartsWith(first, "*") ? target.Label : target.Script) = first;
        return target;
    }
    if (StartsWith(first, "*")) {
        target.Label = first;
        target.Script = second;
    } else {
        target.Script = first;
        target.Label = second;
    }
    return target;
}

}  // namespace vandor
