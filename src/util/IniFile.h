#pragma once
// A settings file of sections in brackets and key=value lines, read and written the
// way the Windows profile functions treat one: section and key names compare without
// regard to ASCII case, whitespace around names and values is dropped, the first of
// duplicate sections or keys wins, and everything the program does not know about
// (comments, other sections, other keys) is written back unchanged in its place.
//
// The file is read once on construction and written as a whole by Save: CP932 with
// CR LF, through a temporary file renamed over the old one, so an interrupted save
// never leaves half a file behind.

#include <string>
#include <string_view>
#include <vector>

namespace vandor {

class TIniFile {
public:
    // An empty file that Save would write to `fileName`.
    TIniFile() = default;
    // Reads `fileName`; a missing or unreadable file reads as an empty one.
    explicit TIniFile(std::string fileName);

    // Replaces the contents with those of the file's bytes (any encoding DecodeText
    // accepts; any bytes at all are safe).
    void Parse(std::string_view bytes);

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue = {}) const;
    // Decimal, or hexadecimal after "$" or "0x"; anything else, and numbers outside
    // 32 bits, give the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Any integer other than 0 is true.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    // Line breaks inside a value would split it into lines of their own, so they are
    // written as spaces.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The whole file as it would be saved, UTF-8 with CR LF.
    std::string Text() const;
    // Writes the file; false when it could not be written (the old file then stays).
    bool Save() const;

    const std::string& FileName() const { return FileName_; }

private:
    struct TLine {
        std::string Text;   // the line as read, or as rebuilt after a write
        std::string Key;    // empty unless this is a key=value line
        std::string Value;  // trimmed value of a key=value line
    };
    struct TSection {
        std::string Name;  // empty for the lines before the first section
        bool HasHeader = false;
        std::string Header;        // the header line as read
        std::vector<TLine> Lines;  // the lines after the header
    };

    const TSection* FindSection(std::string_view name) const;
    TSection* FindSection(std::string_view name);
    // TLine* or const TLine* after the constness of `section`.
    template <class Section>
    static auto FindKey(Section& section, std::string_view key) -> decltype(&section.Lines.front());

    std::string FileName_;
    std::vector<TSection> Sections_;
};

}  // namespace vandor
