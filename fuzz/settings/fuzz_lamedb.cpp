// Feeds arbitrary bytes to the services file reader, then checks that what
// was loaded survives a save and a reload unchanged.

#include "settings/ServicesFile.h"
#include "settings/Unit_lib.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace {

// A scratch folder of this run, removed at exit.
struct TScratch {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("chanforge-fuzz-" + std::to_string(::getpid()));
    TScratch() { std::filesystem::create_directories(dir / "out"); }
    ~TScratch()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

const std::filesystem::path& Scratch()
{
    static const TScratch scratch;
    return scratch.dir;
}

// What a file can carry: the new mark is memory-only, and transponders
// without services are left out, so services are compared with the
// transponder records they point at instead of their indexes.
// Enigma 1 files get no FEC above 7/8 (the model keeps it).
TY_ENIG_TP Filed(TY_ENIG_TP tp)
{
    std::int32_t fec = 0;
    if (EnigmaVersion == 2 && TryParseInt(tp.Fec, fec) && fec > 5)
        tp.Fec = "0";
    return tp;
}

bool SameAsFiled(ARR_ENIG_CH a, const ARR_ENIG_TP& aTps, ARR_ENIG_CH b, const ARR_ENIG_TP& bTps)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Filed(aTps.at(static_cast<std::size_t>(a[i].TpIndex))) != bTps.at(static_cast<std::size_t>(b[i].TpIndex)))
            return false;
        a[i].Flags &= ~FLAG_NEW;
        a[i].TpIndex = b[i].TpIndex = 0;
    }
    return a == b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string in = (Scratch() / "lamedb").string();
    {
        std::ofstream f(in, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ClearModel();
    SetEnigmaVer(3);
    TY_PROFILES qbOne;
    qbOne.Type = 4;
    Profiles = {qbOne}; // QB-One terrestrial transponders go back as written
    SaveProfile = 0;
    LoadTp(Transponders, in);
    LoadChannel(Services, Transponders, true, in);

    TheSaveDir = (Scratch() / "out").string();
    SaveService();
    const std::string out = TheSaveDir + "/" + ServicesFileName;
    ErrorReport.clear();
    LoadTp(CompareTransponders, out);
    LoadChannel(CompareServices, CompareTransponders, false, out);
    if (!ErrorReport.empty() || CompareTransponders.size() > Transponders.size() ||
        !SameAsFiled(Services, Transponders, CompareServices, CompareTransponders)) {
        std::fprintf(stderr, "reload differs; report:%s\n--- saved file:\n", ErrorReport.c_str());
        std::ifstream saved(out, std::ios::binary);
        std::fprintf(stderr, "%s\n", std::string(std::istreambuf_iterator<char>(saved), {}).c_str());
        std::abort();
    }
    return 0;
}
