#pragma once

// The stored properties of one component, as a form keeps them: names with
// values in the order written, turned into text and read back from it.
//
//   Host = '127.0.0.1'
//   Port = 3307
//   LoginPrompt = True
//   DriverKind = dtLibrary
//   Options = [coInteractive, coTransactions]
//   SQL.Strings = (
//     'select *'
//     'from t')

#include <cstdint>
#include <string>
#include <vector>

struct TStoredProperty {
    enum Kind { Boolean, Integer, Text, Lines, Ident, Set };
    std::string Name;
    Kind Type = Text;
    bool Flag = false;
    int64_t Number = 0;
    std::string String;             // Text and Ident
    std::vector<std::string> Items; // Lines and Set
    bool operator==(const TStoredProperty&) const = default;
};

class TPropertyStream {
public:
    void WriteBoolean(const std::string& name, bool value);
    void WriteInteger(const std::string& name, int64_t value);
    void WriteString(const std::string& name, const std::string& value);
    void WriteLines(const std::string& name, const std::vector<std::string>& lines);
    void WriteIdent(const std::string& name, const std::string& ident);
    void WriteSet(const std::string& name, const std::vector<std::string>& members);

    const std::vector<TStoredProperty>& Properties() const { return props_; }
    const TStoredProperty* Find(const std::string& name) const;
    bool operator==(const TPropertyStream&) const = default;

    std::string Text() const;
    // Raises EDatabaseError naming the line of a damaged text.
    static TPropertyStream Parse(const std::string& text);

private:
    std::vector<TStoredProperty> props_;
};

// A text split into lines at CR LF or LF; the last line break ends the
// last line rather than starting an empty one.
std::vector<std::string> SplitStoredLines(const std::string& text);
