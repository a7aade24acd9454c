#include "link/UrlText.h"

#include <gtest/gtest.h>

// References read from the receiver go back to it in a request line.
TEST(LinkUrlText, ReferencesPassUnchangedAndUnsafeCharactersAreEncoded)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"1:31:fffffffb:1:0:0:0:0:0:0:", "1:31:fffffffb:1:0:0:0:0:0:0:"},
        {"4097:7:0:33fc5:0:0:0:0:0:0:/var/tuxbox/config/enigma/userbouquet.33fc5.tv",
         "4097:7:0:33fc5:0:0:0:0:0:0:/var/tuxbox/config/enigma/userbouquet.33fc5.tv"},
        {"1:7:0:0:0:0:0:0:0:0:/my bouquet.tv", "1:7:0:0:0:0:0:0:0:0:/my%20bouquet.tv"},
        {"a&b=c#d?e%f", "a%26b%3Dc%23d%3Fe%25f"},
        {"line\r\nHost: x", "line%0D%0AHost:%20x"},
        {"\xC3\xA9", "%C3%A9"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EscapeQueryValue(c.in), c.out) << c.in;
}
