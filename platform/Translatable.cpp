#include "platform/Translatable.h"

#include <limits>

namespace cf {

std::optional<std::string> TTranslatable::TextProperty(const std::string&) const
{
    return std::nullopt;
}

bool TTranslatable::SetTextProperty(const std::string&, const std::string&)
{
    return false;
}

std::unique_ptr<TTextLines> TTranslatable::LinesProperty(const std::string&)
{
    return nullptr;
}

TTranslatable* TTranslatable::ObjectProperty(const std::string&)
{
    return nullptr;
}

TTranslatable* TTranslatable::CollectionItem(const std::string&, int)
{
    return nullptr;
}

namespace {

std::optional<int> ParseIndex(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<TPathElement> ParseElement(std::string_view text)
{
    TPathElement e;
    const std::size_t open = text.find_first_of("<(");
    if (open == std::string_view::npos) {
        e.Name = std::string(text);
        return e.Name.empty() ? std::nullopt : std::optional(e);
    }
    const char close = text[open] == '<' ? '>' : ')';
    if (open == 0 || text.back() != close || text.size() < open + 2)
        return std::nullopt;
    const auto index = ParseIndex(text.substr(open + 1, text.size() - open - 2));
    if (!index)
        return std::nullopt;
    e.Name = std::string(text.substr(0, open));
    e.Kind = close == '>' ? TPathElement::Item : TPathElement::Line;
    e.Index = *index;
    return e;
}

} // namespace

std::optional<std::vector<TPathElement>> ParsePropertyPath(std::string_view path)
{
    std::vector<TPathElement> elements;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = path.find('.', start);
        const std::string_view part = path.substr(start, dot == std::string_view::npos ? path.npos : dot - start);
        auto e = ParseElement(part);
        if (!e)
            return std::nullopt;
        elements.push_back(std::move(*e));
        if (dot == std::string_view::npos)
            break;
        start = dot + 1;
    }
    for (std::size_t i = 0; i + 1 < elements.size(); ++i)
        if (elements[i].Kind == TPathElement::Line)
            return std::nullopt;
    return elements;
}

bool ApplyTranslation(TTranslatable& root, const std::vector<TPathElement>& path, const std::string& text)
{
    TTranslatable* current = &root;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const TPathElement& e = path[i];
        const bool last = i + 1 == path.size();
        switch (e.Kind) {
        case TPathElement::Line: {
            const std::unique_ptr<TTextLines> lines = current->LinesProperty(e.Name);
            if (!lines || e.Index >= lines->Count())
                return false;
            if (lines->Line(e.Index) == text)
                return false;
            lines->SetLine(e.Index, text);
            return true;
        }
        case TPathElement::Item:
            // An item is an object, never a text of its own.
            if (last)
                return false;
            current = current->CollectionItem(e.Name, e.Index);
            break;
        case TPathElement::Plain:
            if (last) {
                const std::optional<std::string> now = current->TextProperty(e.Name);
                if (!now || *now == text)
                    return false;
                return current->SetTextProperty(e.Name, text);
            }
            current = current->ObjectProperty(e.Name);
            break;
        }
        if (!current)
            return false;
    }
    return false;
}

} // namespace cf
