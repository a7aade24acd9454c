#include "dbexport/uTools.h"

void Xor20(const uint8_t* a, const uint8_t* b, uint8_t* out)
{
    for (int i = 0; i < 20; ++i)
        out[i] = static_cast<uint8_t>(a[i] ^ b[i]);
}
