#pragma once

// Properties the application sets by name at run time (captions, texts,
// item lists), for the run-time translation: a small table of named text
// properties per control class. Names match case-insensitively; item lists
// travel as lines separated by line feeds.

#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cf {

struct TPropertyEntry {
    std::string Name;
    // Whether the entry applies to the object (a class test).
    std::function<bool(QObject*)> Applies;
    std::function<std::string(QObject*)> Get;
    std::function<void(QObject*, const std::string&)> Set;
};

// Registers a property (later registrations of a name win for the classes they cover).
void RegisterProperty(TPropertyEntry entry);
// Reads or writes a named text property; nullopt / false when the object has none.
std::optional<std::string> GetPropertyByName(QObject* object, const std::string& name);
bool SetPropertyByName(QObject* object, const std::string& name, const std::string& value);
// Names of the properties an object offers.
std::vector<std::string> PropertyNames(QObject* object);

} // namespace cf
