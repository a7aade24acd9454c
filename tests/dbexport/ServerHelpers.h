#pragma once

// A connection component pointed at the test server, and a scratch schema
// made for one test and dropped after it.

#include "MariaServer.h"
#include "dbexport/MySQLServer.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>

namespace cftest {

inline void PointAtTestServer(TMySQLServer& s, const std::string& database = kDatabase)
{
    s.SetHost("127.0.0.1");
    s.SetPort(static_cast<uint16_t>(SharedMaria().port));
    s.SetUserName(kUserNew);
    s.SetPassword(kPassNew);
    s.SetDatabaseName(database);
}

// Creates the schema (dropping a leftover) and drops it at the end. The
// running test's name is added so that cases running side by side each
// have their own.
class Schema {
public:
    explicit Schema(const std::string& base) : name_(UniqueName(base))
    {
        PointAtTestServer(admin_, "");
        admin_.Execute("drop database if exists " + name_);
        admin_.Execute("create database " + name_ + " character set utf8mb4");
    }
    ~Schema()
    {
        try {
            admin_.Execute("drop database if exists " + name_);
        } catch (...) {
        }
    }
    const std::string& Name() const { return name_; }
    TMySQLServer& Admin() { return admin_; }

private:
    static std::string UniqueName(const std::string& base)
    {
        std::string name = base;
        if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
            name += std::string("_") + info->name();
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return name.substr(0, 64);
    }
    std::string name_;
    TMySQLServer admin_;
};

} // namespace cftest
