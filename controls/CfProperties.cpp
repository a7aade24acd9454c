#include "controls/CfProperties.h"

#include "controls/CfEdit.h"

#include <QString>

namespace cf {

namespace {

template <class T>
std::function<bool(QObject*)> Is()
{
    return [](QObject* o) { return dynamic_cast<T*>(o) != nullptr; };
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string s;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            s += '\n';
        s += lines[i];
    }
    return s;
}

std::vector<std::string> SplitLines(const std::string& s)
{
    std::vector<std::string> out;
    if (s.empty())
        return out;
    size_t start = 0;
    while (true) {
        size_t p = s.find('\n', start);
        std::string line = s.substr(start, p == std::string::npos ? std::string::npos : p - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
        if (p == std::string::npos)
            break;
        start = p + 1;
    }
    return out;
}

std::vector<TPropertyEntry>& Table()
{
    static std::vector<TPropertyEntry> table = [] {
        std::vector<TPropertyEntry> t;
        t.push_back({"Caption", Is<TControl>(),
                     [](QObject* o) { return static_cast<TControl*>(o)->Caption(); },
                     [](QObject* o, const std::string& v) { static_cast<TControl*>(o)->SetCaption(v); }});
        t.push_back({"Hint", Is<TControl>(), [](QObject* o) { return static_cast<TControl*>(o)->Hint; },
                     [](QObject* o, const std::string& v) { static_cast<TControl*>(o)->Hint = v; }});
        t.push_back({"Text", Is<TCfCustomEdit>(),
                     [](QObject* o) { return static_cast<TCfCustomEdit*>(o)->Text(); },
                     [](QObject* o, const std::string& v) { static_cast<TCfCustomEdit*>(o)->SetText(v); }});
        t.push_back({"TextBefore", Is<TCfCustomNumberEdit>(),
                     [](QObject* o) { return static_cast<TCfCustomNumberEdit*>(o)->TextBefore(); },
                     [](QObject* o, const std::string& v) { static_cast<TCfCustomNumberEdit*>(o)->SetTextBefore(v); }});
        t.push_back({"TextAfter", Is<TCfCustomNumberEdit>(),
                     [](QObject* o) { return static_cast<TCfCustomNumberEdit*>(o)->TextAfter(); },
                     [](QObject* o, const std::string& v) { static_cast<TCfCustomNumberEdit*>(o)->SetTextAfter(v); }});
        t.push_back({"NullText", Is<TCfCustomNumberEdit>(),
                     [](QObject* o) { return static_cast<TCfCustomNumberEdit*>(o)->NullText(); },
                     [](QObject* o, const std::string& v) { static_cast<TCfCustomNumberEdit*>(o)->SetNullText(v); }});
        t.push_back({"Items", Is<TCfComboBox>(),
                     [](QObject* o) { return JoinLines(static_cast<TCfComboBox*>(o)->Items()); },
                     [](QObject* o, const std::string& v) {
                         auto* c = static_cast<TCfComboBox*>(o);
                         int index = c->ItemIndex();
                         c->SetItems(SplitLines(v));
                         // A translated list keeps the chosen entry and shows it in the new language.
                         c->SetItemIndex(index);
                     }});
        return t;
    }();
    return table;
}

const TPropertyEntry* Find(QObject* object, const std::string& name)
{
    if (!object)
        return nullptr;
    QString n = QString::fromStdString(name);
    const auto& t = Table();
    for (auto it = t.rbegin(); it != t.rend(); ++it)
        if (QString::fromStdString(it->Name).compare(n, Qt::CaseInsensitive) == 0 && it->Applies(object))
            return &*it;
    return nullptr;
}

} // namespace

void RegisterProperty(TPropertyEntry entry)
{
    Table().push_back(std::move(entry));
}

std::optional<std::string> GetPropertyByName(QObject* object, const std::string& name)
{
    if (const TPropertyEntry* e = Find(object, name))
        return e->Get(object);
    return std::nullopt;
}

bool SetPropertyByName(QObject* object, const std::string& name, const std::string& value)
{
    const TPropertyEntry* e = Find(object, name);
    if (!e)
        return false;
    e->Set(object, value);
    return true;
}

std::vector<std::string> PropertyNames(QObject* object)
{
    std::vector<std::string> names;
    for (const auto& e : Table())
        if (e.Applies(object) && std::find(names.begin(), names.end(), e.Name) == names.end())
            names.push_back(e.Name);
    return names;
}

} // namespace cf
