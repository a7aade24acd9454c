// The operation table bound by name from an external client library.

#include "dbexport/MySQLDrivers.h"

#include <dlfcn.h>

#include <stdexcept>
#include <string>
#include <vector>

TMySQLLibrary::~TMySQLLibrary()
{
    if (module_)
        dlclose(module_);
}

std::string TMySQLLibrary::ClientLibrary() const
{
    return LibraryName.empty() ? DefaultLibrary() : LibraryName;
}

void* TMySQLLibrary::Symbol(const char* name) const
{
    return module_ ? dlsym(module_, name) : nullptr;
}

void TMySQLLibrary::Load()
{
    if (Loaded())
        Unload();
    const std::string name = ClientLibrary();
    module_ = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module_)
        throw std::runtime_error("Loading the client library " + name + " failed. Please place " +
                                 name + " in the program's folder, in the system library folder "
                                        "or in a folder on the library search path.");
    TMySQLBase::Load();
}

void TMySQLLibrary::Unload()
{
    TMySQLBase::Unload();
    if (module_) {
        void* m = module_;
        module_ = nullptr;
        if (dlclose(m) != 0)
            RaiseError("Could not free the client library " + ClientLibrary());
    }
}

void TMySQLLibrary::BindTable()
{
    TMySQLBase::BindTable();
    // Every slot holds one routine pointer; a name the library lacks stays
    // empty and raises when called.
    void** slots = reinterpret_cast<void**>(&ops_);
    static_assert(sizeof(TMySQLOps) == kMySQLOpCount * sizeof(void*));
    for (int i = 0; i < kMySQLOpCount; ++i)
        slots[i] = Symbol(kMySQLOpNames[i]);
}

void TMySQLEmbedded::BindTable()
{
    TMySQLLibrary::BindTable();
    serverInit_ = reinterpret_cast<int (*)(int, char**, char**)>(Symbol("mysql_server_init"));
    serverEnd_ = reinterpret_cast<void (*)()>(Symbol("mysql_server_end"));
}

void TMySQLEmbedded::Load()
{
    TMySQLLibrary::Load();
    std::vector<std::string> args{"chanforge"};
    const std::string& opts = Options();
    size_t start = 0;
    while (start < opts.size()) {
        size_t end = opts.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = opts.size();
        if (end > start)
            args.push_back("--" + opts.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::string> groups{"chanforge_SERVER", "embedded", "server"};
    std::vector<char*> argv, groupv;
    for (auto& a : args)
        argv.push_back(a.data());
    for (auto& g : groups)
        groupv.push_back(g.data());
    groupv.push_back(nullptr);
    if (!serverInit_)
        throw std::runtime_error("The client call mysql_server_init is not implemented in the "
                                 "client library " + ClientLibrary() + ". Please update the library.");
    if (serverInit_(static_cast<int>(argv.size()), argv.data(), groupv.data()) != 0)
        RaiseError("Could not start the embedded server");
}

void TMySQLEmbedded::Unload()
{
    if (Loaded() && serverEnd_) {
        try {
            serverEnd_();
        } catch (...) {
        }
    }
    TMySQLLibrary::Unload();
}
