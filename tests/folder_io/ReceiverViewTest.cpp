// Every real set of the test tree, loaded and saved without an edit, reads
// on a receiver as the original does. The folders are compared the way an
// Enigma 2 receiver reads them, by a reader written here for the purpose and
// independent of the program's own: transponders with every tuning value,
// services, bouquets entry by entry in list order, locks, and satellites.xml
// with absent attributes taken as the receiver's defaults. File names of
// bouquets, hex case, the order of a service's data fields and line ends
// may differ; nothing the receiver acts on may.

#include "FolderRecorders.h"
#include "FolderTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;
using namespace cftest;

namespace {

std::vector<std::string> Lines(const fs::path& file)
{
    std::vector<std::string> lines;
    std::istringstream in(ReadBytes(file));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep))
        parts.push_back(part);
    if (!s.empty() && s.back() == sep)
        parts.emplace_back();
    return parts;
}

long long Num(const std::string& s, int base)
{
    std::size_t end = 0;
    const long long v = std::stoll(s, &end, base);
    EXPECT_EQ(end, s.size()) << "not a number: " << s;
    return v;
}

std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

fs::path FileNoCase(const fs::path& dir, const std::string& name)
{
    for (const auto& e : fs::directory_iterator(dir))
        if (Upper(e.path().filename().string()) == Upper(name))
            return e.path();
    return {};
}

// What a receiver takes from one settings folder.
struct TReceiverView {
    // namespace:tsid:onid -> kind and every number of the data line; a
    // version 4 satellite line without extras has flags 0, DVB-S, QPSK,
    // roll-off 0.35 and pilot Auto.
    std::map<std::string, std::pair<char, std::vector<long long>>> transponders;
    // sid:namespace:tsid:onid:type -> name, then the data fields sorted
    // (tags upper-cased, flags as a number).
    std::map<std::string, std::vector<std::string>> services;
    // bouquets in list order: name, then each entry as read.
    std::vector<std::vector<std::string>> tv, radio;
    std::set<std::string> black, white;
    // position -> name, flags and the transponders with every attribute.
    std::map<long long, std::vector<std::string>> satellites;
    bool operator==(const TReceiverView&) const = default;
};

std::string Key(const std::vector<std::string>& f, std::size_t from, std::size_t count)
{
    std::string key;
    for (std::size_t i = from; i < from + count; ++i)
        key += std::to_string(Num(f[i], 16)) + ":";
    return key;
}

void ReadLamedb(const fs::path& file, TReceiverView& v)
{
    const auto lines = Lines(file);
    ASSERT_FALSE(lines.empty());
    const int version = lines[0][lines[0].find('/') + 1] - '0';
    std::size_t i = 1;
    while (i < lines.size() && lines[i] != "transponders")
        ++i;
    for (++i; i + 2 < lines.size() && lines[i] != "end"; i += 3) {
        const auto key = Split(lines[i], ':');
        std::string data = lines[i + 1];
        data.erase(0, data.find_first_not_of(" \t"));
        const char kind = data[0];
        auto fields = Split(data.substr(2), ':');
        if (!fields.empty() && fields.back().empty())
            fields.pop_back(); // the line's end mark
        std::vector<long long> numbers;
        for (const auto& f : fields)
            numbers.push_back(f.empty() ? 0 : Num(f, 10));
        if (kind == 's' && version == 4) {
            const long long defaults[] = {0, 0, 1, 0, 2}; // flags, system, modulation, roll-off, pilot
            for (std::size_t d = numbers.size() < 6 ? 5 : numbers.size() - 6; d < 5; ++d)
                numbers.push_back(defaults[d]);
        }
        v.transponders[Key(key, 0, 3)] = {kind, numbers};
    }
    while (i < lines.size() && lines[i] != "services")
        ++i;
    for (++i; i + 2 < lines.size() && lines[i] != "end"; i += 3) {
        const auto ref = Split(lines[i], ':');
        // Receivers show a name without the DVB emphasis on and off codes.
        std::string name = lines[i + 1];
        for (const char* code : {"\xC2\x86", "\xC2\x87"})
            for (std::size_t at; (at = name.find(code)) != std::string::npos;)
                name.erase(at, 2);
        std::vector<std::string> service = {name};
        std::vector<std::string> data = Split(lines[i + 2], ',');
        for (auto& d : data) {
            if (d.starts_with("f:"))
                d = "f:" + std::to_string(Num(d.substr(2), 16));
            else if (!d.starts_with("p:"))
                d = Upper(d);
        }
        std::erase(data, "f:0");
        std::sort(data.begin(), data.end());
        service.insert(service.end(), data.begin(), data.end());
        v.services[Key(ref, 0, 4) + std::to_string(Num(ref[4], 10))] = service;
    }
}

// A service reference as the receiver holds it: type and flags decimal, the
// eight data fields hexadecimal, then path and name as they stand.
std::string Reference(const std::string& text)
{
    auto f = Split(text, ':');
    std::string out;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (i < 10 && !f[i].empty())
            out += std::to_string(Num(f[i], i < 2 ? 10 : 16));
        else
            out += f[i];
        out += ':';
    }
    return out;
}

std::string ReferenceText(const std::string& line)
{
    std::string ref = line.substr(8);
    if (!ref.empty() && ref[0] == ':')
        ref.erase(0, 1);
    return ref.substr(ref.find_first_not_of(' '));
}

std::vector<std::string> ReadBouquet(const fs::path& file)
{
    std::vector<std::string> entries;
    for (const auto& line : Lines(file)) {
        if (line.starts_with("#NAME ")) {
            entries.push_back(line.substr(6));
        } else if (line.starts_with("#SERVICE")) {
            const auto f = Split(ReferenceText(line), ':');
            // A marker is shown by its text only: its number is the file's own.
            if (f.size() > 1 && Num(f[1], 10) & 64)
                entries.push_back("marker " + f[0] + ":" + f[1] + ":");
            else
                entries.push_back(Reference(ReferenceText(line)));
        } else if (line.starts_with("#DESCRIPTION")) {
            std::string text = line.substr(12);
            if (!text.empty() && text[0] == ':')
                text.erase(0, 1);
            text.erase(0, text.find_first_not_of(' '));
            entries.back() += " | " + text;
        }
    }
    return entries;
}

std::vector<std::vector<std::string>> ReadList(const fs::path& dir, const std::string& name)
{
    std::vector<std::vector<std::string>> bouquets;
    const fs::path list = FileNoCase(dir, name);
    if (list.empty())
        return bouquets;
    for (const auto& line : Lines(list)) {
        if (!line.starts_with("#SERVICE"))
            continue;
        const std::string ref = ReferenceText(line);
        std::string file = ref.substr(ref.rfind(':') + 1);
        if (const auto q = ref.find('"'); q != std::string::npos)
            file = ref.substr(q + 1, ref.find('"', q + 1) - q - 1);
        const fs::path path = FileNoCase(dir, file);
        if (!path.empty())
            bouquets.push_back(ReadBouquet(path));
    }
    return bouquets;
}

std::string Attribute(const std::string& line, const std::string& name)
{
    const std::string key = " " + name + "=\"";
    const auto at = line.find(key);
    if (at == std::string::npos)
        return {};
    const auto from = at + key.size();
    return line.substr(from, line.find('"', from) - from);
}

void ReadSatellites(const fs::path& file, TReceiverView& v)
{
    std::vector<std::string>* sat = nullptr;
    for (const auto& line : Lines(file)) {
        if (line.find("<sat ") != std::string::npos) {
            sat = &v.satellites[Num(Attribute(line, "position"), 10)];
            *sat = {Attribute(line, "name"), Attribute(line, "flags")};
        } else if (line.find("<transponder ") != std::string::npos && sat) {
            std::string tp;
            std::string pol = Attribute(line, "polarization");
            pol = pol == "L" ? "2" : pol == "R" ? "3" : pol;
            tp += Attribute(line, "frequency") + "/" + Attribute(line, "symbol_rate") + "/" + pol + "/" +
                  Attribute(line, "fec_inner");
            const std::pair<const char*, const char*> optional[] = {
                {"inversion", "2"}, {"modulation", "1"}, {"system", "0"}, {"pilot", "2"}, {"rolloff", "0"},
                {"is_id", "-1"}, {"pls_code", "0"}, {"pls_mode", "0"}, {"t2mi_plp_id", "-1"}};
            for (const auto& [name, fallback] : optional) {
                const std::string value = Attribute(line, name);
                tp += std::string("/") + (value.empty() ? fallback : value);
            }
            sat->push_back(tp);
        }
    }
}

std::set<std::string> ReadLocks(const fs::path& dir, const std::string& name)
{
    std::set<std::string> refs;
    const fs::path file = FileNoCase(dir, name);
    if (file.empty())
        return refs;
    for (const auto& line : Lines(file))
        if (!line.empty())
            refs.insert(Reference(line));
    return refs;
}

TReceiverView ReadAsReceiver(const fs::path& dir)
{
    TReceiverView v;
    ReadLamedb(dir / "lamedb", v);
    v.tv = ReadList(dir, "bouquets.tv");
    v.radio = ReadList(dir, "bouquets.radio");
    v.black = ReadLocks(dir, "blacklist");
    v.white = ReadLocks(dir, "whitelist");
    if (const fs::path sat = FileNoCase(dir, "satellites.xml"); !sat.empty())
        ReadSatellites(sat, v);
    return v;
}

class ReceiverView : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { ResetModel(); }
    void TearDown() override { ClearModel(); }
    ScratchDir tmp;
};

} // namespace

TEST_P(ReceiverView, LoadAndSaveChangesNothingTheReceiverReads)
{
    const fs::path in = tmp / "in";
    CopyTree(RealSet(GetParam()), in);
    const TReceiverView before = ReadAsReceiver(in);
    ASSERT_FALSE(before.services.empty());

    TRecordingUi ui;
    ASSERT_TRUE(LoadFolder(in));
    const fs::path out = tmp / "out";
    fs::create_directories(out);
    ASSERT_TRUE(SaveFolder(out, EnigmaVersion));
    const TReceiverView after = ReadAsReceiver(out);

    EXPECT_EQ(after.transponders, before.transponders);
    EXPECT_EQ(after.services, before.services);
    ASSERT_EQ(after.tv.size(), before.tv.size());
    for (std::size_t i = 0; i < before.tv.size(); ++i)
        EXPECT_EQ(after.tv[i], before.tv[i]) << "TV bouquet " << i;
    ASSERT_EQ(after.radio.size(), before.radio.size());
    for (std::size_t i = 0; i < before.radio.size(); ++i)
        EXPECT_EQ(after.radio[i], before.radio[i]) << "radio bouquet " << i;
    EXPECT_EQ(after.black, before.black);
    EXPECT_EQ(after.white, before.white);
    EXPECT_EQ(after.satellites, before.satellites);

    // Saved over itself, the folder reads the same as well.
    ResetModel();
    ASSERT_TRUE(LoadFolder(in));
    ASSERT_TRUE(SaveFolder(in, EnigmaVersion));
    EXPECT_TRUE(ReadAsReceiver(in) == before);
}

// The Enigma 1 set holds bouquet files only: without a services file there
// is nothing a folder load accepts, so it is read by the bouquet tests.
INSTANTIATE_TEST_SUITE_P(Real, ReceiverView,
                         ::testing::Values("enigma2-v4-multisat", "enigma2-v4-astra-bouquets"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
