#pragma once

// Column records of client libraries older than 4.1, and the reading of a
// column record in the layout its library's version gives it.

#include "dbexport/MySQLDrivers.h"

// The column record of the published 4.0 client API.
struct TMySQLField40 {
    char* name;
    char* table;
    char* org_table;
    char* db;
    char* def;
    unsigned long length;
    unsigned long max_length;
    unsigned int flags;
    unsigned int decimals;
    int type;
};

// The column record of the published 3.23 client API.
struct TMySQLField323 {
    char* name;
    char* table;
    char* def;
    int type;
    unsigned int length;
    unsigned int max_length;
    unsigned int flags;
    unsigned int decimals;
};

// Reads one column record as the client version lays it out: from 40101 the
// 4.1 record; exactly 40100 the 4.1.0 record, whose origin table and
// database were never filled; below that the 4.0 record, and below 40000
// the 3.23 record. The older ones carry no origin name, origin table or
// database that can be trusted, so those stay empty.
TMySQLFieldDesc ReadFieldRecord(const void* record, int clientVer);
