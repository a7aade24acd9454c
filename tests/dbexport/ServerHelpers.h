#pragma once

// A connection component pointed at the test server, and a scratch schema
// made for one test and dropped after it.

#include "MariaServer.h"
#include "dbexport/MySQLServer.h"

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

// Creates the schema (dropping a leftover) and drops it at the end.
class Schema {
public:
    explicit Schema(std::string name) : name_(std::move(name))
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
    std::string name_;
    TMySQLServer admin_;
};

} // namespace cftest
