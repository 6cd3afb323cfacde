#pragma once
// The text the message window holds on its current page, as the tests of the story
// engine and of the window read it.

#include <string>

#include "text/NGText.h"

namespace vandor::test {

inline std::string PageText(TNGText& store) {
    std::string text;
    for (int i = 0; i < store.Count(); ++i) {
        if (store.Item(i).Page == store.PageCount() - 1) text += store.Item(i).Text;
    }
    return text;
}

}  // namespace vandor::test
