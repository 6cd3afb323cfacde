#include "scenario/ScriptFields.h"

#include "util/Encoding.h"

namespace vandor {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view Extension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string WithExtension(std::string name, std::string_view extension) {
    if (Extension(name).empty()) name += extension;
    return name;
}

std::string ResourceFileName(const std::string& word) {
    const bool sound = StartsWith(word, "bgm") || StartsWith(word, "se") || StartsWith(word, "cv");
    return WithExtension(word, sound ? ".ogg" : ".png");
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

std::string VariantBase(const std::string& field) {
    std::string base = AsciiLower(field);
    if (IsDigit(base.front())) base = "td" + base;
    base.resize(base.size() - Extension(base).size());
    if (!base.empty() && !IsDigit(base.back())) base.resize(CodePointPrefixBytes(base, CodePointCount(base) - 1));
    return base;
}

std::string VariantSound(const std::string& name) {
    if (name.empty() || name == ".") return {};
    return WithExtension(name, ".ogg");
}

}  // namespace vandor
