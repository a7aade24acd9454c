#include "app/LcUnit.h"

#include "platform/Forms.h"
#include "platform/PeResources.h"
#include "platform/ProgramDir.h"
#include "platform/ResStrings.h"
#include "platform/SameText.h"
#include "platform/Translatable.h"
#include "platform/Utf8.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <typeinfo>
#include <vector>

using namespace cf;

namespace {

using TBytes = std::span<const std::uint8_t>;

// A signed 32-bit little-endian integer at `at`, when it lies inside.
std::optional<std::int32_t> Int32At(TBytes r, std::int64_t at)
{
    if (at < 0 || at + 4 > std::int64_t(r.size()))
        return std::nullopt;
    const auto p = r.data() + at;
    return std::int32_t(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                        (std::uint32_t(p[3]) << 24));
}

// The UTF-16 text of `size` bytes at `at`; nullopt ("no text") when the
// size is negative or odd or the bytes lie outside the resource.
std::optional<std::string> TextAt(TBytes r, std::int64_t at, std::int64_t size)
{
    if (size < 0 || size % 2 != 0 || at < 0 || at > std::int64_t(r.size()) || size > std::int64_t(r.size()) - at)
        return std::nullopt;
    return Utf16LeToUtf8(r.data() + at, std::size_t(size));
}

// The one active language.
struct TLcf {
    TPeResources Module;
    int Column = 0;        // string-resource column of the language
    int LanguageIndex = 0; // translation slot of form entries, less one
};

std::unique_ptr<TLcf>& Active()
{
    static std::unique_ptr<TLcf> active;
    return active;
}

std::optional<std::string> StringOf(const TLcf& lcf, int id)
{
    if (id < 0 || id >= 0x10000)
        return std::nullopt;
    const auto r = lcf.Module.FindRcData(std::to_string(id));
    if (!r)
        return std::nullopt;
    const std::int64_t column = std::int64_t(lcf.Column) * 8;
    const auto offset = Int32At(*r, column);
    const auto size = Int32At(*r, column + 4);
    if (!offset || !size)
        return std::nullopt;
    return TextAt(*r, *offset, *size);
}

struct TEntry {
    std::string Component;
    std::vector<TPathElement> Path;
    std::optional<std::string> Text;
};

// The entries of one form resource, last to first; damaged entries are left out.
void ReadFormEntries(TBytes r, int languageIndex, std::vector<TEntry>& out)
{
    const auto nameLength = Int32At(r, 0);
    if (!nameLength || *nameLength < 0)
        return;
    const std::int64_t countAt = 4 + std::int64_t(*nameLength);
    const auto count = Int32At(r, countAt);
    if (!count || *count < 0)
        return;
    const std::int64_t pairsAt = countAt + 4;
    // The pair array must lie inside the resource before anything is read from it.
    if (std::int64_t(*count) * 8 > std::int64_t(r.size()) - pairsAt)
        return;
    for (std::int64_t k = *count - 1; k >= 0; --k) {
        const auto entryOffset = Int32At(r, pairsAt + 8 * k);
        if (!entryOffset || *entryOffset < 0)
            continue;
        const std::int64_t e = pairsAt + *entryOffset;
        const auto keyOffset = Int32At(r, e);
        const auto keyLength = Int32At(r, e + 4);
        if (!keyOffset || !keyLength)
            continue;
        const auto key = TextAt(r, e + *keyOffset, *keyLength);
        if (!key)
            continue;
        const std::size_t dash = key->find('-');
        if (dash == std::string::npos || dash == 0)
            continue;
        auto path = ParsePropertyPath(std::string_view(*key).substr(dash + 1));
        if (!path)
            continue;
        TEntry entry{key->substr(0, dash), std::move(*path), std::nullopt};
        const std::int64_t slot = e + 8 * (std::int64_t(languageIndex) + 1);
        const auto textOffset = Int32At(r, slot);
        const auto textSize = Int32At(r, slot + 4);
        if (textOffset && textSize)
            entry.Text = TextAt(r, e + *textOffset, *textSize);
        out.push_back(std::move(entry));
    }
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return s;
}

} // namespace

void DropLanguage()
{
    SetResStringLoader({});
    Active().reset();
}

bool LanguageActive()
{
    return Active() != nullptr;
}

int LoadLanguage(const std::string& modulePath, int lcid, const TLcCallback& callback)
{
    DropLanguage();
    auto module = TPeResources::Open(modulePath);
    if (!module)
        return -1;
    bool second = false;
    auto header = module->FindRcData("LCHEADER");
    if (!header) {
        header = module->FindRcData("LCHEADE2");
        second = true;
    }
    if (!header || header->size() <= 15)
        return -1;
    static constexpr char Magic[] = "LCHEADER";
    if (!std::equal(Magic, Magic + 8, header->begin()))
        return -1;
    const std::int32_t flags = *Int32At(*header, 8);
    const std::int32_t count = *Int32At(*header, 12);
    // The language list (and the code pages of the second form) must be there.
    const std::int64_t perLanguage = second ? 8 : 4;
    if (count < 0 || std::int64_t(count) * perLanguage > std::int64_t(header->size()) - 16)
        return -1;
    std::vector<int> lcids;
    lcids.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i)
        lcids.push_back(*Int32At(*header, 16 + 4 * std::int64_t(i)));

    if (callback)
        for (int id : lcids)
            if (callback(id) == 0)
                break;

    const auto found = std::find(lcids.begin(), lcids.end(), lcid);
    if (found == lcids.end())
        return 0;
    auto lcf = std::make_unique<TLcf>(TLcf{std::move(*module), 0, 0});
    lcf->LanguageIndex = int(found - lcids.begin());
    lcf->Column = lcf->LanguageIndex + ((flags & 1) ? 1 : 0);
    Active() = std::move(lcf);
    SetResStringLoader([](int id) -> std::optional<std::string> {
        const TLcf* lcf = Active().get();
        return lcf ? StringOf(*lcf, id) : std::nullopt;
    });
    return 1;
}

std::string FormClassName(const TForm& form)
{
    const char* mangled = typeid(form).name();
    int status = 0;
    char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && plain ? plain : mangled;
    std::free(plain);
    const std::size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

void TranslateForm(TForm& form)
{
    const TLcf* lcf = Active().get();
    if (!lcf)
        return;
    const std::string own = FormClassName(form);
    if (!lcf->Module.FindRcData(Upper(own)))
        return;
    // Ancestors first, as the class library builds a form from its ancestors' descriptions.
    std::vector<std::string> classes{"TControl", "TWinControl", "TForm"};
    if (!SameText(own, "TForm"))
        classes.push_back(own);
    std::vector<TEntry> entries;
    for (const std::string& cls : classes)
        if (const auto r = lcf->Module.FindRcData(Upper(cls)))
            ReadFormEntries(*r, lcf->LanguageIndex, entries);

    for (const TEntry& e : entries) {
        if (!e.Text)
            continue;
        TTranslatable* component = SameText(e.Component, form.Name) ? &form : form.FindComponent(e.Component);
        if (component)
            ApplyTranslation(*component, e.Path, *e.Text);
    }
}

std::string LanguageModulePath()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    const std::string file = (ec ? std::string("chanforge") : exe.filename().string()) + ".lcf";
    const fs::path beside = fs::path(ProgramFileDir()) / file;
    if (fs::exists(beside, ec))
        return beside.string();
    const fs::path data = fs::path(BesideProgram()) / file;
    if (fs::exists(data, ec))
        return data.string();
    return beside.string();
}
