#pragma once

// A small scanner for the receiver's tuning lists (satellites.xml,
// terrestrial.xml). Those files are flat: a root element holding elements
// with attributes and empty child elements, no text content that matters.
// The scanner therefore yields tags only, with their attributes decoded to
// UTF-8 (entities resolved, Latin-1 files converted), and skips what it
// cannot read instead of giving up on the whole file.

#include <string>
#include <string_view>
#include <vector>


struct XmlAttribute {
    std::string name;
    std::string value; // decoded: UTF-8, entities resolved

    bool operator==(const XmlAttribute&) const = default;
};

struct XmlTag {
    enum Kind { Start, End, Empty };
    Kind kind = Start;
    std::string name;
    std::vector<XmlAttribute> attributes; // in file order

    // First attribute of that name, or nullptr.
    const std::string* Find(std::string_view attrName) const;
};

class XmlScanner {
public:
    // The text must outlive the scanner.
    explicit XmlScanner(std::string_view text);

    // Moves to the next element tag; false at the end of the text.
    // Declarations, comments and document types are passed over.
    bool Next(XmlTag& tag);

    // True once something malformed was passed over (a tag that never
    // closes, an attribute without a quoted value, a stray "<").
    bool HadErrors() const { return errors_; }

    // True when the declaration names ISO-8859-1 (or Latin-1): bytes above
    // 0x7F are then single characters and are converted to UTF-8.
    bool Latin1() const { return latin1_; }

private:
    bool ParseTag(XmlTag& tag);
    bool ParseAttributes(XmlTag& tag, bool declaration);
    void SkipTo(std::string_view terminator);
    void SkipBrokenTag();
    std::string Decode(std::string_view raw) const;

    std::string_view text_;
    size_t pos_ = 0;
    bool errors_ = false;
    bool latin1_ = false;
};

// Escapes &, <, > and " for an attribute value written in double quotes.
std::string XmlEscape(std::string_view text);

// Resolves the predefined entities and numeric character references; an
// unknown or malformed reference stays as it stands.
std::string XmlUnescape(std::string_view text);

// Byte-wise ISO-8859-1 to UTF-8.
std::string Latin1ToUtf8(std::string_view text);

// UTF-8 to ISO-8859-1 for a file that declares that encoding; a character
// beyond Latin-1 becomes a numeric character reference so nothing is lost.
// Bytes that are not valid UTF-8 are copied unchanged.
std::string Utf8ToLatin1Xml(std::string_view text);

// True when the text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

