#pragma once
// Names an author probably meant when a file is missing: the same name under another
// extension ("bg01.jpg" for "bg01.png"), or a name one character away ("bg0l.png").

#include <string>
#include <vector>

namespace vandor {

// The near names among `known` (lower-case names, sorted), at most three.
std::vector<std::string> NearNames(const std::string& missing, const std::vector<std::string>& known);

// " (did you mean "a" or "b"?)", or empty when there is no near name.
std::string DidYouMean(const std::vector<std::string>& near);

}  // namespace vandor
