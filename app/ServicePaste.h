#pragma once

// Copying services and entries into lines, and pasting lines back into the
// model: the work behind the clipboard commands, the .CBU exchange files
// and the drops, without any window.
//
// A paste matches each service line against the services already there.
// Within one running copy the line names its very service (by number, even
// where two services share a key) and, for entries, the entry's own name;
// lines from another copy or from a file can only be matched by key (SID,
// namespace, TSID, ONID, type). What does not match is added, with its
// transponder when that is missing too. The lookups are hash indexes built
// once per paste and kept current as services and transponders are added,
// so a paste of n lines costs O(model + n).

#include "settings/Model.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Lines of these services (by number, in the order given); numbers no
// service has are skipped.
std::vector<std::string> ServiceLinesOf(const std::vector<std::int32_t>& numbers);

// Lines of entries (kind, value[, own name]): markers as marker lines,
// services as service lines. `kept` receives the entries that gave a line,
// in line order (an entry whose service no longer exists gives none).
std::vector<std::string> EntryLinesOf(const ARR_ARR_OF_STRING& entries, ARR_ARR_OF_STRING* kept = nullptr);

struct TPasteOptions {
    bool EntryMode = false; // build the entry list (markers included)
    bool SameCopy = false;  // the lines were written by this running copy
    // SameCopy only: the entries the lines were made from, one per line;
    // they bring back each entry's own name.
    const ARR_ARR_OF_STRING* CopiedEntries = nullptr;
    // Told the number of lines done, now and then.
    std::function<void(std::size_t)> Progress;
};

struct TPasteResult {
    ARR_ARR_OF_STRING Entries;            // entry mode: (kind, value, own name)
    std::vector<std::int32_t> NewServices; // numbers of the services added
    std::int32_t TranspondersAdded = 0;
    std::vector<std::string> Skipped;     // "line 3: bad service id"
};

TPasteResult PasteLines(const std::vector<std::string>& lines, const TPasteOptions& options);

// "<n> channel(s) inserted in main list" CR LF, and with transponders added
// CR LF "<m> transponder inserted" behind it.
std::string PasteCountMessage(std::size_t services, std::int32_t transponders);
// The lines a paste skipped, for the user: a heading and one line each
// (the first twenty, then how many more).
std::string SkippedLinesMessage(const std::vector<std::string>& skipped);
