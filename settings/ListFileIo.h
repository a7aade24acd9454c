#pragma once

// Reading and writing the receiver's list files (providers, bouquet lists
// and files, lock lists, XML lists).

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <string_view>
#include <vector>

// The whole file; throws EInOutError when it cannot be read.
std::string ReadListFile(const std::string& path);

// Splits a text into lines; accepts LF and CR LF ends (and a last line
// without an end). A line's CR before its LF is removed.
std::vector<std::string_view> SplitListLines(std::string_view text);

// The path of the file `name` in `dir`, found whatever the case of its
// letters (receivers do not care about case, Linux does). An exact match
// wins; otherwise the first match in name order. Empty when there is none.
std::string FindFileNoCase(const std::string& dir, const std::string& name);

// As FindFileNoCase, but dir + "/" + name when there is none, so that the
// error of a read names the file the user would look for.
std::string PathInFolder(const std::string& dir, const std::string& name);

// The file names of one folder by their lower-cased form, for many lookups
// in a row (a bouquet list naming a hundred files).
class TFolderNames {
public:
    explicit TFolderNames(const std::string& dir);
    // As FindFileNoCase, from the listing taken at construction.
    std::string Find(const std::string& name) const;

private:
    std::string dir_;
    std::unordered_map<std::string, std::string> names_; // lower-cased -> first in name order
    std::unordered_set<std::string> exact_;
};
