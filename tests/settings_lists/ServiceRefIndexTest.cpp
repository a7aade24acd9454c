#include "settings/Lookups.h"
#include "settings/ServiceRefIndex.h"
#include "settings/Unit_lib.h"

#include <gtest/gtest.h>

namespace {

TY_ENIG_CH Ch(const std::string& key, std::int32_t number)
{
    TY_ENIG_CH ch;
    ch.Key = key;
    ch.Number = number;
    return ch;
}

// The indexes must answer exactly as the front-to-back search does.
TEST(ServiceKeyIndex, AnswersAsTheLinearSearch)
{
    ARR_ENIG_CH services = {
        Ch("006400C00000043700011", 200),
        Ch("006400C00000043700011", 201), // same key again: the first wins
        Ch("099900C000000998000125", 202),
        Ch("099900C0000009980001-1", 203),  // negative type
        Ch("0a1f00c00000000100011", 204),   // lower case: not the usual form
        Ch("123", 205),                     // not a key at all
        Ch("FFFFFFFFFFFFFFFFFFFF2147483647", 206),
        Ch("00000000000000000000" "0", 207), // all zero: still a key
        Ch("006400C0000004370001" "65534", 208),
        Ch("006400C0000004370001" "65535", 209),
        Ch("006400C0000004370001" "65536", 210),
    };
    TServiceKeyIndex index(services);
    const char* keys[] = {"006400C00000043700011", "099900C000000998000125", "099900C0000009980001-1",
                          "0a1f00c00000000100011", "0A1F00C00000000100011", "123", "006400C000000437000101",
                          "006400C0000004370001", "", "FFFFFFFFFFFFFFFFFFFF2147483647",
                          "FFFFFFFFFFFFFFFFFFFF2147483648", "006400C00000043700011 ",
                          "00000000000000000000" "0", "00000000000000000000" "1",
                          "006400C0000004370001" "65534", "006400C0000004370001" "65535",
                          "006400C0000004370001" "65536", "006400C0000004370001" "65537"};
    for (const char* key : keys) {
        std::int32_t linear = -1, indexed = -1;
        bool found = FindServiceByKey(key, services, linear) == 0;
        EXPECT_EQ(index.Find(key, indexed), found) << key;
        EXPECT_EQ(indexed, found ? linear : -1) << key;
    }
}

TEST(ServiceKeyIndex, FieldsArePaddedAndUpperCasedAsTheSplitterDoes)
{
    ARR_ENIG_CH services = {Ch("006400C00000043700011", 200), Ch("0FB000C000000451003525", 201),
                            Ch("0FB000C0000004510035" "65534", 202), Ch("0FB000C0000004510035" "70000", 203),
                            Ch("0FB000C0000004510035" "-2", 204)};
    TServiceKeyIndex index(services);
    struct {
        const char *sid, *ns, *tsid, *onid;
        std::int32_t type;
        std::int32_t number; // -1: not found
    } cases[] = {
        {"64", "c00000", "437", "1", 1, 200},
        {"0064", "00C00000", "0437", "0001", 1, 200},
        {"10064", "100c00000", "10437", "10001", 1, 200}, // the rightmost digits count
        {"fb0", "c00000", "451", "35", 25, 201},
        {"fb0", "c00000", "451", "35", 1, -1},
        {"6 4", "c00000", "437", "1", 1, -1},
        {"", "", "", "", 0, -1},
        // Types of every range, the usual ones and those looked up by text.
        {"fb0", "c00000", "451", "35", 65534, 202},
        {"fb0", "c00000", "451", "35", 70000, 203},
        {"FB0", "C00000", "451", "35", -2, 204},
        {"fb0", "c00000", "451", "35", 65535, -1},
        {"fb0", "c00000", "451", "35", -1, -1},
    };
    for (const auto& c : cases) {
        TServiceKeyIndex::TProbe probe;
        index.Prepare(c.sid, c.ns, c.tsid, c.onid, c.type, probe);
        index.Prefetch(probe);
        std::int32_t number = -1;
        bool found = index.Find(probe, number);
        EXPECT_EQ(found, c.number >= 0) << c.sid;
        if (found) {
            EXPECT_EQ(number, c.number) << c.sid;
        }
    }
}

TEST(ServiceNumberMap, AnswersAsTheLinearSearchDenseOrSparse)
{
    for (bool sparse : {false, true}) {
        ARR_ENIG_CH services;
        for (int i = 0; i < 50; ++i)
            services.push_back(Ch("k", sparse ? 200 + i * 100000 : 200 + i % 40));
        services.push_back(Ch("k", -5));
        Services = services;
        TServiceNumberMap map(services);
        for (std::int32_t n : {200, 239, 240, 249, -5, 0, 199, 200 + 49 * 100000, 2147483647, -2147483647 - 1})
            EXPECT_EQ(map.Find(n), FindServiceIndexById(n)) << n << (sparse ? " sparse" : " dense");
    }
    Services.clear();
    EXPECT_EQ(TServiceNumberMap(ARR_ENIG_CH{}).Find(200), -1);
}

} // namespace
