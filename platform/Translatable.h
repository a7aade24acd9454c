#pragma once

// The texts of a component that a language module may rewrite, addressed
// the way the module's keys name them: a property path from the component,
// "Caption", "Lines(3)" (line 3 of a string list), "Columns<2>.Header.Caption"
// (item 2 of a collection, then a property of it). Each class names its own
// translatable properties by overriding the lookups; names compare without
// regard to case, as the class library's property names do.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cf {

// A string-list property, line by line.
class TTextLines {
public:
    virtual ~TTextLines() = default;
    virtual int Count() const = 0;
    virtual std::string Line(int index) const = 0;
    virtual void SetLine(int index, const std::string& text) = 0;
};

// Lines kept in a vector of the owner (combo box items and the like).
class TVectorLines : public TTextLines {
public:
    explicit TVectorLines(std::vector<std::string>& lines) : lines_(lines) {}
    int Count() const override { return static_cast<int>(lines_.size()); }
    std::string Line(int index) const override { return lines_[static_cast<std::size_t>(index)]; }
    void SetLine(int index, const std::string& text) override { lines_[static_cast<std::size_t>(index)] = text; }

private:
    std::vector<std::string>& lines_;
};

class TTranslatable {
public:
    virtual ~TTranslatable() = default;
    // The string property `name`; nullopt when the class has none.
    virtual std::optional<std::string> TextProperty(const std::string& name) const;
    // Writes it; false when there is no such writable string property.
    virtual bool SetTextProperty(const std::string& name, const std::string& value);
    // A string-list property; nullptr when none.
    virtual std::unique_ptr<TTextLines> LinesProperty(const std::string& name);
    // The object of a class-typed property; nullptr when none.
    virtual TTranslatable* ObjectProperty(const std::string& name);
    // Item `index` of a collection property; nullptr when there is no such
    // collection or item.
    virtual TTranslatable* CollectionItem(const std::string& name, int index);
};

struct TPathElement {
    enum TKind { Plain, Item, Line };
    std::string Name;
    TKind Kind = Plain;
    int Index = 0;
};

// Splits a property path at "."; nullopt when it is malformed: an empty
// element, a suffix that is not a whole decimal number from 0 up to
// 2147483647, or a line suffix before the last element.
std::optional<std::vector<TPathElement>> ParsePropertyPath(std::string_view path);

// Sets the text the path names, when the path leads to a string property or
// an existing line and the text differs. Returns true when something changed.
bool ApplyTranslation(TTranslatable& root, const std::vector<TPathElement>& path, const std::string& text);

} // namespace cf
