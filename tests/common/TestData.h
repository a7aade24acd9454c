#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace cftest {

// Root of the read-only test data kept in the test tree (set by CTest; falls
// back to the same folder of this checkout when a binary is started by hand).
inline std::filesystem::path TestDataDir()
{
    if (const char* p = std::getenv("CHANFORGE_TESTDATA"))
        return p;
    return std::filesystem::path(__FILE__).parent_path() / "../testdata";
}

inline std::filesystem::path RealSet(const std::string& name)
{
    return TestDataDir() / "real" / name;
}

// A temporary folder removed again when the test ends.
class ScratchDir {
public:
    ScratchDir()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("chanforge-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Copies a read-only real set into a fresh folder so tests may write there.
inline void CopyTree(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::filesystem::create_directories(to);
    std::filesystem::copy(from, to, std::filesystem::copy_options::recursive |
                                        std::filesystem::copy_options::overwrite_existing);
    for (auto& e : std::filesystem::recursive_directory_iterator(to))
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
}

} // namespace cftest
